#include "boardsoft/callig/Callig.h"

#include "boardsoft/callig/CalligModel.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Stroke = std::vector<std::pair<float, float>>; // pixels

// A file image in a buffer of exactly its size plus the over-read bound the
// format promises, so a sanitizer build catches any read beyond it.
int32_t load(const std::vector<uint8_t>& file, int32_t* dict)
{
    std::vector<uint8_t> buffer(file);
    buffer.resize(file.size() + CCalligModel::kMaxOverRead, 0);
    return CgrLoadDict(buffer.data(), dict);
}

std::vector<uint8_t> tinyPayload(float weight = 0.01f)
{
    return CCalligModel::MakePayload(
        1, 1, 1, 1, std::vector<float>(CCalligModel::WeightCount(1, 1, 1, 1), weight));
}

std::vector<uint8_t> trainedModel()
{
    std::ifstream in(std::string(KESTAVO_TEST_LIB_DIR) + "/Calligrapher.voc", std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void putU32(std::vector<uint8_t>& f, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        f[at + i] = uint8_t(v >> (8 * i));
}

void resealHeader(std::vector<uint8_t>& f)
{
    putU32(f, 28, CCalligModel::Crc32(f.data(), 28));
}

// Recognises strokes given in pixels, sent in the control's units (thousandths
// of a pixel, x / 700 + 200 and y / 1000 + 200). Returns the alternatives of word 0.
std::vector<std::string> recognise(
    int32_t dict, const std::vector<Stroke>& strokes, intptr_t* words = nullptr)
{
    const int32_t ctx = CgrCreateContext();
    const uint32_t settings[6] = { 0x412, 0, uint32_t(dict), 0, 0, 0 };
    EXPECT_EQ(CgrOpenSession(settings, ctx), CGR_OK);
    for (const Stroke& s : strokes) {
        std::vector<int16_t> pts;
        for (auto [x, y] : s) {
            pts.push_back(int16_t(long(x * 1000) / 700 + 200));
            pts.push_back(int16_t(long(y * 1000) / 1000 + 200));
        }
        EXPECT_EQ(CgrRecognize(int32_t(s.size()), pts.data(), ctx), CGR_OK);
    }
    EXPECT_EQ(CgrCloseSession(ctx), CGR_OK);
    const intptr_t n = CgrGetAnswers(CGR_ANSWER_WORDS, 0, 0, ctx);
    if (words)
        *words = n;
    std::vector<std::string> out;
    for (intptr_t a = 0; n > 0 && a < CgrGetAnswers(CGR_ANSWER_ALTERNATIVES, 0, 0, ctx); ++a)
        out.push_back(reinterpret_cast<const char*>(CgrGetAnswers(CGR_ANSWER_TEXT, 0, int32_t(a), ctx)));
    CgrCloseContext(ctx);
    return out;
}

Stroke line(float x0, float y0, float x1, float y1, int steps = 12)
{
    Stroke s;
    for (int i = 0; i <= steps; ++i)
        s.push_back({ x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps });
    return s;
}

Stroke ellipse(float cx, float cy, float rx, float ry)
{
    Stroke s;
    for (int i = 0; i <= 40; ++i) {
        const float a = float(i) / 40 * 6.2831853f - 1.5707963f;
        s.push_back({ cx + rx * std::cos(a), cy + ry * std::sin(a) });
    }
    return s;
}

Stroke dot(float x, float y)
{
    return { { x, y }, { x + 1.5f, y + 1 } };
}

// A small ring `size` pixels across with its top-left corner at (x, y); with
// `turns` above 1 it goes round again, shrinking, as a scribbled blob does.
Stroke ring(float x, float y, float size, float turns = 1.1f)
{
    Stroke s;
    const float r = size / 2;
    for (int i = 0; i <= 24; ++i) {
        const float t = float(i) / 24, a = t * turns * 6.2831853f, k = turns > 1.5f ? 1 - 0.6f * t : 1;
        s.push_back({ x + r + r * k * std::cos(a), y + r + r * k * std::sin(a) });
    }
    return s;
}

// Ink and the first reading it must give.
struct SInkCase
{
    const char* what;
    std::vector<Stroke> strokes;
    const char* want;
};

void expectFirstReadings(int32_t dict, const std::vector<SInkCase>& cases)
{
    for (const SInkCase& c : cases)
        EXPECT_EQ(recognise(dict, c.strokes).at(0), c.want) << c.what;
}

} // namespace

TEST(CalligModelFile, AcceptsAWellFormedFileAndRefusesDamagedOrHostileOnes)
{
    const std::vector<uint8_t> good = CCalligModel::Pack(tinyPayload());
    int32_t dict = 0;
    ASSERT_EQ(load(good, &dict), CGR_OK);
    EXPECT_GT(dict, 0);
    EXPECT_EQ(CgrGetDictStatus(dict), CGR_OK);
    EXPECT_EQ(CgrFreeDict(&dict), CGR_OK);
    EXPECT_EQ(dict, 0);

    std::vector<std::pair<std::string, std::vector<uint8_t>>> refused;
    refused.push_back({ "empty", {} });
    refused.push_back({ "magic only", std::vector<uint8_t>(good.begin(), good.begin() + 8) });
    refused.push_back({ "half a header", std::vector<uint8_t>(good.begin(), good.begin() + 20) });
    refused.push_back({ "text file", std::vector<uint8_t> { 'h', 'e', 'l', 'l', 'o' } });
    refused.push_back({ "cut in the payload", std::vector<uint8_t>(good.begin(), good.end() - 5) });
    auto flipped = good;
    flipped[40] ^= 0x10;
    refused.push_back({ "payload bit flipped", flipped });
    auto header = good;
    header[13] ^= 1;
    refused.push_back({ "header bit flipped", header });
    // Hostile headers with a correct header checksum.
    auto huge = good;
    putU32(huge, 12, 0xFFFFFFF0u);
    putU32(huge, 20, 0x00400000u);
    resealHeader(huge);
    refused.push_back({ "huge length", huge });
    auto blocks = good;
    putU32(blocks, 20, 7);
    resealHeader(blocks);
    refused.push_back({ "block count", blocks });
    auto version = good;
    putU32(version, 8, 2);
    resealHeader(version);
    refused.push_back({ "version", version });
    // Well-sealed files whose content does not describe a usable network.
    refused.push_back({ "no layers", CCalligModel::Pack(CCalligModel::MakePayload(0, 1, 1, 1, {})) });
    refused.push_back(
        { "oversized layer", CCalligModel::Pack(CCalligModel::MakePayload(1000, 1, 1, 1, {})) });
    auto shortWeights = tinyPayload();
    shortWeights.resize(shortWeights.size() - 4);
    refused.push_back({ "weights missing", CCalligModel::Pack(shortWeights) });
    refused.push_back({ "weight not a number", CCalligModel::Pack(tinyPayload(NAN)) });

    for (const auto& [name, file] : refused) {
        int32_t handle = -5;
        EXPECT_NE(load(file, &handle), CGR_OK) << name;
        EXPECT_EQ(handle, -5) << name << ": handle untouched";
    }
    EXPECT_NE(CgrLoadDict(nullptr, &dict), CGR_OK);
}

// The checksum of every length and alignment, whole or in pieces, is that of
// the plain byte-at-a-time CRC-32 (the check value of "123456789" included).
TEST(CalligModelFile, ChecksumMatchesTheByteAtATimeCrcAtEveryLengthAndOffset)
{
    const auto reference = [](const uint8_t* p, size_t n, uint32_t crc) {
        crc = ~crc;
        while (n--) {
            crc ^= *p++;
            for (int k = 0; k < 8; ++k)
                crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
        }
        return ~crc;
    };
    const char check[] = "123456789";
    EXPECT_EQ(CCalligModel::Crc32(reinterpret_cast<const uint8_t*>(check), 9), 0xCBF43926u);
    std::vector<uint8_t> bytes(70);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = uint8_t(i * 37 + 11);
    for (size_t from = 0; from < 8; ++from)
        for (size_t n = 0; from + n <= bytes.size(); ++n) {
            ASSERT_EQ(CCalligModel::Crc32(bytes.data() + from, n), reference(bytes.data() + from, n, 0))
                << from << "+" << n;
            const size_t half = n / 3;
            ASSERT_EQ(CCalligModel::Crc32(bytes.data() + from + half, n - half,
                          CCalligModel::Crc32(bytes.data() + from, half)),
                reference(bytes.data() + from, n, 0))
                << from << "+" << n;
        }
}

TEST(CalligModelFile, ReadsAMultiBlockFileTheSameFromTheLibrary)
{
    // The committed model spans many blocks and is what the control loads.
    const auto file = trainedModel();
    ASSERT_GT(file.size(), 4 * CCalligModel::kBlockSize) << "model missing from the build folder";
    int32_t dict = 0;
    ASSERT_EQ(load(file, &dict), CGR_OK);
    EXPECT_EQ(CgrFreeDict(&dict), CGR_OK);
    EXPECT_NE(CgrFreeDict(&dict), CGR_OK) << "already freed";
}

// The classifier stores its weights rearranged for speed; its scores must stay
// those of the network as the file lays it out, evaluated the plain way.
TEST(CalligModelFile, ANetworkScoresAsItsLayersInFileOrderDescribe)
{
    const int c1 = 3, c2 = 5, c3 = 4, dn = 6; // all different, so a swapped index shows
    std::vector<float> w(CCalligModel::WeightCount(c1, c2, c3, dn));
    for (size_t i = 0; i < w.size(); ++i)
        w[i] = 0.6f * std::sin(float(i) * 0.91f + 0.3f) + 0.05f;
    auto file = CCalligModel::Pack(CCalligModel::MakePayload(c1, c2, c3, dn, w));
    file.resize(file.size() + CCalligModel::kMaxOverRead, 0);
    const auto model = CCalligModel::Load(file.data());
    ASSERT_TRUE(model);

    const float* at = w.data();
    auto conv = [&at](const std::vector<float>& in, int inC, int side, int outC) {
        const float* k = at;
        const float* bias = at + size_t(outC) * inC * 9;
        at = bias + outC;
        std::vector<float> out(size_t(outC) * side * side);
        for (int o = 0; o < outC; ++o)
            for (int y = 0; y < side; ++y)
                for (int x = 0; x < side; ++x) {
                    float sum = bias[o];
                    for (int i = 0; i < inC; ++i)
                        for (int ky = 0; ky < 3; ++ky)
                            for (int kx = 0; kx < 3; ++kx) {
                                const int sy = y + ky - 1, sx = x + kx - 1;
                                if (sy >= 0 && sy < side && sx >= 0 && sx < side)
                                    sum += k[((o * inC + i) * 3 + ky) * 3 + kx] * in[(i * side + sy) * side + sx];
                            }
                    out[(o * side + y) * side + x] = std::max(sum, 0.0f);
                }
        return out;
    };
    auto pool = [](const std::vector<float>& in, int channels, int side) {
        const int h = side / 2;
        std::vector<float> out(size_t(channels) * h * h);
        for (int c = 0; c < channels; ++c)
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < h; ++x) {
                    const float* s = &in[(c * side + 2 * y) * side + 2 * x];
                    out[(c * h + y) * h + x] = std::max(std::max(s[0], s[1]), std::max(s[side], s[side + 1]));
                }
        return out;
    };
    auto dense = [&at](const std::vector<float>& in, int outN, bool relu) {
        const float* k = at;
        const float* bias = at + size_t(outN) * in.size();
        at = bias + outN;
        std::vector<float> out(outN);
        for (int o = 0; o < outN; ++o) {
            float sum = bias[o];
            for (size_t i = 0; i < in.size(); ++i)
                sum += k[o * in.size() + i] * in[i];
            out[o] = relu ? std::max(sum, 0.0f) : sum;
        }
        return out;
    };

    // A stroke with soft edges on a background of zeros.
    std::vector<float> image(28 * 28, 0.0f);
    for (int y = 4; y < 24; ++y)
        for (int x = 0; x < 28; ++x)
            image[y * 28 + x] = std::max(0.0f, 1.0f - std::abs(float(x) - 8.0f - 0.5f * float(y)) / 3.0f);
    auto a = pool(conv(image, 1, 28, c1), c1, 28);
    a = pool(conv(a, c1, 14, c2), c2, 14);
    a = pool(conv(a, c2, 7, c3), c3, 7);
    const auto logits = dense(dense(a, dn, true), 10, false);
    ASSERT_EQ(at, w.data() + w.size());

    float expected[10], sum = 0;
    const float top = *std::max_element(logits.begin(), logits.end());
    for (int c = 0; c < 10; ++c)
        sum += expected[c] = std::exp(logits[c] - top);
    float scores[10];
    model->Classify(image.data(), scores);
    for (int c = 0; c < 10; ++c)
        EXPECT_NEAR(scores[c], expected[c] / sum, 1e-5f) << c;
    EXPECT_GT(*std::max_element(expected, expected + 10) / sum, 0.15f) << "scores this flat test nothing";
}

