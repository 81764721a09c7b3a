// Point streams from outside: byte stream = repeated (count: 1 byte, then count
// pairs of 16-bit x and y), each a stroke, recognised with a trained model.
//
// The model is a small one trained for this target (FuzzCalligrapher.voc:
// conv 4/8/8, dense 16, 2,258 weights, 89 % on held-out digits;
// `tools/train/train.py --size 4,8,8,16 --epochs 4`). It walks the same code
// as the shipped model (the layer shapes are read from the file) but classifies
// fifty times faster under the sanitizers (with the network's loops left out
// of the comparison tracing, about a thousand inputs a second on one core
// instead of eight), so ten million inputs take hours instead of weeks; its
// scores still steer the splitting the way a real model's do.
// KESTAVO_FUZZ_MODEL names another model file, e.g. the shipped one.
#include "boardsoft/callig/Callig.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

int32_t trainedDict()
{
    static const int32_t dict = [] {
        const char* chosen = std::getenv("KESTAVO_FUZZ_MODEL");
        std::ifstream in(chosen && *chosen ? std::string(chosen)
                                           : std::string(KESTAVO_TEST_SOURCE_DIR) + "/tests/boardsoft/fuzz/FuzzCalligrapher.voc",
            std::ios::binary);
        std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        file.resize(file.size() + 4096, 0);
        int32_t d = 0;
        if (file.size() <= 4096 || CgrLoadDict(file.data(), &d) != CGR_OK)
            __builtin_trap(); // a fuzz run without a model would test nothing of the classifier
        return d;
    }();
    return dict;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const int32_t ctx = CgrCreateContext();
    const uint32_t settings[6] = { 0x412, 0, uint32_t(trainedDict()), 0, 0, 0 };
    CgrOpenSession(settings, ctx);
    size_t at = 0;
    while (at < size) {
        const size_t count = data[at++];
        const size_t bytes = std::min(count * 4, (size - at) / 4 * 4);
        std::vector<int16_t> pts(bytes / 2);
        if (bytes)
            std::memcpy(pts.data(), data + at, bytes);
        at += bytes;
        CgrRecognize(int32_t(pts.size() / 2), pts.data(), ctx);
    }
    CgrCloseSession(ctx);
    const intptr_t words = CgrGetAnswers(CGR_ANSWER_WORDS, 0, 0, ctx);
    for (intptr_t w = 0; w < words; ++w) {
        const intptr_t alts = CgrGetAnswers(CGR_ANSWER_ALTERNATIVES, int32_t(w), 0, ctx);
        for (intptr_t a = 0; a < alts; ++a) {
            const char* text
                = reinterpret_cast<const char*>(CgrGetAnswers(CGR_ANSWER_TEXT, int32_t(w), int32_t(a), ctx));
            if (!text || std::strlen(text) > 4096)
                __builtin_trap();
        }
    }
    CgrCloseContext(ctx);
    return 0;
}
