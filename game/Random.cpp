#include "game/Random.h"

#include <ctime>
#include <utility>

namespace {

// Same start state as the C runtime before any srand.
unsigned int g_state = 1;
CRandom::Source g_testSource;

} // namespace

void CRandom::Seed(unsigned int seed)
{
    g_state = seed;
}

int CRandom::Next()
{
    if (g_testSource)
        return g_testSource();
    g_state = g_state * 214013u + 2531011u;
    return static_cast<int>((g_state >> 16) & 0x7FFFu);
}

unsigned int CRandom::ClockSeed()
{
    return static_cast<unsigned int>(std::time(nullptr));
}

void CRandom::SetSourceForTests(Source source)
{
    g_testSource = std::move(source);
}
