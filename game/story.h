#pragma once

#include "game/sound.h"
#include "round/ending.h"

#include <span>

// One step of a told story: a picture file shown in the scene, a message the
// player must dismiss, or a sound started from its beginning.
struct StoryStep {
    enum class Kind { Show, Message, Sound };
    Kind kind;
    const char* file = nullptr; // for Show
    const char* message = nullptr; // UTF-8, for Message
    Sound sound = Sound::Music; // for Sound
};

// The three pictures and messages between the title and play.
[[nodiscard]] std::span<const StoryStep> introStory();

// The whole telling of an ending, closing on "end.bmp".
[[nodiscard]] std::span<const StoryStep> endingStory(Ending ending);
