#include "boardsoft/callig/CalligModel.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const uint8_t kMagic[8] = { 'K', 'C', 'G', 'R', 'V', 'O', 'C', 0x1A };
constexpr uint32_t kMaxChannels = 128;
constexpr uint32_t kMaxDense = 512;

uint32_t readU32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void putU32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

bool fail(std::string* error, const char* text)
{
    if (error)
        *error = text;
    return false;
}

// 3 x 3 convolution with one pixel of zero padding, then ReLU. `w` is laid out
// [input channel][tap][output channel] so the innermost loop runs over the
// output channels of one pixel (long, contiguous, vectorised), and every zero
// input is skipped: the image is mostly background and ReLU zeroes about half
// of each later layer, so most of the work a plain loop does is multiplying 0.
// `padded` holds inC * (side + 2)^2 floats, `acc` outC.
void conv3x3(const float* in, int inC, int side, const float* w, const float* b, int outC, float* out,
    float* padded, float* acc)
{
    const int p = side + 2;
    std::fill(padded, padded + size_t(inC) * p * p, 0.0f);
    for (int i = 0; i < inC; ++i)
        for (int y = 0; y < side; ++y)
            std::copy(in + (i * side + y) * side, in + (i * side + y + 1) * side, padded + (i * p + y + 1) * p + 1);
    const int n = side * side;
    const int taps[9] = { 0, 1, 2, p, p + 1, p + 2, 2 * p, 2 * p + 1, 2 * p + 2 };
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            std::copy(b, b + outC, acc);
            for (int i = 0; i < inC; ++i) {
                const float* window = padded + (i * p + y) * p + x;
                const float* wi = w + size_t(i) * 9 * outC;
                for (int k = 0; k < 9; ++k) {
                    const float v = window[taps[k]];
                    if (v == 0.0f)
                        continue;
                    const float* __restrict wk = wi + k * outC;
                    float* __restrict a = acc;
                    for (int o = 0; o < outC; ++o)
                        a[o] += v * wk[o];
                }
            }
            float* dst = out + y * side + x;
            for (int o = 0; o < outC; ++o)
                dst[o * n] = std::max(acc[o], 0.0f);
        }
    }
}

// The file's [out][in][tap] convolution weights as conv3x3 reads them.
std::vector<float> tapMajor(const std::vector<float>& w, int inC, int outC)
{
    std::vector<float> t(w.size());
    for (int o = 0; o < outC; ++o)
        for (int i = 0; i < inC; ++i)
            for (int k = 0; k < 9; ++k)
                t[(size_t(i) * 9 + k) * outC + o] = w[(size_t(o) * inC + i) * 9 + k];
    return t;
}

// The file's [out][in] dense weights as denseSparse reads them.
std::vector<float> inputMajor(const std::vector<float>& w, int inN, int outN)
{
    std::vector<float> t(w.size());
    for (int o = 0; o < outN; ++o)
        for (int i = 0; i < inN; ++i)
            t[size_t(i) * outN + o] = w[size_t(o) * inN + i];
    return t;
}

// 2 x 2 max pooling, rounding the side down.
int maxPool(const float* in, int channels, int side, float* out)
{
    const int half = side / 2;
    for (int c = 0; c < channels; ++c) {
        const float* src = in + c * side * side;
        float* dst = out + c * half * half;
        for (int y = 0; y < half; ++y)
            for (int x = 0; x < half; ++x) {
                const float* s = src + 2 * y * side + 2 * x;
                dst[y * half + x] = std::max(std::max(s[0], s[1]), std::max(s[side], s[side + 1]));
            }
    }
    return half;
}

// The output layer: `w` laid out [output][input], no ReLU.
void dense(const float* in, int inN, const float* w, const float* b, int outN, float* out)
{
    for (int o = 0; o < outN; ++o) {
        const float* row = w + o * inN;
        float acc = b[o];
        for (int i = 0; i < inN; ++i)
            acc += row[i] * in[i];
        out[o] = acc;
    }
}

// A hidden layer with ReLU, `w` laid out [input][output] so zero inputs (most
// pooled features after ReLU) are skipped.
void denseSparse(const float* in, int inN, const float* w, const float* b, int outN, float* out)
{
    std::copy(b, b + outN, out);
    for (int i = 0; i < inN; ++i) {
        const float v = in[i];
        if (v == 0.0f)
            continue;
        const float* __restrict wi = w + size_t(i) * outN;
        float* __restrict o = out;
        for (int k = 0; k < outN; ++k)
            o[k] += v * wi[k];
    }
    for (int k = 0; k < outN; ++k)
        out[k] = std::max(out[k], 0.0f);
}

} // namespace

