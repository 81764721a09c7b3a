#pragma once

// The digit classifier and its model file (Calligrapher.voc).
//
// File layout (little-endian):
//   header, 32 bytes: magic "KCGRVOC\x1A", version (1), payload length,
//     payload CRC-32, block count, reserved (0), CRC-32 of the 28 bytes before it;
//   the payload cut into blocks of kBlockSize bytes (the last one shorter), each
//     followed by an 8-byte trailer: 'K', 'B', block index (16 bits), CRC-32 of the block.
// The payload: one or more networks, one after another (up to kMaxNetworks), each
// five 32-bit counts (conv1, conv2, conv3 channels, dense width, classes = 10)
// followed by the float32 weights and biases of that network in order. Several
// networks trained apart are averaged: they err on different digits.
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
    static constexpr size_t kMaxNetworks = 8;

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

    // Classifies a 28 x 28 image (values 0..1, row major) into scores that sum
    // to 1: the networks' log-scores averaged.
    void Classify(const float* image, float scores[kClasses]) const;
    size_t NetworkCount() const { return m_nets.size(); }

private:
    struct Network
    {
        int c1 = 0, c2 = 0, c3 = 0, dense = 0;
        // Convolution weights w1..w3 are held [input][tap][output] and the
        // first dense layer's w4 [input][output], not in the file's order.
        std::vector<float> w1, b1, w2, b2, w3, b3, w4, b4, w5, b5;
        void Logits(const float* image, float logits[kClasses]) const;
    };

    CCalligModel() = default;
    bool ReadPayload(const std::vector<uint8_t>& payload, std::string* error);
    // Reads the network at `at`, moving `at` past it.
    bool ReadNetwork(const std::vector<uint8_t>& payload, size_t& at, std::string* error);

    std::vector<Network> m_nets;
};
