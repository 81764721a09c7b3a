// A stand-in recogniser library for the binding's tests: records what the
// control hands it and answers what the test scripted. Built twice: complete,
// and without CgrGetRecID (FAKE_WITHOUT_RECID) to be rejected.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

struct SState
{
    std::vector<std::vector<std::string>> words; // "~" stands for a null text pointer
    std::vector<int> nullText;
    uint32_t settings[6] = {};
    std::vector<int16_t> points;
    int recognizeCalls = 0;
    int loadCalls = 0;
    unsigned char firstBytes[4] = {};
    int freed = 0;
    int contextsClosed = 0;
    int openResult = 0;
} g;

} // namespace

FAKE_EXPORT int32_t CgrLoadDict(const void* image, int32_t* dict)
{
    ++g.loadCalls;
    std::memcpy(g.firstBytes, image, sizeof g.firstBytes);
    if (std::memcmp(image, "BAD", 3) == 0)
        return 2;
    *dict = 40 + g.loadCalls;
    return 0;
}
FAKE_EXPORT int32_t CgrSaveDict(const char*, int32_t)
{
    return 4;
}
FAKE_EXPORT int32_t CgrFreeDict(int32_t* dict)
{
    ++g.freed;
    *dict = 0;
    return 0;
}
FAKE_EXPORT int32_t CgrGetDictStatus(int32_t)
{
    return 0;
}
#ifndef FAKE_WITHOUT_RECID
FAKE_EXPORT int32_t CgrGetRecID(int32_t)
{
    return 7;
}
#endif
FAKE_EXPORT int32_t CgrCreateContext()
{
    return 9;
}
FAKE_EXPORT int32_t CgrCloseContext(int32_t)
{
    ++g.contextsClosed;
    return 0;
}
FAKE_EXPORT int32_t CgrOpenSession(const uint32_t* settings, int32_t)
{
    std::memcpy(g.settings, settings, sizeof g.settings);
    return g.openResult;
}
FAKE_EXPORT int32_t CgrCloseSession(int32_t)
{
    return 0;
}
FAKE_EXPORT int32_t CgrRecognize(int32_t count, const int16_t* points, int32_t)
{
    ++g.recognizeCalls;
    g.points.assign(points, points + 2 * count);
    return 0;
}
FAKE_EXPORT intptr_t CgrGetAnswers(int32_t what, int32_t word, int32_t alternative, int32_t)
{
    if (what == 1)
        return intptr_t(g.words.size());
    if (word < 0 || size_t(word) >= g.words.size())
        return 0;
    if (what == 2)
        return intptr_t(g.words[word].size());
    if (alternative < 0 || size_t(alternative) >= g.words[word].size())
        return 0;
    const std::string& text = g.words[word][alternative];
    return text == "~" ? 0 : reinterpret_cast<intptr_t>(text.c_str());
}

// --- Test side ---------------------------------------------------------------
// words: "a|b;c" = word 0 with alternatives a and b, word 1 with c; "" = no word.
FAKE_EXPORT void FakeScript(const char* words, int openResult)
{
    g.words.clear();
    g.openResult = openResult;
    std::string all(words);
    size_t start = 0;
    while (!all.empty() && start <= all.size()) {
        size_t end = all.find(';', start);
        if (end == std::string::npos)
            end = all.size();
        std::vector<std::string> alts;
        const std::string word = all.substr(start, end - start);
        size_t a = 0;
        while (!word.empty() && a <= word.size()) {
            size_t b = word.find('|', a);
            if (b == std::string::npos)
                b = word.size();
            alts.push_back(word.substr(a, b - a));
            a = b + 1;
        }
        g.words.push_back(alts);
        start = end + 1;
    }
}
FAKE_EXPORT const uint32_t* FakeSettings()
{
    return g.settings;
}
FAKE_EXPORT const int16_t* FakePoints(int* count)
{
    *count = int(g.points.size());
    return g.points.data();
}
FAKE_EXPORT int FakeLoadCalls()
{
    return g.loadCalls;
}
FAKE_EXPORT const unsigned char* FakeFirstBytes()
{
    return g.firstBytes;
}
FAKE_EXPORT int FakeFreed()
{
    return g.freed;
}
FAKE_EXPORT int FakeContextsClosed()
{
    return g.contextsClosed;
}
FAKE_EXPORT int FakeRecognizeCalls()
{
    return g.recognizeCalls;
}
