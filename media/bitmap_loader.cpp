#include "bitmap_loader.h"

#include "asset_error.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QtEndian>

#include <cstdlib>
#include <optional>

namespace {

constexpr qsizetype kFileHeaderSize = 14;
constexpr qsizetype kInfoHeaderSize = 40; // BITMAPINFOHEADER, the smallest with a compression field
constexpr quint32 kUncompressed = 0;
constexpr quint32 kBitFields = 3;

quint32 read32(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 read16(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

// Qt's reader shows a cut-off bitmap with its missing rows blank. For an
// uncompressed bitmap we can tell: its pixel rows must all be in the file.
std::optional<QString> truncation(const QByteArray& bytes)
{
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize || !bytes.startsWith("BM"))
        return std::nullopt; // not a bitmap we can measure; the reader decides
    const quint32 pixelsAt = read32(bytes, 10);
    const quint32 infoSize = read32(bytes, 14);
    if (infoSize < kInfoHeaderSize)
        return std::nullopt;
    const qint64 width = static_cast<qint32>(read32(bytes, 18));
    const qint64 height = std::abs(static_cast<qint64>(static_cast<qint32>(read32(bytes, 22))));
    const quint16 bitsPerPixel = read16(bytes, 28);
    const quint32 compression = read32(bytes, 30);
    if (compression != kUncompressed && compression != kBitFields)
        return std::nullopt;
    if (width <= 0 || bitsPerPixel == 0)
        return std::nullopt;
    const qint64 rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    if (qint64(pixelsAt) + rowBytes * height > bytes.size())
        return QStringLiteral("ファイルが途中で切れています。");
    return std::nullopt;
}

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
    if (error == QImageReader::UnsupportedFormatError)
        return QStringLiteral("ビットマップ (BMP) 形式ではありません。");
    return QStringLiteral("ビットマップが壊れているか、大きすぎます。");
}

} // namespace

QPixmap loadBitmap(const QString& path)
{
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        throw AssetError(path, reasonFor(path, QImageReader::DeviceError));
    QByteArray bytes = file.readAll();
    if (const std::optional<QString> cut = truncation(bytes))
        throw AssetError(path, *cut);

    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "bmp");
    reader.setDecideFormatFromContent(false);
    const QImage image = reader.read();
    if (image.isNull())
        throw AssetError(path, reasonFor(path, reader.error()));
    return QPixmap::fromImage(image);
}