uint32_t CCalligModel::Crc32(const uint8_t* data, size_t size, uint32_t crc)
{
    // Eight bytes a step through eight tables (the model is checked whole at
    // every start: a byte at a time was a tenth of the start-up's work).
    static uint32_t table[8][256];
    static const bool ready = [] {
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[0][i] = c;
        }
        for (int t = 1; t < 8; ++t)
            for (uint32_t i = 0; i < 256; ++i)
                table[t][i] = (table[t - 1][i] >> 8) ^ table[0][table[t - 1][i] & 0xFF];
        return true;
    }();
    (void)ready;
    const auto word = [](const uint8_t* p) {
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    };
    crc = ~crc;
    for (; size >= 8; data += 8, size -= 8) {
        const uint32_t one = crc ^ word(data);
        const uint32_t two = word(data + 4);
        crc = table[7][one & 0xFF] ^ table[6][(one >> 8) & 0xFF] ^ table[5][(one >> 16) & 0xFF]
            ^ table[4][one >> 24] ^ table[3][two & 0xFF] ^ table[2][(two >> 8) & 0xFF]
            ^ table[1][(two >> 16) & 0xFF] ^ table[0][two >> 24];
    }
    for (; size > 0; ++data, --size)
        crc = table[0][(crc ^ *data) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

size_t CCalligModel::WeightCount(uint32_t c1, uint32_t c2, uint32_t c3, uint32_t dense)
{
    const size_t flat = size_t(c3) * 3 * 3;
    return size_t(c1) * 9 + c1 + size_t(c2) * c1 * 9 + c2 + size_t(c3) * c2 * 9 + c3 + flat * dense + dense
        + size_t(dense) * kClasses + kClasses;
}

std::vector<uint8_t> CCalligModel::MakePayload(
    uint32_t c1, uint32_t c2, uint32_t c3, uint32_t dense, const std::vector<float>& weights)
{
    std::vector<uint8_t> payload;
    for (uint32_t v : { c1, c2, c3, dense, uint32_t(kClasses) })
        putU32(payload, v);
    const size_t at = payload.size();
    payload.resize(at + weights.size() * sizeof(float));
    if (!weights.empty())
        std::memcpy(payload.data() + at, weights.data(), weights.size() * sizeof(float));
    return payload;
}

std::vector<uint8_t> CCalligModel::Pack(const std::vector<uint8_t>& payload)
{
    const uint32_t blocks = uint32_t((payload.size() + kBlockSize - 1) / kBlockSize);
    std::vector<uint8_t> out(kMagic, kMagic + 8);
    putU32(out, kVersion);
    putU32(out, uint32_t(payload.size()));
    putU32(out, Crc32(payload.data(), payload.size()));
    putU32(out, blocks);
    putU32(out, 0);
    putU32(out, Crc32(out.data(), out.size()));
    for (uint32_t b = 0; b < blocks; ++b) {
        const size_t from = size_t(b) * kBlockSize;
        const size_t len = std::min(kBlockSize, payload.size() - from);
        out.insert(out.end(), payload.begin() + from, payload.begin() + from + len);
        out.push_back('K');
        out.push_back('B');
        out.push_back(uint8_t(b & 0xFF));
        out.push_back(uint8_t((b >> 8) & 0xFF));
        putU32(out, Crc32(payload.data() + from, len));
    }
    return out;
}

std::unique_ptr<CCalligModel> CCalligModel::Load(const uint8_t* image, std::string* error)
{
    if (!image) {
        fail(error, "no image");
        return nullptr;
    }
    // One byte at a time: a shorter buffer is never read past its first
    // differing byte.
    for (size_t i = 0; i < sizeof kMagic; ++i) {
        if (image[i] != kMagic[i]) {
            fail(error, "not a model file");
            return nullptr;
        }
    }
    const uint8_t* h = image;
    if (Crc32(h, 28) != readU32(h + 28)) {
        fail(error, "damaged header");
        return nullptr;
    }
    const uint32_t version = readU32(h + 8);
    const uint32_t length = readU32(h + 12);
    const uint32_t payloadCrc = readU32(h + 16);
    const uint32_t blocks = readU32(h + 20);
    if (version != kVersion) {
        fail(error, "unknown version");
        return nullptr;
    }
    if (length == 0 || length > kMaxPayload || blocks != (length + kBlockSize - 1) / kBlockSize
        || readU32(h + 24) != 0) {
        fail(error, "bad payload size");
        return nullptr;
    }
    std::vector<uint8_t> payload;
    payload.reserve(length);
    const uint8_t* p = image + kHeaderSize;
    for (uint32_t b = 0; b < blocks; ++b) {
        const size_t len = std::min<size_t>(kBlockSize, length - size_t(b) * kBlockSize);
        const uint8_t* t = p + len;
        if (t[0] != 'K' || t[1] != 'B' || t[2] != uint8_t(b & 0xFF) || t[3] != uint8_t((b >> 8) & 0xFF)
            || readU32(t + 4) != Crc32(p, len)) {
            fail(error, "damaged or truncated block");
            return nullptr;
        }
        payload.insert(payload.end(), p, p + len);
        p = t + kTrailerSize;
    }
    if (Crc32(payload.data(), payload.size()) != payloadCrc) {
        fail(error, "payload checksum");
        return nullptr;
    }
    std::unique_ptr<CCalligModel> model(new CCalligModel);
    if (!model->ReadPayload(payload, error))
        return nullptr;
    return model;
}

bool CCalligModel::ReadPayload(const std::vector<uint8_t>& payload, std::string* error)
{
    size_t at = 0;
    while (at < payload.size()) {
        if (m_nets.size() == kMaxNetworks)
            return fail(error, "too many networks");
        if (!ReadNetwork(payload, at, error))
            return false;
    }
    return !m_nets.empty() || fail(error, "payload too short");
}

bool CCalligModel::ReadNetwork(const std::vector<uint8_t>& payload, size_t& at, std::string* error)
{
    if (payload.size() - at < 20)
        return fail(error, "payload too short");
    const uint8_t* p = payload.data() + at;
    const uint32_t c1 = readU32(p), c2 = readU32(p + 4), c3 = readU32(p + 8);
    const uint32_t dn = readU32(p + 12), classes = readU32(p + 16);
    if (c1 == 0 || c2 == 0 || c3 == 0 || dn == 0 || c1 > kMaxChannels || c2 > kMaxChannels
        || c3 > kMaxChannels || dn > kMaxDense || classes != uint32_t(kClasses))
        return fail(error, "bad layer sizes");
    const size_t count = WeightCount(c1, c2, c3, dn);
    if (payload.size() - at - 20 < count * sizeof(float))
        return fail(error, "payload length does not match the layers");
    std::vector<float> all(count);
    std::memcpy(all.data(), p + 20, count * sizeof(float));
    for (float v : all)
        if (!std::isfinite(v))
            return fail(error, "weight not finite");
    Network net;
    net.c1 = int(c1);
    net.c2 = int(c2);
    net.c3 = int(c3);
    net.dense = int(dn);
    size_t from = 0;
    auto take = [&](std::vector<float>& dst, size_t n) {
        dst.assign(all.begin() + from, all.begin() + from + n);
        from += n;
    };
    take(net.w1, size_t(c1) * 9);
    take(net.b1, c1);
    take(net.w2, size_t(c2) * c1 * 9);
    take(net.b2, c2);
    take(net.w3, size_t(c3) * c2 * 9);
    take(net.b3, c3);
    take(net.w4, size_t(dn) * c3 * 9);
    take(net.b4, dn);
    take(net.w5, size_t(kClasses) * dn);
    take(net.b5, kClasses);
    net.w1 = tapMajor(net.w1, 1, net.c1);
    net.w2 = tapMajor(net.w2, net.c1, net.c2);
    net.w3 = tapMajor(net.w3, net.c2, net.c3);
    net.w4 = inputMajor(net.w4, net.c3 * 9, net.dense);
    m_nets.push_back(std::move(net));
    at += 20 + count * sizeof(float);
    return true;
}

void CCalligModel::Network::Logits(const float* image, float logits[kClasses]) const
{
    const int maxC = std::max(c1, std::max(c2, c3));
    // Scratch kept per thread: every glyph is read several times by every
    // network, and each layer writes all it later reads, so nothing is cleared.
    thread_local std::vector<float> a, b, padded, acc;
    a.resize(size_t(maxC) * 28 * 28);
    b.resize(size_t(maxC) * 28 * 28);
    // The largest padded input of the three layers: 1 x 30^2, c1 x 16^2, c2 x 9^2.
    padded.resize(std::max({ size_t(30 * 30), size_t(c1) * 16 * 16, size_t(c2) * 9 * 9 }));
    acc.resize(maxC);
    conv3x3(image, 1, 28, w1.data(), b1.data(), c1, a.data(), padded.data(), acc.data());
    int side = maxPool(a.data(), c1, 28, b.data());
    conv3x3(b.data(), c1, side, w2.data(), b2.data(), c2, a.data(), padded.data(), acc.data());
    side = maxPool(a.data(), c2, side, b.data());
    conv3x3(b.data(), c2, side, w3.data(), b3.data(), c3, a.data(), padded.data(), acc.data());
    side = maxPool(a.data(), c3, side, b.data());
    std::vector<float> hidden(dense);
    denseSparse(b.data(), c3 * side * side, w4.data(), b4.data(), dense, hidden.data());
    ::dense(hidden.data(), dense, w5.data(), b5.data(), kClasses, logits);
}

void CCalligModel::Classify(const float* image, float scores[kClasses]) const
{
    // The mean of the networks' log-softmax, normalised again.
    float mean[kClasses] = {};
    for (const Network& net : m_nets) {
        float logits[kClasses];
        net.Logits(image, logits);
        const float top = *std::max_element(logits, logits + kClasses);
        float sum = 0;
        for (int i = 0; i < kClasses; ++i)
            sum += std::exp(logits[i] - top);
        const float logSum = top + std::log(sum);
        for (int i = 0; i < kClasses; ++i)
            mean[i] += (logits[i] - logSum) / float(m_nets.size());
    }
    const float top = *std::max_element(mean, mean + kClasses);
    float sum = 0;
    for (int i = 0; i < kClasses; ++i)
        sum += scores[i] = std::exp(mean[i] - top);
    for (int i = 0; i < kClasses; ++i)
        scores[i] /= sum;
}
