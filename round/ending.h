#pragma once

#include <QtGlobal>

enum class Ending {
    FullRescue,
    RescueWithAfterEffect,
    Rescue,
    DeathAfterCloseCall,
    Death,
};

// Hits alone pick the band; inside the two lower bands the misses decide,
// and a tie goes to the worse ending.
inline constexpr qint64 kFullRescueMinHits = 66;
inline constexpr qint64 kDeathMaxHits = 30;
static_assert(kDeathMaxHits < kFullRescueMinHits);

[[nodiscard]] constexpr Ending chooseEnding(qint64 hitCount, qint64 missCount)
{
    if (hitCount >= kFullRescueMinHits)
        return Ending::FullRescue;
    if (hitCount <= kDeathMaxHits)
        return missCount < hitCount ? Ending::DeathAfterCloseCall : Ending::Death;
    return missCount >= hitCount ? Ending::RescueWithAfterEffect : Ending::Rescue;
}
