#include "game/window_layout.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr double kPromptPointSize = 14.25;
constexpr double kCountPointSize = 12;
// The title picture covers the window's frame and title bar too, as on the
// desktop the game was made for, and is clipped to the client area.
constexpr int kTitleWidth = kWindowWidth + 6;
constexpr int kTitleHeight = kWindowHeight + 25;
constexpr double kPressedDarkness = 0.8;

const std::array<std::string, kActionCount> kActionCaptions{"人工呼吸", "心臓マッサージ", "呼びかけ"};
const std::string kActionDescription = "マウスで押すと、この動作をします。指示どおりなら助かる比率が上がります";

// "指示の間隔 0.8～2.8秒": the gaps between prompts at a pace.
std::string paceDescription(Pace pace)
{
    char text[64];
    std::snprintf(text, sizeof text, "指示の間隔 %.1f～%.1f秒", pace.baseMs / 1000.0,
                  (pace.baseMs + pace.spreadMs) / 1000.0);
    return text;
}

const std::array<ControlLook, kControlCount>& layout()
{
    using enum ControlKind;
    using enum Align;
    // In the order of Control.
    static const std::array<ControlLook, kControlCount> controls{{
        {.kind = Picture,
         .bounds = {8, 8, 265, 265},
         .sunkenFrame = true,
         .spokenName = "救出の場面",
         .description = "クリックするとタイトル画面に戻ります。救出の途中でも戻ります"},
        {.kind = Label,
         .caption = kActionCaptions[0],
         .bounds = {8, 120, 153, 25},
         .faceColour = kWhite,
         .textColour = Rgb{255, 0, 0},
         .pointSize = kPromptPointSize,
         .announced = true},
        {.kind = Label,
         .caption = "してあげて！",
         .bounds = {160, 120, 113, 25},
         .faceColour = kWhite,
         .pointSize = kPromptPointSize,
         .align = Right},
        {.kind = Picture,
         .bounds = {0, 0, kTitleWidth, kTitleHeight},
         .spokenName = "タイトル画面",
         .description = "クリックすると救出劇が始まります"},
        {.kind = Label, .caption = "終了するときは絵をクリックしてね", .bounds = {8, 360, 265, 17}, .align = Left},
        {.kind = Label, .caption = "助かる比率", .bounds = {8, 312, 89, 17}, .align = Left},
        {.kind = Label, .caption = "無理っぽいさ", .bounds = {96, 312, 89, 17}, .align = Left},
        {.kind = Label,
         .bounds = {8, 328, 89, 25},
         .faceColour = kWhite,
         .pointSize = kCountPointSize,
         .align = Right,
         .sunkenFrame = true,
         .description = "指示どおりのボタンを押した回数"},
        {.kind = Label,
         .bounds = {96, 328, 89, 25},
         .faceColour = Rgb{255, 192, 255},
         .pointSize = kCountPointSize,
         .align = Right,
         .sunkenFrame = true,
         .description = "指示と違うボタンを押した回数"},
        {.kind = ActionButton,
         .caption = kActionCaptions[0],
         .bounds = {8, 280, 89, 25},
         .faceColour = Rgb{255, 224, 192},
         .description = kActionDescription},
        {.kind = ActionButton,
         .caption = kActionCaptions[1],
         .bounds = {96, 280, 89, 25},
         .faceColour = Rgb{192, 255, 192},
         .description = kActionDescription},
        {.kind = ActionButton,
         .caption = kActionCaptions[2],
         .bounds = {184, 280, 89, 25},
         .faceColour = Rgb{192, 192, 255},
         .description = kActionDescription},
        {.kind = Button,
         .caption = "ポコリ情報",
         .bounds = {192, 304, 81, 25},
         .faceColour = Rgb{192, 255, 255},
         .description = "バージョンと制作者を表示します"},
        {.kind = PaceButton,
         .caption = "難易度：軽め",
         .bounds = {192, 328, 81, 25},
         .faceColour = kWindowColour,
         .startsChosen = true,
         .description = paceDescription(kPaces[0])},
        {.kind = PaceButton,
         .caption = "難易度：重め",
         .bounds = {192, 352, 81, 25},
         .faceColour = kWindowColour,
         .description = paceDescription(kPaces[1])},
    }};
    return controls;
}

} // namespace

Rgb pressedFace(Rgb face)
{
    const auto darker
        = [](std::uint8_t channel) { return static_cast<std::uint8_t>(std::lround(channel * kPressedDarkness)); };
    return {darker(face.red), darker(face.green), darker(face.blue)};
}

std::span<const ControlLook> windowLayout()
{
    return layout();
}

const ControlLook& lookOf(Control control)
{
    return layout()[static_cast<std::size_t>(control)];
}

const std::string& actionCaption(int action)
{
    return kActionCaptions.at(static_cast<std::size_t>(action));
}
