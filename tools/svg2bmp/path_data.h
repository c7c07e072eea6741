#pragma once

#include <QString>

class QPainterPath;

// SVG path data written short: a command's letter once for a run of it, and
// no separator or zero a reader does without.

// `path` in relative commands to a tenth of a unit: off by a tenth of a
// screen pixel at most where the game is drawn at four screen pixels to one
// of its own, two to a picture's unit. A subpath that ends where it began is
// closed, as Qt's stroker takes it to be, so that its corner is joined
// rather than capped.
QString pathData(const QPainterPath& path);

// Path data as written by hand, the same commands and numbers, shorter.
QString compactPathData(const QString& data);
