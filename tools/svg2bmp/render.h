#pragma once

#include <QImage>
#include <QString>

#include <optional>

// Paints the SVG document `svg` over a white `width` x `height` picture,
// stretched to fill it, antialiased. Nothing when QtSvg rejects the document
// or warns while reading it (an unresolved <use> only gives a warning, and
// would otherwise leave a silent hole in the picture); `error` says why.
std::optional<QImage> renderSvg(const QString& svg, int width, int height, QString& error);
