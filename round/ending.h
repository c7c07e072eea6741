#pragma once

#include <cstdint>

enum class Ending {
    FullRescue,
    RescueWithAfterEffect,
    Rescue,
    DeathAfterCloseCall,
    Death,
};

// Hits alone pick the band; inside the two lower bands the misses decide,
// and a tie goes to the worse ending.
inline constexpr std::int64_t kFullRescueMinHits = 66;
inline constexpr std::int64_t kDeathMaxHits = 30;
static_assert(kDeathMaxHits < kFullRescueMinHits);

[[nodiscard]] constexpr Ending chooseEnding(std::int64_t hitCount, std::int64_t missCount)
{
    if (hitCount >= kFullRescueMinHits)
        return Ending::FullRescue;
    if (hitCount <= kDeathMaxHits)
        return missCount < hitCount ? Ending::DeathAfterCloseCall : Ending::Death;
    return missCount >= hitCount ? Ending::RescueWithAfterEffect : Ending::Rescue;
}
