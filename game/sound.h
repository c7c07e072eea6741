#pragma once

#include "round/rules.h"

// The game's sounds, numbered as their files are (n.wav): the music, one for
// each action, one for each ending.
enum class Sound {
    Music,
    Breath, // 人工呼吸
    HeartMassage, // 心臓マッサージ
    Call, // 呼びかけ
    CloseCallEnding,
    AfterEffectEnding,
    RescueEnding,
    DeathEnding,
    FullRescueEnding,
};
inline constexpr int kSoundCount = static_cast<int>(Sound::FullRescueEnding) + 1;

// What a press of action k sounds like.
[[nodiscard]] constexpr Sound actionSound(int action)
{
    return static_cast<Sound>(static_cast<int>(Sound::Breath) + action);
}
static_assert(actionSound(kActionCount - 1) == Sound::Call);
