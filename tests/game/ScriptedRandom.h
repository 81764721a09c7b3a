#pragma once

#include "game/Random.h"

#include <deque>
#include <initializer_list>

// Hands out the given values from CRandom while it lives, then `rest` forever.
class ScriptedRandom
{
public:
    explicit ScriptedRandom(std::initializer_list<int> values, int rest = 0)
        : m_values(values)
        , m_rest(rest)
    {
        CRandom::SetSourceForTests([this] { return Take(); });
    }
    ~ScriptedRandom() { CRandom::SetSourceForTests({}); }
    ScriptedRandom(const ScriptedRandom&) = delete;
    ScriptedRandom& operator=(const ScriptedRandom&) = delete;

    int Used() const { return m_used; }
    bool Exhausted() const { return m_values.empty(); }

private:
    int Take()
    {
        ++m_used;
        if (m_values.empty())
            return m_rest;
        const int value = m_values.front();
        m_values.pop_front();
        return value;
    }

    std::deque<int> m_values;
    int m_rest;
    int m_used = 0;
};
