#include "round/round.h"

#include "round/random_source.h"

#include <cmath>

int gapFromDraw(float draw, Pace pace)
{
    const float spread = draw * static_cast<float>(pace.spreadMs);
    const float sum = static_cast<float>(pace.baseMs) + spread;
    return static_cast<int>(std::floor(sum));
}

int actionFromDraw(float draw)
{
    return static_cast<int>(std::floor(static_cast<float>(kActionCount) * draw));
}

Round::Round(RandomSource& random)
    : m_random(random)
{
}

Round::Prompt Round::reset()
{
    m_action = actionFromDraw(m_random.draw());
    m_ticks = 0;
    m_hits = 0;
    m_misses = 0;
    return {m_action, gapFromDraw(m_random.draw(), m_pace)};
}

std::variant<Round::Prompt, Ending> Round::tick()
{
    if (++m_ticks >= kTicksPerRound)
        return chooseEnding(m_hits, m_misses);
    const int gap = gapFromDraw(m_random.draw(), m_pace);
    // Each try succeeds with chance 2/3, so this ends quickly.
    int next = m_action;
    while (next == m_action)
        next = actionFromDraw(m_random.draw());
    m_action = next;
    return Prompt{m_action, gap};
}

Round::Score Round::press(int action)
{
    if (action == m_action) {
        ++m_hits;
        return Score::Hit;
    }
    ++m_misses;
    return Score::Miss;
}