// Networks trained apart are kept in one file and averaged in the log domain.
TEST(CalligModelFile, SeveralNetworksAreAveragedAndTheirNumberIsBounded)
{
    const size_t n = CCalligModel::WeightCount(2, 2, 2, 3);
    auto network = [n](float phase) {
        std::vector<float> w(n);
        for (size_t i = 0; i < n; ++i)
            w[i] = 0.5f * std::sin(float(i) * 0.37f + phase);
        return CCalligModel::MakePayload(2, 2, 2, 3, w);
    };
    const auto a = network(0.0f), b = network(1.3f);
    auto both = a;
    both.insert(both.end(), b.begin(), b.end());
    auto loadModel = [](const std::vector<uint8_t>& payload) {
        auto file = CCalligModel::Pack(payload);
        file.resize(file.size() + CCalligModel::kMaxOverRead, 0);
        std::string error;
        auto model = CCalligModel::Load(file.data(), &error);
        EXPECT_TRUE(model || !error.empty());
        return model;
    };
    const auto ma = loadModel(a), mb = loadModel(b), mab = loadModel(both);
    ASSERT_TRUE(ma && mb && mab);
    EXPECT_EQ(mab->NetworkCount(), 2u);

    std::vector<float> image(28 * 28);
    for (int i = 0; i < 28 * 28; ++i)
        image[i] = (i / 28 > 6 && i / 28 < 20 && i % 28 > 10 && i % 28 < 16) ? 1.0f : 0.0f;
    float sa[10], sb[10], sab[10];
    ma->Classify(image.data(), sa);
    mb->Classify(image.data(), sb);
    mab->Classify(image.data(), sab);
    float sum = 0;
    for (int c = 0; c < 10; ++c) {
        sum += sab[c];
        // Ratios against class 0 are the geometric mean of the members' ratios.
        EXPECT_NEAR(
            std::log(sab[c] / sab[0]), 0.5f * (std::log(sa[c] / sa[0]) + std::log(sb[c] / sb[0])), 1e-4)
            << c;
    }
    EXPECT_NEAR(sum, 1.0f, 1e-5);

    std::vector<uint8_t> nine;
    for (size_t i = 0; i < CCalligModel::kMaxNetworks + 1; ++i)
        nine.insert(nine.end(), a.begin(), a.end());
    std::vector<uint8_t> eight(nine.begin(), nine.begin() + a.size() * CCalligModel::kMaxNetworks);
    EXPECT_TRUE(loadModel(eight));
    EXPECT_FALSE(loadModel(nine)) << "more networks than the bound";
    auto partial = a;
    partial.insert(partial.end(), b.begin(), b.begin() + 30);
    EXPECT_FALSE(loadModel(partial)) << "a second network cut short";
    auto counts = a;
    counts.insert(counts.end(), b.begin(), b.begin() + 20);
    EXPECT_FALSE(loadModel(counts)) << "a second network's sizes without weights";
}

