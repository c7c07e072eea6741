#pragma once

#include "round/rules.h"

#include <array>
#include <cstdint>

class ActionButton;
class PictureBox;
class QLabel;
class QPushButton;
class QString;
class QWidget;

// Every control of the game window. The window owns them all (as their Qt
// parent); these are non-owning handles.
struct WindowControls {
    PictureBox* scenePicture = nullptr; // the story and the round play out here
    PictureBox* titlePicture = nullptr; // laid over the whole window at start-up
    QLabel* promptLabel = nullptr; // the prompted action, e.g. 人工呼吸
    QLabel* promptSuffixLabel = nullptr; // してあげて！ beside it
    QLabel* hitCountLabel = nullptr;
    QLabel* missCountLabel = nullptr;
    QLabel* hitCaption = nullptr; // 助かる比率, above the hit count
    QLabel* missCaption = nullptr; // 無理っぽいさ, above the miss count
    QLabel* quitHint = nullptr; // a click on the picture ends the round
    std::array<ActionButton*, kActionCount> actionButtons{};
    QPushButton* aboutButton = nullptr;
    std::array<QPushButton*, kPaces.size()> paceButtons{}; // in the order of kPaces: one always chosen
};

// Creates the controls on the window at their places, with their captions,
// colours, fonts and stacking: every label and picture lies beneath every
// button, and within each group later controls cover earlier ones.
[[nodiscard]] WindowControls createWindowControls(QWidget* window);

// What an action is called, on its button and in its prompt.
[[nodiscard]] QString actionCaption(int action);

// Shows the prompt for an action, and names it whole for screen readers,
// "人工呼吸 してあげて！", so that they speak it as it changes.
void showPromptCaption(const WindowControls& c, int action);

// Shows a count, and names it for screen readers with its caption,
// "助かる比率 12".
void showCount(QLabel* count, const QLabel* caption, std::int64_t value);
