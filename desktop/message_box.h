#pragma once

#include <QString>

#include <functional>

class QWidget;

// Shows a text modally and returns once the player has dismissed it.
using ShowMessage = std::function<void(QWidget* parent, const QString& text)>;

// The game's message box: the text alone, one OK button, no icon, the
// game's title as caption.
void showGameMessage(QWidget* parent, const QString& text);

// The box of an error that ends the game: the same, with the error icon.
// Nothing is shown on a headless platform, where no one could dismiss it.
void showErrorBox(QWidget* parent, const QString& text);
