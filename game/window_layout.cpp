#include "game/window_layout.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr double kPromptPoints = 14.25;
constexpr double kCountPoints = 12;
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
    // clang-format off
    // In the order of Control.
    static const std::array<ControlLook, kControlCount> controls{{
        {Picture, "", 8, 8, 265, 265, {}, {}, 0, Left, true,
         "救出の場面", "クリックするとタイトル画面に戻ります。救出の途中でも戻ります"},
        {Label, kActionCaptions[0], 8, 120, 153, 25, kWhite, Rgb{255, 0, 0}, kPromptPoints, Centre, false, "", ""},
        {Label, "してあげて！", 160, 120, 113, 25, kWhite, {}, kPromptPoints, Right, false, "", ""},
        {Picture, "", 0, 0, kTitleWidth, kTitleHeight, {}, {}, 0, Left, false,
         "タイトル画面", "クリックすると救出劇が始まります"},
        {Label, "終了するときは絵をクリックしてね", 8, 360, 265, 17, {}, {}, 0, Left, false, "", ""},
        {Label, "助かる比率", 8, 312, 89, 17, {}, {}, 0, Left, false, "", ""},
        {Label, "無理っぽいさ", 96, 312, 89, 17, {}, {}, 0, Left, false, "", ""},
        {Label, "", 8, 328, 89, 25, kWhite, {}, kCountPoints, Right, true, "", "指示どおりのボタンを押した回数"},
        {Label, "", 96, 328, 89, 25, Rgb{255, 192, 255}, {}, kCountPoints, Right, true, "",
         "指示と違うボタンを押した回数"},
        {ActionButton, kActionCaptions[0], 8, 280, 89, 25, Rgb{255, 224, 192}, {}, 0, Centre, false, "",
         kActionDescription},
        {ActionButton, kActionCaptions[1], 96, 280, 89, 25, Rgb{192, 255, 192}, {}, 0, Centre, false,
         "", kActionDescription},
        {ActionButton, kActionCaptions[2], 184, 280, 89, 25, Rgb{192, 192, 255}, {}, 0, Centre, false, "",
         kActionDescription},
        {Button, "ポコリ情報", 192, 304, 81, 25, Rgb{192, 255, 255}, {}, 0, Centre, false, "",
         "バージョンと制作者を表示します"},
        {PaceButton, "難易度：軽め", 192, 328, 81, 25, kWindowColour, {}, 0, Centre, false, "",
         paceDescription(kPaces[0])},
        {PaceButton, "難易度：重め", 192, 352, 81, 25, kWindowColour, {}, 0, Centre, false, "",
         paceDescription(kPaces[1])},
    }};
    // clang-format on
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