TEST(CalligSession, CallsOutOfOrderOrWithUnknownHandlesFailWithoutEffect)
{
    const int32_t ctx = CgrCreateContext();
    ASSERT_GT(ctx, 0);
    const int16_t pts[4] = { 200, 200, 210, 230 };
    EXPECT_NE(CgrRecognize(2, pts, ctx), CGR_OK) << "no session";
    EXPECT_NE(CgrCloseSession(ctx), CGR_OK) << "no session";
    const uint32_t unknownDict[6] = { 0x412, 0, 987654, 0, 0, 0 };
    EXPECT_NE(CgrOpenSession(unknownDict, ctx), CGR_OK);
    EXPECT_NE(CgrOpenSession(nullptr, ctx), CGR_OK);
    const uint32_t none[6] = { 0x412, 0, 0, 0, 0, 0 };
    EXPECT_NE(CgrOpenSession(none, ctx + 1000), CGR_OK);
    ASSERT_EQ(CgrOpenSession(none, ctx), CGR_OK);
    EXPECT_NE(CgrRecognize(-1, pts, ctx), CGR_OK);
    EXPECT_NE(CgrRecognize(2, nullptr, ctx), CGR_OK);
    EXPECT_EQ(CgrRecognize(2, pts, ctx), CGR_OK);
    EXPECT_EQ(CgrCloseSession(ctx), CGR_OK);
    // Without a dictionary the session completes and reports no words.
    EXPECT_EQ(CgrGetAnswers(CGR_ANSWER_WORDS, 0, 0, ctx), 0);
    EXPECT_EQ(CgrGetAnswers(CGR_ANSWER_ALTERNATIVES, 0, 0, ctx), 0);
    EXPECT_EQ(CgrGetAnswers(CGR_ANSWER_TEXT, 0, 0, ctx), 0);
    EXPECT_EQ(CgrGetAnswers(CGR_ANSWER_WORDS, 0, 0, ctx + 1000), 0);
    EXPECT_EQ(CgrSaveDict("/tmp/x.voc", 1), CGR_ERR_UNSUPPORTED);
    EXPECT_EQ(CgrCloseContext(ctx), CGR_OK);
    EXPECT_NE(CgrCloseContext(ctx), CGR_OK);
}

