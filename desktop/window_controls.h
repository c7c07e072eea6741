#pragma once

#include "game/window_layout.h"

#include <QColor>
#include <QString>

#include <array>
#include <string_view>

class Game;
class QWidget;

// Every control of the game window, made from windowLayout(), by Control.
// The window owns them all (as their Qt parent); these are non-owning
// handles.
struct WindowControls {
    std::array<QWidget*, kControlCount> all{};

    [[nodiscard]] QWidget* operator[](Control control) const { return all[static_cast<std::size_t>(control)]; }
    template <typename Widget> [[nodiscard]] Widget* as(Control control) const
    {
        return static_cast<Widget*>((*this)[control]);
    }
};

// Creates the controls on the window, from the back to the front, so that
// each covers those before it and every button lies over every label and
// picture; each tells the game what the player does with it, as its kind
// says.
[[nodiscard]] WindowControls createWindowControls(QWidget* window, Game& game);

[[nodiscard]] inline QString toQString(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
[[nodiscard]] inline QColor toQColor(Rgb rgb)
{
    return {rgb.red, rgb.green, rgb.blue};
}
