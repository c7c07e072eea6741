#pragma once

#include "game/window_layout.h"

#include <QColor>
#include <QString>

#include <array>
#include <string_view>

class ActionButton;
class PictureBox;
class QLabel;
class QPushButton;
class QWidget;

// Every control of the game window, made from windowLayout(). The window
// owns them all (as their Qt parent); these are non-owning handles.
struct WindowControls {
    PictureBox* scenePicture = nullptr;
    PictureBox* titlePicture = nullptr;
    QLabel* promptLabel = nullptr;
    QLabel* promptSuffixLabel = nullptr;
    QLabel* hitCountLabel = nullptr;
    QLabel* missCountLabel = nullptr;
    QLabel* hitCaption = nullptr;
    QLabel* missCaption = nullptr;
    QLabel* quitHint = nullptr;
    std::array<ActionButton*, kActionCount> actionButtons{};
    QPushButton* aboutButton = nullptr;
    std::array<QPushButton*, kPaces.size()> paceButtons{};
    std::array<QWidget*, kControlCount> all{}; // by Control

    [[nodiscard]] QWidget* operator[](Control control) const { return all[static_cast<std::size_t>(control)]; }
};

// Creates the controls on the window, from the back to the front, so that
// each covers those before it and every button lies over every label and
// picture.
[[nodiscard]] WindowControls createWindowControls(QWidget* window);

[[nodiscard]] inline QString toQString(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
[[nodiscard]] inline QColor toQColor(Rgb rgb)
{
    return {rgb.red, rgb.green, rgb.blue};
}
