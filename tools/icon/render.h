#pragma once

#include <QImage>
#include <QString>

#include <optional>

enum class Edges { Smooth, Hard };

// The SVG file at `path` painted on a transparent `size` x `size` picture;
// nothing when it cannot be read or is not valid SVG. Hard edges suit the
// few-colour pictures, whose palettes have no in-between shades.
std::optional<QImage> renderIcon(const QString& path, int size, Edges edges);
