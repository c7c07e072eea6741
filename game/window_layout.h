#pragma once

#include "round/rules.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The game window as plain data, the same for every view of the game: its
// size and colours, and each control with its place, caption, colours, type
// size and what a screen reader says of it.

// Every control of the game window, from the back to the front: each lies
// over those before it, and every button over every label and picture.
enum class Control {
    ScenePicture, // the story and the round play out here
    PromptLabel, // the prompted action, e.g. 人工呼吸
    PromptSuffix, // してあげて！ beside it
    TitlePicture, // over the whole window until a round begins
    QuitHint, // a click on the picture ends the round
    HitCaption, // 助かる比率, above the hit count
    MissCaption, // 無理っぽいさ, above the miss count
    HitCount,
    MissCount,
    BreathButton, // the action buttons, in the order of the actions
    HeartMassageButton,
    CallButton,
    AboutButton,
    LightPaceButton, // the pace choice, in the order of kPaces: one always chosen
    HeavyPaceButton,
};
inline constexpr int kControlCount = static_cast<int>(Control::HeavyPaceButton) + 1;

// The action buttons, in the order of the actions; the pace buttons, in the
// order of kPaces.
[[nodiscard]] constexpr Control actionButton(int action)
{
    return static_cast<Control>(static_cast<int>(Control::BreathButton) + action);
}
[[nodiscard]] constexpr int actionOf(Control button)
{
    return static_cast<int>(button) - static_cast<int>(Control::BreathButton);
}
[[nodiscard]] constexpr Control paceButton(int pace)
{
    return static_cast<Control>(static_cast<int>(Control::LightPaceButton) + pace);
}
[[nodiscard]] constexpr int paceOf(Control button)
{
    return static_cast<int>(button) - static_cast<int>(Control::LightPaceButton);
}
static_assert(actionButton(kActionCount - 1) == Control::CallButton);
static_assert(paceButton(int(kPaces.size()) - 1) == Control::HeavyPaceButton);

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    bool operator==(const Rgb&) const = default;
};

// What a control is, and so what the game hears of it: a picture and a
// button are clicked; an action button is pressed as a mouse button goes
// down on it and released as it comes up; a pace button is chosen, one of
// its group always chosen; a label shows text and takes nothing.
enum class ControlKind { Picture, Label, ActionButton, Button, PaceButton };
enum class Align { Left, Centre, Right };

// In pixels of the window's client area.
struct Bounds {
    int x, y, width, height;
    bool operator==(const Bounds&) const = default;
};

struct ControlLook {
    ControlKind kind{};
    std::string caption{}; // UTF-8; a picture has none
    Bounds bounds{};
    std::optional<Rgb> faceColour{}; // a button's face or a label's background; none: see-through
    std::optional<Rgb> textColour{}; // none: the window's text colour
    double pointSize = 0; // the type size; 0: the window's
    Align align = Align::Centre;
    bool sunkenFrame = false; // a thin sunken frame just inside its bounds
    bool startsChosen = false; // the pace button chosen at start-up
    bool announced = false; // a screen reader speaks it whenever it appears
    std::string spokenName{}; // what a screen reader calls it, where not its caption
    std::string description{}; // what a screen reader says it is for
};

// The window: its client area, colours and type size.
inline constexpr int kWindowWidth = 282;
inline constexpr int kWindowHeight = 381;
inline constexpr Rgb kWindowColour{255, 255, 192};
inline constexpr Rgb kTextColour{0, 0, 0};
inline constexpr double kWindowPointSize = 9;
// A sunken frame: white at its lower right, grey at its upper left.
inline constexpr Rgb kFrameLight{255, 255, 255};
inline constexpr Rgb kFrameShadow{159, 159, 159};
// A button's frame: its shadow falls below and to the right when raised,
// above and to the left when pressed or chosen.
inline constexpr Rgb kButtonEdge{128, 128, 128};
inline constexpr Rgb kButtonShadow{64, 64, 64};

// A button's face while pressed or chosen: darker, plain to see, the colour
// still its own.
[[nodiscard]] Rgb pressedFace(Rgb face);

// Every control, from the back to the front, in the order of Control.
[[nodiscard]] std::span<const ControlLook> windowLayout();
[[nodiscard]] const ControlLook& lookOf(Control control);

// What an action is called, on its button and in its prompt.
[[nodiscard]] const std::string& actionCaption(int action);
