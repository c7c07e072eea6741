#pragma once

#include "round/rules.h"

#include <cstdint>

enum class Ending {
    FullRescue,
    RescueWithAfterEffect,
    Rescue,
    DeathAfterCloseCall,
    Death,
};

[[nodiscard]] constexpr Ending chooseEnding(std::int64_t hitCount, std::int64_t missCount)
{
    if (hitCount >= kFullRescueMinHits)
        return Ending::FullRescue;
    if (hitCount <= kDeathMaxHits)
        return missCount < hitCount ? Ending::DeathAfterCloseCall : Ending::Death;
    return missCount >= hitCount ? Ending::RescueWithAfterEffect : Ending::Rescue;
}
