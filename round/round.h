#pragma once

#include "round/ending.h"
#include "round/rules.h"

#include <cstdint>
#include <variant>

class RandomSource;

// A gap between prompts, in ms: floor(base + draw * spread) computed in
// single precision. A draw just below 1 rounds up to base + spread exactly,
// the only way that value occurs.
[[nodiscard]] int gapFromDraw(float draw, Pace pace);

// A random action index 0..2 from one draw.
[[nodiscard]] int actionFromDraw(float draw);

// One round of first aid, from the title to its ending, as plain state and
// rules: what the player is asked to do, how each press counts, and when the
// round ends. It knows nothing of windows, pictures or sounds; the window
// shows what it answers.
class Round {
public:
    // What to ask of the player next, and how long until the prompt after.
    struct Prompt {
        int action;
        int gapMs;
    };
    enum class Score { Hit, Miss };

    explicit Round(RandomSource& random);

    // Back to the title: the first prompt of the next round is drawn, then
    // its first gap, at the pace in force now; the counts start again. Play
    // begins, after the intro, with this prompt and gap: nothing of the
    // round changes then.
    Prompt reset();
    // A tick of the prompt timer: the next prompt, never the action just
    // asked for again, or at the last tick the ending the counts choose.
    std::variant<Prompt, Ending> tick();
    // A press of an action button counts against the latest prompt, however
    // long ago it vanished from the screen.
    Score press(int action);
    // The new pace holds from the next gap drawn; the running gap stays.
    void setPace(Pace pace) { m_pace = pace; }

    [[nodiscard]] int currentAction() const { return m_action; }
    [[nodiscard]] std::int64_t hits() const { return m_hits; }
    [[nodiscard]] std::int64_t misses() const { return m_misses; }
    [[nodiscard]] int ticks() const { return m_ticks; }
    [[nodiscard]] Pace pace() const { return m_pace; }

private:
    RandomSource& m_random;
    Pace m_pace = kPaces.front();
    int m_action = 0;
    int m_ticks = 0;
    // 64-bit, so that no amount of button mashing overflows a count.
    std::int64_t m_hits = 0;
    std::int64_t m_misses = 0;
};
