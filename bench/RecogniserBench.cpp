// Accuracy and speed of the handwriting recogniser through its real exported
// calls (libcallig.so loaded with dlopen, Calligrapher.voc through CgrLoadDict).
//
// Accuracy uses handwritten digits the model never trained on (the validation
// slice of tools/train/train.py) traced into pen strokes
// (bench/data/HeldOutDigitStrokes.bin), sent the way the control sends ink:
// thousandths of a pixel, x / 700 + 200, y / 1000 + 200. Continental 1s and
// 7s, dots drawn as rings and touching digits are made from the same strokes.
// It is printed first; the timings follow as Google Benchmark results.
//   build/bench/RecogniserBench [--benchmark_filter=...]

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

using Stroke = std::vector<std::pair<float, float>>;
struct SSample
{
    int label = 0;
    std::vector<Stroke> strokes; // 56-unit grid
};

struct SApi
{
    void* lib = nullptr;
    int32_t (*LoadDict)(const void*, int32_t*) = nullptr;
    int32_t (*FreeDict)(int32_t*) = nullptr;
    int32_t (*CreateContext)() = nullptr;
    int32_t (*CloseContext)(int32_t) = nullptr;
    int32_t (*OpenSession)(const uint32_t*, int32_t) = nullptr;
    int32_t (*Recognize)(int32_t, const int16_t*, int32_t) = nullptr;
    int32_t (*CloseSession)(int32_t) = nullptr;
    intptr_t (*GetAnswers)(int32_t, int32_t, int32_t, int32_t) = nullptr;
    int32_t dict = 0;
    int32_t ctx = 0;
};

// Another model or stroke set can be given to compare candidates through the
// same calls (train.py --validate writes a validation set for that).
std::string fromEnv(const char* name, const std::string& fallback)
{
    const char* v = std::getenv(name);
    return v && *v ? std::string(v) : fallback;
}
// KESTAVO_BENCH_LIB measures another build of the recogniser (a reader before a change).
const std::string kLib = fromEnv("KESTAVO_BENCH_LIB", std::string(KESTAVO_TEST_LIB_DIR) + "/libcallig.so");
// KESTAVO_BENCH_ONLY=cells,others,lifts,continental,marks,commas,fields measures only those
// parts; each part draws from a generator of its own, so its figures are the
// same alone or with the others.
const std::string kOnly = fromEnv("KESTAVO_BENCH_ONLY", "");
bool part(const char* name)
{
    return kOnly.empty() || kOnly.find(name) != std::string::npos;
}
const std::string kModel
    = fromEnv("KESTAVO_BENCH_MODEL", std::string(KESTAVO_TEST_LIB_DIR) + "/Calligrapher.voc");
// KESTAVO_BENCH_FAILS=1 prints every misread mark, comma and field.
const bool kShowFails = !fromEnv("KESTAVO_BENCH_FAILS", "").empty();
const std::string kEval = fromEnv(
    "KESTAVO_BENCH_STROKES", std::string(KESTAVO_TEST_SOURCE_DIR) + "/bench/data/HeldOutDigitStrokes.bin");
// KESTAVO_BENCH_OTHERS: digits by other writers, traced the same way.
const std::string kOthers = fromEnv(
    "KESTAVO_BENCH_OTHERS", std::string(KESTAVO_TEST_SOURCE_DIR) + "/bench/data/OtherHandDigitStrokes.bin");

std::vector<uint8_t> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool open(SApi& api)
{
    api.lib = dlopen(kLib.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!api.lib)
        return false;
    auto get = [&](auto& slot, const char* name) {
        slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(dlsym(api.lib, name));
    };
    get(api.LoadDict, "CgrLoadDict");
    get(api.FreeDict, "CgrFreeDict");
    get(api.CreateContext, "CgrCreateContext");
    get(api.CloseContext, "CgrCloseContext");
    get(api.OpenSession, "CgrOpenSession");
    get(api.Recognize, "CgrRecognize");
    get(api.CloseSession, "CgrCloseSession");
    get(api.GetAnswers, "CgrGetAnswers");
    std::vector<uint8_t> file = readFile(kModel);
    file.resize(file.size() + 4096, 0);
    if (api.LoadDict(file.data(), &api.dict) != 0)
        return false;
    api.ctx = api.CreateContext();
    return true;
}