TEST(CalligSession, AFreedDictionaryCannotOpenSessionsButARunningSessionKeepsIt)
{
    int32_t dict = 0;
    ASSERT_EQ(load(trainedModel(), &dict), CGR_OK);
    const int32_t ctx = CgrCreateContext();
    const uint32_t settings[6] = { 0x412, 0, uint32_t(dict), 0, 0, 0 };
    ASSERT_EQ(CgrOpenSession(settings, ctx), CGR_OK);
    int32_t copy = dict;
    ASSERT_EQ(CgrFreeDict(&copy), CGR_OK);
    const Stroke one = line(20, 10, 21, 60);
    std::vector<int16_t> pts;
    for (auto [x, y] : one) {
        pts.push_back(int16_t(long(x * 1000) / 700 + 200));
        pts.push_back(int16_t(long(y * 1000) / 1000 + 200));
    }
    EXPECT_EQ(CgrRecognize(int32_t(one.size()), pts.data(), ctx), CGR_OK);
    EXPECT_EQ(CgrCloseSession(ctx), CGR_OK);
    EXPECT_EQ(CgrGetAnswers(CGR_ANSWER_WORDS, 0, 0, ctx), 1);
    EXPECT_STREQ(reinterpret_cast<const char*>(CgrGetAnswers(CGR_ANSWER_TEXT, 0, 0, ctx)), "1");
    EXPECT_NE(CgrOpenSession(settings, ctx), CGR_OK);
    CgrCloseContext(ctx);
}

