#pragma once

#include <QString>

// The folder the assets are read from, in the platform's own notation and
// ending in exactly one separator, so that a file name can be appended
// directly ("/games/pokori/" + "0.bmp"). A root folder already ends in one.
[[nodiscard]] QString assetDirFor(const QString& programDir);
