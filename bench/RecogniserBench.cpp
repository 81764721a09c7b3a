// Accuracy and speed of the handwriting recogniser through its real exported
// calls (libcallig.so loaded with dlopen, Calligrapher.voc through CgrLoadDict).
//
// Accuracy uses held-out handwritten digits that tools/train/train.py traced
// into pen strokes (bench/data/HeldOutDigitStrokes.bin), sent the way the
// control sends ink: thousandths of a pixel, x / 700 + 200, y / 1000 + 200.
// It is printed first; the timings follow as Google Benchmark results.
//   build/bench/RecogniserBench [--benchmark_filter=...]

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <fstream>
#include <iterator>
#include <cstdlib>
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

const std::string kLib = std::string(KESTAVO_TEST_LIB_DIR) + "/libcallig.so";
// Another model or stroke set can be given to compare candidates through the
// same calls (train.py --validate writes a validation set for that).
std::string fromEnv(const char* name, const std::string& fallback)
{
    const char* v = std::getenv(name);
    return v && *v ? std::string(v) : fallback;
}
const std::string kModel
    = fromEnv("KESTAVO_BENCH_MODEL", std::string(KESTAVO_TEST_LIB_DIR) + "/Calligrapher.voc");
const std::string kEval = fromEnv(
    "KESTAVO_BENCH_STROKES", std::string(KESTAVO_TEST_SOURCE_DIR) + "/bench/data/HeldOutDigitStrokes.bin");

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

std::vector<SSample> readEval()
{
    const std::vector<uint8_t> f = readFile(kEval);
    std::vector<SSample> out;
    if (f.size() < 8 || std::memcmp(f.data(), "KDGE", 4) != 0)
        return out;
    uint32_t count = 0;
    std::memcpy(&count, &f[4], 4);
    size_t at = 8;
    for (uint32_t i = 0; i < count && at + 2 <= f.size(); ++i) {
        SSample s;
        s.label = f[at];
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

std::vector<SSample> g_eval;

void printAccuracy()
{
    SApi api;
    if (!open(api)) {
        std::printf("cannot load %s with %s\n", kLib.c_str(), kModel.c_str());
        return;
    }
    g_eval = readEval();
    if (g_eval.empty()) {
        std::printf(
            "no evaluation set at %s: run tools/train/train.py (tools/train/README.md)\n", kEval.c_str());
        close(api);
        return;
    }
    std::printf("Model %s\nDigits of %s: %zu, traced into pen strokes\n", kModel.c_str(), kEval.c_str(),
        g_eval.size());
    // Writing sizes: the 56-unit grid mapped onto cells of 40, 70 and 140 pixels
    // (digits about 28, 50 and 100 pixels high).
    const float sizes[] = { 40, 70, 140 };
    int confusion[10][11] = {};
    int right = 0, total = 0;
    for (float size : sizes) {
        int r = 0;
        for (const auto& s : g_eval) {
            const std::string got = recognise(api, place(s.strokes, size / 56, 13, 21));
            const bool ok = got.size() == 1 && got[0] == char('0' + s.label);
            r += ok;
            const int col = (got.size() == 1 && got[0] >= '0' && got[0] <= '9') ? got[0] - '0' : 10;
            ++confusion[s.label][col];
        }
        std::printf("  per cell, %3.0f px cells: %.2f %% top-1\n", size, 100.0 * r / g_eval.size());
        right += r;
        total += int(g_eval.size());
    }
    std::printf("  per cell, all sizes: %.2f %% (%d of %d)\n", 100.0 * right / total, right, total);
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

    std::mt19937 rng(11);
    std::uniform_real_distribution<float> u(0, 1);
    int minusOk = 0, dotOk = 0, ctxOk = 0;
    const int kSynthetic = 1000;
    for (int i = 0; i < kSynthetic; ++i) {
        minusOk += recognise(api, { minusStroke(rng, 10, 30, 10 + u(rng) * 50) }) == "-";
        dotOk += recognise(api, { dotStroke(rng, 20, 40) }) == ".";
        // In a number: "-d" and "d.d" with held-out digits 50 pixels high.
        const auto& a = g_eval[rng() % g_eval.size()];
        const auto& b = g_eval[rng() % g_eval.size()];
        auto da = place(a.strokes, 70.0f / 56, 0, 0);
        auto db = place(b.strokes, 70.0f / 56, 0, 0);
        float l, t, r, bt;
        bounds(da, l, t, r, bt);
        const float h = bt - t;
        std::vector<Stroke> field;
        std::string expect;
        if (i % 2 == 0) {
            field.push_back(minusStroke(rng, l - 0.55f * h - 0.2f * h * u(rng),
                t + h * (0.4f + 0.2f * u(rng)), 0.3f * h + 0.2f * h * u(rng)));
            field.insert(field.end(), da.begin(), da.end());
            expect = std::string("-") + char('0' + a.label);
        } else {
            field = da;
            field.push_back(dotStroke(rng, r + 0.1f * h + 0.1f * h * u(rng), bt - 4));
            float l2, t2, r2, b2;
            bounds(db, l2, t2, r2, b2);
            const float shift = r + 0.35f * h + 0.2f * h * u(rng) - l2;
            for (auto& s : place(db, 1, shift, 0))
                field.push_back(s);
            expect = std::string(1, char('0' + a.label)) + "." + char('0' + b.label);
        }
        // The sign and point are judged; the digits are counted in the per-cell figures.
        const std::string got = recognise(api, field);
        ctxOk += got.size() == expect.size() && got[i % 2 == 0 ? 0 : 1] == expect[i % 2 == 0 ? 0 : 1];
    }
    std::printf("Synthetic marks (%d each): lone \"-\" %.2f %%, lone \".\" %.2f %%, in a number %.2f %%\n",
        kSynthetic, 100.0 * minusOk / kSynthetic, 100.0 * dotOk / kSynthetic, 100.0 * ctxOk / kSynthetic);

    int fieldOk[5] = {}, fieldN[5] = {};
    for (int i = 0; i < 1200; ++i) {
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
            const float gap = (0.15f + 0.35f * u(rng)) * (b - t);
            for (auto& st : place(placed, 1, cursor - l, 0))
                field.push_back(st);
            cursor += (r - l) + gap;
            expect += char('0' + s.label);
        }
        fieldOk[digits] += recognise(api, field) == expect;
        ++fieldN[digits];
    }
    std::printf("Whole fields written side by side, exactly right: 2 digits %.2f %%, 3 digits %.2f %%, "
                "4 digits %.2f %%, all %.2f %%\n",
        100.0 * fieldOk[2] / fieldN[2], 100.0 * fieldOk[3] / fieldN[3], 100.0 * fieldOk[4] / fieldN[4],
        100.0 * (fieldOk[2] + fieldOk[3] + fieldOk[4]) / (fieldN[2] + fieldN[3] + fieldN[4]));
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
