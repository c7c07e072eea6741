#pragma once

#include <QPixmap>
#include <QString>

// Reads a Windows bitmap file, and only that: a file of another format is
// refused even when its name ends in ".bmp". Throws AssetError naming the
// file and the reason.
[[nodiscard]] QPixmap loadBitmap(const QString& path);