TEST(CalligRecognition, ALoneMarkIsAPointOrAMinusByItsShapeAndSize)
{
    int32_t dict = 0;
    ASSERT_EQ(load(trainedModel(), &dict), CGR_OK);
    struct Case
    {
        const char* what;
        Stroke stroke;
        bool point, minus;
    };
    const Case cases[] = {
        { "a tap of two points", dot(20, 50), true, false },
        { "a tap of one point", { { 20, 50 } }, true, false },
        { "a ring 10 px across", ring(20, 40, 10), true, false },
        { "a ring 13 px across", ring(20, 40, 13), true, false },
        { "a scribbled blob 12 px across", ring(20, 40, 12, 2.5f), true, false },
        { "a short flat stroke", line(10, 30, 40, 32), false, true },
        { "a dash 12 px long", line(10, 30, 22, 31), false, true },
        { "a digit-sized ring", ring(10, 10, 30), false, false },
        { "a short upright stroke", line(20, 30, 20, 44), false, false },
        { "a flat stroke that bends", { { 10, 30 }, { 25, 42 }, { 40, 30 } }, false, false },
    };
    for (const Case& c : cases) {
        const std::string got = recognise(dict, { c.stroke }).at(0);
        EXPECT_EQ(got == ".", c.point) << c.what << " read as " << got;
        EXPECT_EQ(got == "-", c.minus) << c.what << " read as " << got;
    }
    CgrFreeDict(&dict);
}

