#pragma once

#include "ending.h"

#include <span>

// One step of a told story: a picture file shown in the scene, a message box
// the player must dismiss, or a sound channel restarted.
struct StoryStep {
    enum class Kind { Show, Message, Sound };
    Kind kind;
    const char* text = nullptr; // file name for Show, UTF-8 message for Message
    int channel = -1;           // for Sound
};

[[nodiscard]] constexpr StoryStep show(const char* fileName)
{
    return {StoryStep::Kind::Show, fileName, -1};
}
[[nodiscard]] constexpr StoryStep message(const char* text)
{
    return {StoryStep::Kind::Message, text, -1};
}
[[nodiscard]] constexpr StoryStep sound(int channel)
{
    return {StoryStep::Kind::Sound, nullptr, channel};
}

// The three pictures and messages between the title and play.
[[nodiscard]] std::span<const StoryStep> introScript();

// The whole telling of an ending, closing on "end.bmp".
[[nodiscard]] std::span<const StoryStep> endingScript(Ending ending);
