#pragma once

#include <QFont>

// The game's Japanese face: the one it was drawn for where it exists, then
// the closest free faces.
[[nodiscard]] QFont gameFont(double pointSize);