TEST(CalligRecognition, BesideDigitsAMarkIsJudgedAgainstTheLine)
{
    int32_t dict = 0;
    ASSERT_EQ(load(trainedModel(), &dict), CGR_OK);
    // Digits 50 pixels high: a minus in the middle band, a dot on the line.
    EXPECT_EQ(recognise(dict, { line(0, 35, 25, 36), line(45, 10, 46, 60) }).at(0), "-1");
    EXPECT_EQ(recognise(dict, { line(10, 10, 11, 60), dot(30, 58), ellipse(60, 35, 14, 25) }).at(0), "1.0");
    // A pupil's ring on the line is a point, not a 0.
    EXPECT_EQ(
        recognise(dict, { line(10, 10, 11, 60), ring(24, 48, 12), ellipse(65, 35, 14, 25) }).at(0), "1.0");
    // The same ring tucked under the bar of a 7 is still its own character.
    EXPECT_EQ(
        recognise(dict, { line(0, 10, 30, 10), line(30, 10, 12, 60), ring(24, 48, 11), line(55, 10, 56, 60) })
            .at(0),
        "7.1");
    // Large writing has large dots: beside digits 100 pixels high, a ring 24
    // pixels across under the bar of a 7.
    EXPECT_EQ(recognise(dict,
                  { line(0, 10, 60, 10), line(60, 10, 24, 110), ring(48, 86, 24), line(110, 10, 112, 110) })
                  .at(0),
        "7.1");
    // Digits 22 pixels high, as in a small cell: a dash no longer than a tap is
    // wide is still a minus.
    EXPECT_EQ(recognise(dict, { line(0, 21, 7, 21.5f), line(15, 10, 15.5f, 32) }).at(0), "-1");
    // Between such digits a ring up to two thirds of the line, sitting on its
    // foot, is the point.
    EXPECT_EQ(
        recognise(dict, { line(10, 10, 10.5f, 32), ring(16, 19, 13), ellipse(43, 21, 6, 11) }).at(0), "1.0");
    // A number has one point: a second mark of point size beside it (a speck, a
    // tap the pupil made twice) is passed over.
    EXPECT_EQ(recognise(dict, { line(10, 10, 11, 60), dot(26, 58), dot(34, 57), ellipse(60, 35, 14, 25) }).at(0),
        "1.0");
    EXPECT_EQ(recognise(dict, { line(10, 10, 11, 60), ring(22, 48, 11), dot(38, 58), ellipse(65, 35, 14, 25) })
                  .at(0),
        "1.0");
    // Nor does a number end in its point: a mark after the last digit is a speck.
    EXPECT_EQ(recognise(dict, { line(10, 10, 11, 60), dot(26, 58) }).at(0), "1");
    EXPECT_EQ(recognise(dict, { line(10, 10, 11, 60), ring(22, 48, 11) }).at(0), "1");
    // Nor begin with it (pupils write 0.5): a speck before the first digit is passed over.
    EXPECT_EQ(recognise(dict, { dot(0, 12), line(20, 10, 21, 60) }).at(0), "1");
    EXPECT_EQ(recognise(dict, { ring(0, 48, 11), line(20, 10, 21, 60), ellipse(55, 35, 14, 25) }).at(0), "10");
    // A ring of that size high in the line, level with the digits' tops, is no point.
    const std::string high
        = recognise(dict, { line(10, 10, 11, 60), ring(24, 10, 12), ellipse(65, 35, 14, 25) }).at(0);
    EXPECT_EQ(high.find('.'), std::string::npos) << high;
    // In small writing the lower loop of an 8 written as two circles is as
    // small as a ring point and as low, but it sits right under the upper loop.
    EXPECT_EQ(recognise(dict, { ellipse(40, 16, 5.5f, 6), ellipse(40, 31, 6, 6) }).at(0), "8");
    EXPECT_EQ(
        recognise(dict, { line(20, 10, 20.5f, 37), ellipse(40, 16, 5.5f, 6), ellipse(40, 31, 6, 6) }).at(0),
        "18");
    // Nor is a short stroke high between two digits (a piece of the traced
    // digit beside it): it is passed over, not read "1.0".
    EXPECT_EQ(
        recognise(dict, { line(10, 10, 11, 60), line(30, 18, 30, 27), ellipse(60, 35, 14, 25) }).at(0), "10");
    CgrFreeDict(&dict);
}