void close(SApi& api)
{
    api.CloseContext(api.ctx);
    api.FreeDict(&api.dict);
    dlclose(api.lib);
    api.lib = nullptr;
}

std::vector<SSample> readEval(const std::string& path)
{
    const std::vector<uint8_t> f = readFile(path);
    std::vector<SSample> out;
    if (f.size() < 8 || std::memcmp(f.data(), "KDGE", 4) != 0)
        return out;
    uint32_t count = 0;
    std::memcpy(&count, &f[4], 4);
    size_t at = 8;
    for (uint32_t i = 0; i < count && at + 2 <= f.size(); ++i) {
        SSample s;
        s.label = f[at] % 10;
        const int strokes = f[at + 1];
        at += 2;
        for (int k = 0; k < strokes && at + 2 <= f.size(); ++k) {
            const int n = f[at] | f[at + 1] << 8;
            at += 2;
            Stroke st;
            for (int p = 0; p < n && at + 2 <= f.size(); ++p, at += 2)
                st.push_back({ float(f[at]), float(f[at + 1]) });
            s.strokes.push_back(st);
        }
        out.push_back(std::move(s));
    }
    return out;
}

// Strokes in pixels, placed: scale, then offset.
std::vector<Stroke> place(const std::vector<Stroke>& in, float scale, float dx, float dy)
{
    std::vector<Stroke> out;
    for (const auto& s : in) {
        Stroke t;
        for (auto [x, y] : s)
            t.push_back({ x * scale + dx, y * scale + dy });
        out.push_back(t);
    }
    return out;
}

void bounds(const std::vector<Stroke>& in, float& l, float& t, float& r, float& b)
{
    l = t = 1e9f;
    r = b = -1e9f;
    for (const auto& s : in)
        for (auto [x, y] : s) {
            l = std::min(l, x);
            r = std::max(r, x);
            t = std::min(t, y);
            b = std::max(b, y);
        }
}

// One session through the real calls; the first alternative of word 0, or "".
std::string recognise(const SApi& api, const std::vector<Stroke>& strokes)
{
    const uint32_t settings[6] = { 0x412, 0, uint32_t(api.dict), 0, 0, 0 };
    api.OpenSession(settings, api.ctx);
    std::vector<int16_t> pts;
    for (const auto& s : strokes) {
        pts.clear();
        for (auto [x, y] : s) {
            pts.push_back(int16_t(long(std::lround(x * 1000)) / 700 + 200));
            pts.push_back(int16_t(long(std::lround(y * 1000)) / 1000 + 200));
        }
        api.Recognize(int32_t(s.size()), pts.data(), api.ctx);
    }
    api.CloseSession(api.ctx);
    if (api.GetAnswers(1, 0, 0, api.ctx) < 1)
        return "";
    const char* text = reinterpret_cast<const char*>(api.GetAnswers(3, 0, 0, api.ctx));
    return text ? text : "";
}

Stroke minusStroke(std::mt19937& rng, float x, float y, float length)
{
    std::uniform_real_distribution<float> u(-1, 1);
    const float slope = std::tan(u(rng) * 8.0f * 3.14159f / 180);
    const int n = 5 + int(rng() % 12);
    Stroke s;
    for (int i = 0; i < n; ++i) {
        const float t = float(i) / (n - 1);
        s.push_back({ x + t * length, y + t * length * slope + u(rng) * 0.8f });
    }
    return s;
}

Stroke dotStroke(std::mt19937& rng, float x, float y)
{
    std::uniform_real_distribution<float> u(0, 1);
    Stroke s;
    const int n = 1 + int(rng() % 4);
    for (int i = 0; i < n; ++i)
        s.push_back({ x + u(rng) * 4, y + u(rng) * 4 });
    return s;
}

// A pupil's dot drawn as a small ring (sometimes not quite closed, sometimes
// going round again) or a scribbled blob, `size` pixels across.
Stroke ringStroke(std::mt19937& rng, float x, float y, float size)
{
    std::uniform_real_distribution<float> u(0, 1);
    const float rx = size / 2, ry = rx * (0.7f + 0.3f * u(rng));
    const float start = u(rng) * 6.2832f;
    const bool blob = rng() % 4 == 0;
    const float turns = blob ? 2.0f + u(rng) : 0.85f + 0.35f * u(rng);
    const int n = 10 + int(rng() % 15);
    Stroke s;
    for (int i = 0; i < n; ++i) {
        const float t = float(i) / (n - 1);
        const float shrink = blob ? 1.0f - 0.7f * t : 1.0f;
        const float a = start + t * turns * 6.2832f;
        s.push_back({ x + rx + rx * shrink * std::cos(a) + (u(rng) - 0.5f) * 0.8f,
            y + ry + ry * shrink * std::sin(a) + (u(rng) - 0.5f) * 0.8f });
    }
    return s;
}

