#pragma once

#include <array>
#include <cstdint>

// The rules a player meets, each in one place.

// The three first-aid actions, by index: 人工呼吸, 心臓マッサージ, 呼びかけ.
inline constexpr int kActionCount = 3;

// Ticks of the prompt timer in one round: 29 bring a prompt, the 30th the
// ending.
inline constexpr int kTicksPerRound = 30;

// How long a prompt stays on screen.
inline constexpr int kPromptFlashMs = 300;

// The pace of a round: each gap between prompts is baseMs plus a random part
// of spreadMs. The spread is kept in 16 bits, as the game always kept it: no
// pace may spread its prompts over more than 32.767 s.
struct Pace {
    int baseMs;
    std::int16_t spreadMs;
};

inline constexpr Pace kLightPace{800, 2000};
inline constexpr Pace kHeavyPace{500, 1000};
// In the order the pace choice offers them; the first holds at start-up.
inline constexpr std::array kPaces{kLightPace, kHeavyPace};

// The endings' bands: hits alone pick the band; inside the two lower bands
// the misses decide, and a tie goes to the worse ending.
inline constexpr std::int64_t kFullRescueMinHits = 66;
inline constexpr std::int64_t kDeathMaxHits = 30;
static_assert(kDeathMaxHits < kFullRescueMinHits);

// A flash always ends before the next prompt can come.
static_assert(kPromptFlashMs < kHeavyPace.baseMs && kPromptFlashMs < kLightPace.baseMs);
