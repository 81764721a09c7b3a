#pragma once

#include <functional>

// The program's one stream of random numbers: the C runtime generator the
// original game was tuned with (x = x * 214013 + 2531011; value = bits 16..30),
// so a given seed yields the same questions everywhere. Values are 0..32767.
// Used only on the user-interface thread.
class CRandom
{
public:
    static constexpr int kMax = 32767;

    static void Seed(unsigned int seed);
    static int Next();
    // A seed from the wall clock, in seconds (as srand(time(nullptr)) would).
    static unsigned int ClockSeed();

    // Tests only: hand out the source's values instead of the generator's
    // until it is cleared with an empty function.
    using Source = std::function<int()>;
    static void SetSourceForTests(Source source);
};