// A decimal comma as pupils write it, one stroke from its head at (x, y) down
// a tail `length` pixels long: a tapped or circled head (or none) and a tail
// that runs down to the left, straight or curving out to the right first.
Stroke commaStroke(std::mt19937& rng, float x, float y, float length)
{
    std::uniform_real_distribution<float> u(0, 1);
    Stroke s;
    const int head = int(rng() % 3); // 0 none, 1 tapped, 2 circled
    if (head == 1) {
        for (int i = 0, n = 2 + int(rng() % 3); i < n; ++i)
            s.push_back({ x + u(rng) * 2, y + u(rng) * 2 });
    } else if (head == 2) {
        const float r = 1.5f + 1.5f * u(rng);
        for (int i = 0; i < 8; ++i) {
            const float a = float(i) / 8 * 6.2832f;
            s.push_back({ x + r * std::cos(a), y + r + r * std::sin(a) });
        }
    }
    const float drift = length * (0.25f + 0.35f * u(rng)); // leftward at the end
    const float bulge = length * 0.25f * u(rng); // rightward on the way down
    const int n = 6 + int(rng() % 10);
    for (int i = 1; i <= n; ++i) {
        const float t = float(i) / n;
        s.push_back({ x + bulge * std::sin(3.14159f * t) - drift * t * t + (u(rng) - 0.5f) * 0.6f,
            y + length * t + (u(rng) - 0.5f) * 0.6f });
    }
    return s;
}

// The strokes a pupil taught the European way adds to a digit, in its own
// 56-unit grid: a 1 gets an up-stroke flag from low on the left to the top of
// the stem (and every other time a foot), a 7 a crossbar through its stem.
std::vector<Stroke> continental(const std::vector<Stroke>& in, int label, std::mt19937& rng, bool foot)
{
    std::uniform_real_distribution<float> u(0, 1);
    std::pair<float, float> top { 0, 1e9f }, bottom { 0, -1e9f };
    for (const auto& s : in)
        for (auto p : s) {
            if (p.second < top.second)
                top = p;
            if (p.second > bottom.second)
                bottom = p;
        }
    const float h = bottom.second - top.second;
    std::vector<Stroke> out = in;
    auto segment = [&](float x0, float y0, float x1, float y1) {
        Stroke s;
        const int n = 6;
        for (int i = 0; i < n; ++i) {
            const float t = float(i) / (n - 1);
            s.push_back(
                { x0 + t * (x1 - x0) + (u(rng) - 0.5f) * 0.6f, y0 + t * (y1 - y0) + (u(rng) - 0.5f) * 0.6f });
        }
        return s;
    };
    if (label == 1) {
        const float len = std::hypot(bottom.first - top.first, h);
        const float dx = (bottom.first - top.first) / len, dy = h / len;
        const float a = (30 + 20 * u(rng)) * 3.14159f / 180, flag = h * (0.25f + 0.25f * u(rng));
        const float fx = dx * std::cos(a) - dy * std::sin(a), fy = dx * std::sin(a) + dy * std::cos(a);
        out.insert(
            out.begin(), segment(top.first + fx * flag, top.second + fy * flag, top.first, top.second));
        if (foot) {
            const float half = h * (0.15f + 0.15f * u(rng));
            out.push_back(segment(bottom.first - half, bottom.second, bottom.first + half, bottom.second));
        }
    } else if (label == 7) {
        const float y = top.second + h * (0.45f + 0.15f * u(rng));
        std::vector<float> xs;
        for (const auto& s : in)
            for (size_t i = 1; i < s.size(); ++i) {
                const auto [x0, y0] = s[i - 1];
                const auto [x1, y1] = s[i];
                if ((y0 - y) * (y1 - y) <= 0 && y0 != y1)
                    xs.push_back(x0 + (y - y0) * (x1 - x0) / (y1 - y0));
            }
        if (xs.empty())
            return out;
        std::sort(xs.begin(), xs.end());
        const float x = xs[xs.size() / 2], half = h * (0.18f + 0.12f * u(rng));
        out.push_back(segment(x - half, y + (u(rng) - 0.5f) * 2, x + half, y + (u(rng) - 0.5f) * 2));
    }
    return out;
}

