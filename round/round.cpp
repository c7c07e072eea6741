#include "round/round.h"

#include "round/draws.h"
#include "round/random_source.h"

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