// A pupil's comma: a head (a tap or none) and a short tail running down to the
// left, `length` pixels long from (x, y).
Stroke comma(float x, float y, float length, bool head)
{
    Stroke s;
    if (head)
        s = { { x, y }, { x + 1, y + 1 }, { x, y + 1.5f } };
    for (int i = 1; i <= 8; ++i) {
        const float t = i / 8.0f;
        s.push_back({ x + 0.2f * length * std::sin(3.1416f * t) - 0.4f * length * t * t, y + length * t });
    }
    return s;
}

TEST(CalligRecognition, ACommaIsTheSeparatorAloneAndBesideDigits)
{
    int32_t dict = 0;
    ASSERT_EQ(load(trainedModel(), &dict), CGR_OK);
    const struct
    {
        const char* what;
        std::vector<Stroke> ink;
        std::string read; // "" = anything without a "."
    } cases[] = {
        { "a lone comma with a head", { comma(30, 30, 14, true) }, "." },
        { "a lone comma, only its tail", { comma(30, 30, 10, false) }, "." },
        { "a lone comma 20 px long", { comma(30, 30, 20, false) }, "." },
        { "a slanted stroke of digit size", { line(40, 10, 28, 50) }, "" },
        { "a comma on the line between digits 50 px high",
            { line(10, 10, 11, 60), comma(26, 57, 16, true), ellipse(55, 35, 14, 25) }, "1.0" },
        { "a comma tucked under the bar of a 7",
            { line(0, 10, 30, 10), line(30, 10, 12, 60), comma(26, 56, 14, false), line(55, 10, 56, 60) },
            "7.1" },
        { "a minus, a digit, a comma, a digit",
            { line(0, 35, 20, 36), line(35, 10, 36, 60), comma(48, 58, 15, true), line(65, 10, 66, 60) },
            "-1.1" },
        { "the same tail high in the line, an apostrophe",
            { line(10, 10, 11, 60), comma(26, 8, 16, true), ellipse(55, 35, 14, 25) }, "" },
    };
    for (const auto& c : cases) {
        const std::string got = recognise(dict, c.ink).at(0);
        if (c.read.empty())
            EXPECT_EQ(got.find('.'), std::string::npos) << c.what << " read as " << got;
        else
            EXPECT_EQ(got, c.read) << c.what;
    }
    CgrFreeDict(&dict);
}

TEST(CalligRecognition, AFiveWhoseFlagIsWrittenApartStaysOneDigit)
{
    int32_t dict = 0;
    ASSERT_EQ(load(trainedModel(), &dict), CGR_OK);
    // The body of a 5 about 32 pixels high: down, then the belly.
    const Stroke body = { { 14, 20 }, { 13, 27 }, { 12, 33 }, { 18, 30 }, { 25, 31 }, { 30, 36 }, { 31, 42 },
        { 28, 48 }, { 21, 51 }, { 14, 51 }, { 8, 48 } };
    expectFirstReadings(dict,
        {
            { "a flag as wide as the body", { body, line(15, 19, 32, 18) }, "5" },
            { "a flag running twice the body's width to the right", { body, line(26, 18, 80, 15) }, "5" },
            { "the long-flagged 5, then a 1", { body, line(26, 18, 80, 15), line(100, 18, 99, 52) }, "51" },
        });
    CgrFreeDict(&dict);
}