// A pen stops where the writer lifts it, not where a traced skeleton ends:
// each end of each stroke is, every other time, lifted short of it by 0.5 to 2
// grid units (a gap where two strokes meet, a loop left open).
std::vector<Stroke> liftedShort(const std::vector<Stroke>& in, std::mt19937& rng)
{
    std::uniform_real_distribution<float> u(0, 1);
    std::vector<Stroke> out;
    for (Stroke s : in) {
        for (int end = 0; end < 2 && s.size() >= 3; ++end) {
            if (u(rng) >= 0.5f)
                continue;
            if (end)
                std::reverse(s.begin(), s.end());
            float want = 0.5f + 1.5f * u(rng);
            size_t k = 0;
            while (k + 2 < s.size()) {
                const float step = std::hypot(s[k + 1].first - s[k].first, s[k + 1].second - s[k].second);
                if (step >= want) {
                    const float t = want / step;
                    s[k] = { s[k].first + t * (s[k + 1].first - s[k].first),
                        s[k].second + t * (s[k + 1].second - s[k].second) };
                    break;
                }
                want -= step;
                ++k;
            }
            s.erase(s.begin(), s.begin() + long(k));
            if (end)
                std::reverse(s.begin(), s.end());
        }
        out.push_back(s);
    }
    return out;
}

std::vector<SSample> g_eval;

// Writing sizes: the 56-unit grid mapped onto cells of 40, 70 and 140 pixels
// (digits about 28, 50 and 100 pixels high).
const float kCellSizes[] = { 40, 70, 140 };

// Each digit alone in a cell at the three sizes: the share read exactly, and
// the confusion matrix.
void readCells(const SApi& api, const std::vector<SSample>& samples, const char* what)
{
    int confusion[10][11] = {};
    int right = 0, total = 0;
    for (float size : kCellSizes) {
        int r = 0;
        for (size_t at = 0; at < samples.size(); ++at) {
            const SSample& s = samples[at];
            const std::string got = recognise(api, place(s.strokes, size / 56, 13, 21));
            const bool ok = got.size() == 1 && got[0] == char('0' + s.label);
            r += ok;
            if (!ok && kShowFails)
                std::printf("  misread digit: %d as %s (%.0f px cells, sample %zu)\n", s.label, got.c_str(),
                    size, at);
            const int col = (got.size() == 1 && got[0] >= '0' && got[0] <= '9') ? got[0] - '0' : 10;
            ++confusion[s.label % 10][col];
        }
        std::printf("  %sper cell, %3.0f px cells: %.2f %% top-1\n", what, size, 100.0 * r / samples.size());
        right += r;
        total += int(samples.size());
    }
    std::printf("  %sper cell, all sizes: %.2f %% (%d of %d)\n", what, 100.0 * right / total, right, total);
    std::printf("  confusion (rows written, columns read, x = not one digit):\n     ");
    for (int c = 0; c < 10; ++c)
        std::printf("%5d", c);
    std::printf("    x\n");
    for (int r = 0; r < 10; ++r) {
        std::printf("  %d: ", r);
        for (int c = 0; c < 11; ++c)
            std::printf("%5d", confusion[r][c]);
        std::printf("\n");
    }
}

