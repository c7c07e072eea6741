#pragma once

#include "media/picture_fault.h"

#include <QIODevice>
#include <QImage>
#include <QString>

#include <variant>

// A picture read from a file, or why it could not be.
using Bitmap = std::variant<QImage, PictureFault>;

// Reads a Windows bitmap file, and only that: a file of another format is
// refused even when its name ends in ".bmp".
[[nodiscard]] Bitmap loadBitmap(const QString& path);

// A bitmap file read from a device open for reading, from its start.
// Refuses a cut-off bitmap, and one whose header claims more pixels than a
// game picture could ever need, before decoding it.
[[nodiscard]] Bitmap decodeBitmap(QIODevice& device);