TEST(CalligRecognition, AStrayTickBesideADigitIsNoDigitOfItsOwn)
{
    int32_t dict = 0;
    ASSERT_EQ(load(trainedModel(), &dict), CGR_OK);
    // A 4 and a 1 about 50 pixels high, and ticks a third of that: too long for a dot.
    const Stroke fourOpen = { { 42, 12 }, { 38, 24 }, { 34, 36 }, { 33, 42 }, { 46, 42 }, { 62, 41 } };
    const Stroke fourStem = line(54, 22, 54, 62);
    const Stroke one = line(90, 12, 88, 62);
    expectFirstReadings(dict,
        {
            { "a tick left of a 4", { line(4, 26, 5, 42), fourOpen, fourStem }, "4" },
            { "a tick right of a 1", { one, line(110, 42, 111, 58) }, "1" },
            { "a 4 and a 1 of one height", { fourOpen, fourStem, one }, "41" },
            { "two 1s", { line(40, 12, 38, 62), one }, "11" },
        });
    CgrFreeDict(&dict);
}

// A pen stops where the pupil lifts it: a 4 written in two strokes whose bar
// stops short of the stem is still one digit, and a 1 written after a 4 at the
// usual distance is still a digit of its own.
TEST(CalligRecognition, AStrokeStoppingShortOfItsStemStaysOneDigit)
{
    int32_t dict = 0;
    ASSERT_EQ(load(trainedModel(), &dict), CGR_OK);
    Stroke open = line(14, 0, 4, 36);
    const Stroke bar = line(4, 36, 23, 36);
    open.insert(open.end(), bar.begin() + 1, bar.end());
    const Stroke stem = line(28, 8, 28, 60);
    expectFirstReadings(dict,
        {
            { "the bar short of the stem", { open, stem }, "4" },
            { "then a 1", { open, stem, line(50, 2, 50, 60) }, "41" },
        });
    CgrFreeDict(&dict);
}

TEST(CalligRecognition, ContinentalOnesAndSevensKeepTheirDigit)
{
    int32_t dict = 0;
    ASSERT_EQ(load(trainedModel(), &dict), CGR_OK);
    const Stroke flag = line(18, 26, 32, 10), stem = line(32, 10, 31, 62), foot = line(20, 62, 42, 62);
    const Stroke bar = line(8, 10, 40, 10), diagonal = line(40, 10, 22, 62), cross = line(20, 36, 40, 36);
    expectFirstReadings(dict,
        {
            { "a flagged 1", { flag, stem }, "1" },
            { "a flagged 1 with a foot", { flag, stem, foot }, "1" },
            { "a crossed 7", { bar, diagonal, cross }, "7" },
            { "a plain 7", { bar, diagonal }, "7" },
        });
    CgrFreeDict(&dict);
}

TEST(CalligRecognition, ANumberWrittenAcrossCellsIsOneWordWithRankedAlternatives)
{
    int32_t dict = 0;
    ASSERT_EQ(load(trainedModel(), &dict), CGR_OK);
    // "7" as two strokes whose bar crosses the stem, then "0", then "1".
    intptr_t words = 0;
    const auto field = recognise(dict,
        { line(0, 10, 30, 10), line(30, 10, 12, 60), line(8, 36, 26, 34), ellipse(60, 35, 14, 25),
            line(95, 10, 94, 60) },
        &words);
    EXPECT_EQ(words, 1) << "one number is one word, so the control takes it whole";
    ASSERT_GE(field.size(), 2u);
    EXPECT_EQ(field[0], "701");
    for (const auto& alternative : field)
        EXPECT_EQ(alternative.size(), 3u);
    EXPECT_NE(field[0], field[1]);
    CgrFreeDict(&dict);
}