void printAccuracy()
{
    SApi api;
    if (!open(api)) {
        std::printf("cannot load %s with %s\n", kLib.c_str(), kModel.c_str());
        return;
    }
    g_eval = readEval(kEval);
    if (g_eval.empty()) {
        std::printf(
            "no evaluation set at %s: run tools/train/train.py (tools/train/README.md)\n", kEval.c_str());
        close(api);
        return;
    }
    std::printf("Model %s\nDigits of %s: %zu, traced into pen strokes\n", kModel.c_str(), kEval.c_str(),
        g_eval.size());
    const auto& sizes = kCellSizes;
    if (part("cells"))
        readCells(api, g_eval, "");
    // Digits by writers who are not in MNIST (tools/train/other_hands.py).
    if (part("others")) {
        const std::vector<SSample> others = readEval(kOthers);
        if (others.empty())
            std::printf("no other hands' digits at %s: run tools/train/other_hands.py\n", kOthers.c_str());
        else {
            std::printf("Digits of %s: %zu, by 43 writers not in MNIST\n", kOthers.c_str(), others.size());
            readCells(api, others, "other hands, ");
        }
    }

    // The validation digits with the pen lifted short of some joins.
    if (part("lifts")) {
        std::mt19937 lrng(17);
        std::vector<SSample> lifted = g_eval;
        for (SSample& s : lifted)
            s.strokes = liftedShort(s.strokes, lrng);
        readCells(api, lifted, "pen lifted short, ");
    }

    // Continental forms of the validation 1s and 7s, at the three sizes.
    if (part("continental")) {
        std::mt19937 crng(5);
        int ok[10] = {}, n[10] = {}, oneAsSeven = 0;
        for (float size : sizes)
            for (const auto& s : g_eval) {
                if (s.label != 1 && s.label != 7)
                    continue;
                const auto strokes = continental(s.strokes, s.label, crng, crng() % 2 == 0);
                const std::string got = recognise(api, place(strokes, size / 56, 13, 21));
                ok[s.label] += got == std::string(1, char('0' + s.label));
                oneAsSeven += s.label == 1 && got == "7";
                ++n[s.label];
            }
        std::printf(
            "Continental forms, three sizes: flagged 1 (half with a foot) %.2f %% (%d of %d, %d read as "
            "7), crossed 7 %.2f %% (%d of %d), both %.2f %%\n",
            100.0 * ok[1] / std::max(n[1], 1), ok[1], n[1], oneAsSeven, 100.0 * ok[7] / std::max(n[7], 1),
            ok[7], n[7], 100.0 * (ok[1] + ok[7]) / std::max(n[1] + n[7], 1));
    }

    std::uniform_real_distribution<float> u(0, 1);
    const int kSynthetic = 1000;
    if (part("marks")) {
        std::mt19937 rng(11);
        int minusOk = 0, dotOk = 0, ringOk = 0;
        int inNumberOk[3] = {}, inNumberN[3] = {};
        for (int i = 0; i < kSynthetic; ++i) {
            minusOk += recognise(api, { minusStroke(rng, 10, 30, 10 + u(rng) * 50) }) == "-";
            dotOk += recognise(api, { dotStroke(rng, 20, 40) }) == ".";
            ringOk += recognise(api, { ringStroke(rng, 20, 40, 9 + 5 * u(rng)) }) == ".";
            // In a number, held-out digits at the three writing sizes: "-d", "d.d"
            // with a tapped dot, "d.d" with a ring 9 to 14 pixels across.
            const int kind = i % 3;
            const float scale = sizes[(i / 3) % 3] / 56;
            const size_t ia = rng() % g_eval.size();
            const size_t ib = rng() % g_eval.size();
            const auto& a = g_eval[ia];
            const auto& b = g_eval[ib];
            auto da = place(a.strokes, scale, 0, 0);
            auto db = place(b.strokes, scale, 0, 0);
            float l, t, r, bt;
            bounds(da, l, t, r, bt);
            const float h = bt - t;
            std::vector<Stroke> field;
            std::string expect;
            if (kind == 0) {
                field.push_back(minusStroke(rng, l - 0.55f * h - 0.2f * h * u(rng),
                    t + h * (0.4f + 0.2f * u(rng)), 0.3f * h + 0.2f * h * u(rng)));
                field.insert(field.end(), da.begin(), da.end());
                expect = std::string("-") + char('0' + a.label);
            } else {
                field = da;
                float after = r + 0.1f * h + 0.1f * h * u(rng);
                if (kind == 1) {
                    field.push_back(dotStroke(rng, after, bt - 4));
                    after += 4;
                } else {
                    const float size = 9 + 5 * u(rng);
                    field.push_back(ringStroke(rng, after, bt - size - 2 * u(rng), size));
                    after += size;
                }
                float l2, t2, r2, b2;
                bounds(db, l2, t2, r2, b2);
                for (auto& st : place(db, 1, after + 0.25f * h + 0.2f * h * u(rng) - l2, 0))
                    field.push_back(st);
                expect = std::string(1, char('0' + a.label)) + "." + char('0' + b.label);
            }
            // The sign and point are judged; the digits are counted in the per-cell figures.
            const std::string got = recognise(api, field);
            const size_t at = kind == 0 ? 0 : 1;
            const bool ok = got.size() == expect.size() && got[at] == expect[at];
            inNumberOk[kind] += ok;
            ++inNumberN[kind];
            if (!ok && kShowFails)
                std::printf("  misread mark: %s as %s (digit height %.0f px, samples %zu and %zu)\n",
                    expect.c_str(), got.c_str(), h, ia, ib);
        }
        const int marksOk = minusOk + dotOk + ringOk + inNumberOk[0] + inNumberOk[1] + inNumberOk[2];
        std::printf(
            "Marks (%d each): lone \"-\" %.2f %%, lone tapped \".\" %.2f %%, lone ring \".\" %.2f %%; in a "
            "number: \"-\" %.2f %%, tapped \".\" %.2f %%, ring \".\" %.2f %%; all %.2f %% (%d of %d)\n",
            kSynthetic, 100.0 * minusOk / kSynthetic, 100.0 * dotOk / kSynthetic, 100.0 * ringOk / kSynthetic,
            100.0 * inNumberOk[0] / inNumberN[0], 100.0 * inNumberOk[1] / inNumberN[1],
            100.0 * inNumberOk[2] / inNumberN[2], 100.0 * marksOk / (3 * kSynthetic + kSynthetic), marksOk,
            4 * kSynthetic);
    }

    // The decimal comma: alone (its own cell, a tail 8 to 20 pixels long) and
    // in numbers "d,d" and "dd,d" of held-out digits at the three sizes, its
    // head on the line and its tail 0.2 to 0.4 of the digits' height below.
    // Both must read as the separator, ".".
    if (part("commas")) {
        std::mt19937 crng(17);
        int loneOk = 0, markOk = 0, wholeOk = 0;
        for (int i = 0; i < kSynthetic; ++i)
            loneOk += recognise(api, { commaStroke(crng, 30, 30, 8 + 12 * u(crng)) }) == ".";
        for (int i = 0; i < kSynthetic; ++i) {
            const float scale = sizes[i % 3] / 56;
            const int before = 1 + (i / 3) % 2;
            std::vector<Stroke> field;
            std::string expect;
            float cursor = 10, h = 0, base = 0;
            auto addDigit = [&](const SSample& d) {
                auto placed = place(d.strokes, scale, 0, (u(crng) - 0.5f) * 0.05f * scale * 56);
                float l, t, r, b;
                bounds(placed, l, t, r, b);
                h = std::max(h, b - t);
                base = std::max(base, b);
                for (auto& st : place(placed, 1, cursor - l, 0))
                    field.push_back(st);
                cursor += (r - l) + (0.15f + 0.2f * u(crng)) * (b - t);
                expect += char('0' + d.label);
            };
            for (int d = 0; d < before; ++d)
                addDigit(g_eval[crng() % g_eval.size()]);
            const float length = (0.2f + 0.2f * u(crng)) * h;
            field.push_back(commaStroke(crng, cursor - 0.05f * h, base - 0.06f * h * u(crng), length));
            cursor += 0.15f * h + 0.1f * h * u(crng);
            expect += '.';
            addDigit(g_eval[crng() % g_eval.size()]);
            const std::string got = recognise(api, field);
            markOk += got.size() == expect.size() && got[size_t(before)] == '.';
            wholeOk += got == expect;
            if (got != expect && kShowFails)
                std::printf(
                    "  misread comma: %s as %s (digit height %.0f px)\n", expect.c_str(), got.c_str(), h);
        }
        std::printf("Commas (%d each): lone \",\" read as \".\" %.2f %%; in a number \"d,d\" / \"dd,d\": the "
                    "separator %.2f %%, the whole number %.2f %%\n",
            kSynthetic, 100.0 * loneOk / kSynthetic, 100.0 * markOk / kSynthetic,
            100.0 * wholeOk / kSynthetic);
    }

    // Fields of 2 to 4 held-out digits written side by side at the three cell
    // sizes, the gap between digits drawn from gapFrom to gapFrom + gapSpan of
    // the digit's height; counts the fields read exactly, by digit count.
    if (!part("fields")) {
        close(api);
        return;
    }
    std::mt19937 rng(13);
    const auto readFields = [&](int count, float gapFrom, float gapSpan, int(&ok)[5], int(&n)[5]) {
        for (int i = 0; i < count; ++i) {
            const int digits = 2 + i % 3;
            const float size = sizes[(i / 3) % 3];
            std::vector<Stroke> field;
            std::string expect;
            float cursor = 10;
            for (int d = 0; d < digits; ++d) {
                const auto& s = g_eval[rng() % g_eval.size()];
                auto placed = place(s.strokes, size / 56, 0, (u(rng) - 0.5f) * 0.08f * size);
                float l, t, r, b;
                bounds(placed, l, t, r, b);
                const float gap = (gapFrom + gapSpan * u(rng)) * (b - t);
                for (auto& st : place(placed, 1, cursor - l, 0))
                    field.push_back(st);
                cursor += (r - l) + gap;
                expect += char('0' + s.label);
            }
            const std::string got = recognise(api, field);
            ok[digits] += got == expect;
            ++n[digits];
            if (got != expect && kShowFails)
                std::printf("  misread field: %s as %s (%.0f px cells)\n", expect.c_str(), got.c_str(), size);
        }
    };

    const auto report = [](const char* what, const int(&ok)[5], const int(&n)[5]) {
        std::printf("%s, exactly right: 2 digits %.2f %%, 3 digits %.2f %%, 4 digits %.2f %%, all %.2f %%\n",
            what, 100.0 * ok[2] / n[2], 100.0 * ok[3] / n[3], 100.0 * ok[4] / n[4],
            100.0 * (ok[2] + ok[3] + ok[4]) / (n[2] + n[3] + n[4]));
    };
    int fieldOk[5] = {}, fieldN[5] = {};
    readFields(1200, 0.15f, 0.35f, fieldOk, fieldN);
    report("Whole fields written side by side", fieldOk, fieldN);

    // Digits that touch or overlap slightly, as they do when written across
    // the cells in a hurry: the gap is -0.12 to +0.05 of the digit's height.
    int touchOk[5] = {}, touchN[5] = {};
    readFields(900, -0.12f, 0.17f, touchOk, touchN);
    report("Touching or slightly overlapping digits", touchOk, touchN);

    // Digits close but apart (a gap of 0.03 to 0.15 of their height), where two
    // digits side by side and one written in two strokes look most alike.
    int nearOk[5] = {}, nearN[5] = {};
    readFields(900, 0.03f, 0.12f, nearOk, nearN);
    report("Close but apart digits", nearOk, nearN);
    close(api);
}

