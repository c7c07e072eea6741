#pragma once

#include "round/random_source.h"

#include <deque>
#include <initializer_list>

// Hands out the draws a test scripts, then 0.5 for ever after.
class ScriptedRandom final : public RandomSource {
public:
    [[nodiscard]] float draw() override
    {
        ++drawsTaken;
        if (m_draws.empty())
            return 0.5f;
        const float next = m_draws.front();
        m_draws.pop_front();
        return next;
    }
    void script(std::initializer_list<float> draws) { m_draws.insert(m_draws.end(), draws); }

    int drawsTaken = 0;

private:
    std::deque<float> m_draws;
};

// A draw that yields the given action.
[[nodiscard]] constexpr float drawFor(int action)
{
    return (float(action) + 0.5f) / 3.0f;
}
