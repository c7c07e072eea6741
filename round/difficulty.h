#pragma once

#include <QtGlobal>

// The two paces of a round, chosen by the option buttons Opt(0) and Opt(1).
struct Difficulty {
    qint16 IntervalSpread;
    int BaseInterval;
};

inline constexpr Difficulty kLightDifficulty{2000, 800};
inline constexpr Difficulty kHeavyDifficulty{1000, 500};

// The flash of a prompt must end before the next prompt can come.
inline constexpr int kPromptFlashMs = 300;
static_assert(kPromptFlashMs < kHeavyDifficulty.BaseInterval);
static_assert(kPromptFlashMs < kLightDifficulty.BaseInterval);

// Ticks of Tim in one round: 29 prompts, then the ending.
inline constexpr int kTicksPerRound = 30;
