#pragma once

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QString>

// Reads a Windows bitmap file, and only that: a file of another format is
// refused even when its name ends in ".bmp". Throws AssetError naming the
// file and the reason.
[[nodiscard]] QPixmap loadBitmap(const QString& path);

// The bytes of a bitmap file read from path, decoded; path only names the
// file in the error. Refuses a cut-off bitmap, and one whose header claims
// more pixels than a game picture could ever need, before decoding it.
[[nodiscard]] QImage decodeBitmap(QByteArray bytes, const QString& path);
