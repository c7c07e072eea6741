#pragma once

#include "round/ending.h"

#include <QString>
#include <QStringList>

#include <optional>

// What a player sees and hears of a story (tellings.txt): the picture file
// under each of its messages, and the sound file that follows the last
// (empty for none).
struct Telling {
    QStringList scenes;
    QString sound;
};

// The intro's, for no ending.
[[nodiscard]] const Telling& tellingOf(std::optional<Ending> story);
