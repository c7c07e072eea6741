#include "bitmap_loader.h"

#include "asset_error.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>

namespace {

QString reasonFor(const QString& path, QImageReader::ImageReaderError error)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("ファイルがありません。");
    if (info.isDir())
        return QStringLiteral("ファイルではなくフォルダーです。");
    if (!info.isReadable())
        return QStringLiteral("ファイルを読む権限がありません。");
    if (info.size() == 0)
        return QStringLiteral("ファイルが空です。");
    switch (error) {
    case QImageReader::UnsupportedFormatError:
        return QStringLiteral("ビットマップ (BMP) 形式ではありません。");
    case QImageReader::DeviceError:
        return QStringLiteral("ファイルを読めません。");
    default:
        return QStringLiteral("ビットマップが壊れているか、大きすぎます。");
    }
}

} // namespace

QPixmap loadBitmap(const QString& path)
{
    QImageReader reader(path, "bmp");
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(false);
    const QImage image = reader.read();
    if (image.isNull())
        throw AssetError(path, reasonFor(path, reader.error()));
    return QPixmap::fromImage(image);
}
