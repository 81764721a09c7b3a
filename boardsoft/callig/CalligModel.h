#pragma once

// The digit classifier and its model file (Calligrapher.voc).
//
// File layout (little-endian):
//   header, 32 bytes: magic "KCGRVOC\x1A", version (1), payload length,
//     payload CRC-32, block count, reserved (0), CRC-32 of the 28 bytes before it;
//   the payload cut into blocks of kBlockSize bytes (the last one shorter), each
//     followed by an 8-byte trailer: 'K', 'B', block index (16 bits), CRC-32 of the block.
// The payload: five 32-bit counts (conv1, conv2, conv3 channels, dense width,
// classes = 10), then the float32 weights and biases of the network in order.
//
// The loader is handed a pointer without a length. It never trusts the length
// field to read: it compares the magic one byte at a time (stopping at the first
// mismatch), reads the rest of the header only after the magic, and reads block
// i + 1 only after block i's trailer and checksum have proved that the file
// reaches that far. A file cut short is therefore over-read by at most
// kMaxOverRead bytes past its real end; the control pads its buffer with zeros
// by at least that much, so even an empty file is read safely.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CCalligModel
{
public:
    static constexpr int kImageSide = 28;
    static constexpr int kClasses = 10;
    static constexpr uint32_t kVersion = 1;
    static constexpr size_t kHeaderSize = 32;
    static constexpr size_t kBlockSize = 1024;
    static constexpr size_t kTrailerSize = 8;
    static constexpr size_t kMaxOverRead = kHeaderSize + kBlockSize + kTrailerSize;
    static constexpr uint32_t kMaxPayload = 4u * 1024u * 1024u;

    // Parses a model image; null with `error` set when it is refused.
    static std::unique_ptr<CCalligModel> Load(const uint8_t* image, std::string* error = nullptr);
    // Wraps a payload into the file format (used by the tools and tests).
    static std::vector<uint8_t> Pack(const std::vector<uint8_t>& payload);
    // Builds a payload from layer sizes and weights in file order.
    static std::vector<uint8_t> MakePayload(
        uint32_t c1, uint32_t c2, uint32_t c3, uint32_t dense, const std::vector<float>& weights);
    // Number of weights the payload of these sizes holds.
    static size_t WeightCount(uint32_t c1, uint32_t c2, uint32_t c3, uint32_t dense);
    static uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0);

    // Classifies a 28 x 28 image (values 0..1, row major) into softmax scores.
    void Classify(const float* image, float scores[kClasses]) const;

private:
    CCalligModel() = default;
    bool ReadPayload(const std::vector<uint8_t>& payload, std::string* error);

    int m_c1 = 0, m_c2 = 0, m_c3 = 0, m_dense = 0;
    std::vector<float> m_w1, m_b1, m_w2, m_b2, m_w3, m_b3, m_w4, m_b4, m_w5, m_b5;
};