void BM_LoadLibraryAndModel(benchmark::State& state)
{
    for (auto _ : state) {
        SApi api;
        if (!open(api)) {
            state.SkipWithError("cannot load the recogniser");
            return;
        }
        close(api);
    }
}
BENCHMARK(BM_LoadLibraryAndModel)->Unit(benchmark::kMillisecond);

// The model file alone: read, checked and parsed by CgrLoadDict.
void BM_LoadModelOnly(benchmark::State& state)
{
    SApi api;
    if (!open(api)) {
        state.SkipWithError("cannot load the recogniser");
        return;
    }
    for (auto _ : state) {
        std::vector<uint8_t> file = readFile(kModel);
        file.resize(file.size() + 4096, 0);
        int32_t dict = 0;
        api.LoadDict(file.data(), &dict);
        api.FreeDict(&dict);
    }
    close(api);
}
BENCHMARK(BM_LoadModelOnly)->Unit(benchmark::kMillisecond);

void BM_RecogniseOneCell(benchmark::State& state)
{
    SApi api;
    if (!open(api) || g_eval.empty()) {
        state.SkipWithError("recogniser or evaluation set missing");
        return;
    }
    size_t i = 0;
    for (auto _ : state) {
        const auto& s = g_eval[i++ % g_eval.size()];
        benchmark::DoNotOptimize(recognise(api, place(s.strokes, 70.0f / 56, 13, 21)));
    }
    close(api);
}
BENCHMARK(BM_RecogniseOneCell)->Unit(benchmark::kMillisecond);

void BM_RecogniseFourDigitField(benchmark::State& state)
{
    SApi api;
    if (!open(api) || g_eval.empty()) {
        state.SkipWithError("recogniser or evaluation set missing");
        return;
    }
    size_t i = 0;
    for (auto _ : state) {
        std::vector<Stroke> field;
        for (int d = 0; d < 4; ++d) {
            const auto& s = g_eval[(i * 7 + d * 131) % g_eval.size()];
            for (auto& st : place(s.strokes, 70.0f / 56, 10 + d * 60.0f, 10))
                field.push_back(st);
        }
        ++i;
        benchmark::DoNotOptimize(recognise(api, field));
    }
    close(api);
}
BENCHMARK(BM_RecogniseFourDigitField)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    printAccuracy();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
