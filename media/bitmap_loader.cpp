#include "media/bitmap_loader.h"

#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr qsizetype kFileHeaderSize = 14;
constexpr quint32 kCoreHeaderSize = 12; // BITMAPCOREHEADER: 16-bit sizes, no compression
constexpr quint32 kInfoHeaderSize = 40; // BITMAPINFOHEADER, the smallest with a compression field
// The info headers Qt's reader reads as such: BITMAPINFOHEADER, the OS/2 2.x
// header, BITMAPV4HEADER and BITMAPV5HEADER. It reads any other size as the
// core header.
constexpr quint32 kQtInfoHeaderSizes[] = {kInfoHeaderSize, 64, 108, 124};
constexpr quint32 kUncompressed = 0;
constexpr quint32 kRle8 = 1;
constexpr quint32 kRle4 = 2;
constexpr quint32 kBitFields = 3;
// 4096 x 4096 pixels: 64 MiB decoded, many times the game's largest picture.
// A header claiming more is broken or hostile; refusing it before decoding
// keeps a bad file from costing gigabytes.
constexpr qint64 kMaxPixels = qint64(4096) * 4096;

struct BitmapHeader {
    quint32 pixelsAt = 0;
    quint32 infoSize = 0;
    qint64 width = 0;
    qint64 height = 0;
    bool topDown = false; // a negative height in the file
    quint16 planes = 0;
    quint16 bitsPerPixel = 0;
    quint32 compression = kUncompressed;
    quint32 pixelBytes = 0; // as stated; needed only when compressed
    bool complete = false; // the whole header is in the file
    // A header of a kind Windows writes: the core header or one that
    // begins like the info header. Qt makes something of other sizes too,
    // but what it makes of them is not measured here.
    [[nodiscard]] bool known() const { return infoSize == kCoreHeaderSize || infoSize >= kInfoHeaderSize; }
};

// The longest header Qt reads, BITMAPV5HEADER, after the file header.
constexpr qint64 kLongestHeaders = kFileHeaderSize + 124;

BitmapHeader headerOf(const QByteArray& bytes, qint64 fileSize)
{
    QDataStream in(bytes);
    in.setByteOrder(QDataStream::LittleEndian);
    in.skipRawData(10); // "BM", file size, reserved
    BitmapHeader h;
    in >> h.pixelsAt >> h.infoSize;
    if (h.infoSize == kCoreHeaderSize) {
        quint16 width = 0;
        quint16 height = 0;
        in >> width >> height >> h.planes >> h.bitsPerPixel;
        h.width = width;
        h.height = height;
    } else {
        qint32 width = 0;
        qint32 height = 0;
        in >> width >> height >> h.planes >> h.bitsPerPixel >> h.compression >> h.pixelBytes;
        h.width = width;
        h.height = std::abs(qint64(height));
        h.topDown = height < 0;
    }
    h.complete = in.status() == QDataStream::Ok && fileSize >= kFileHeaderSize + qint64(h.infoSize);
    return h;
}

// The bytes of one row of an uncompressed bitmap: whole 32-bit words.
qint64 rowBytes(const BitmapHeader& h)
{
    return (h.width * h.bitsPerPixel + 31) / 32 * 4;
}

// The bytes of pixel data a header promises: every row of an uncompressed
// bitmap, the stated size of a run-length encoded one.
qint64 promisedPixelBytes(const BitmapHeader& h)
{
    if (h.compression == kRle8 || h.compression == kRle4)
        return h.pixelBytes;
    if ((h.compression != kUncompressed && h.compression != kBitFields) || h.width <= 0 || h.bitsPerPixel == 0)
        return 0;
    return rowBytes(h) * h.height;
}

// Qt's reader shows a cut-off bitmap with its missing rows blank, so a
// bitmap file must hold all the pixel data its header promises.
bool cutOff(const BitmapHeader& h, qint64 fileSize)
{
    return qint64(h.pixelsAt) + promisedPixelBytes(h) > fileSize;
}

// Plain 24-bit rows, bottom-up, after the headers: what the game's build
// writes. Qt's reader would turn each pixel into 32 bits through bit-field
// masks, some 40 instructions a pixel and most of the game's start-up; the
// rows are already QImage's BGR888 as they lie. Only the headers Qt reads the
// same way, so that the picture is the one its reader makes.
bool plainRows(const BitmapHeader& h)
{
    return std::ranges::find(kQtInfoHeaderSizes, h.infoSize) != std::end(kQtInfoHeaderSizes) && h.planes == 1
        && h.bitsPerPixel == 24 && h.compression == kUncompressed && h.width > 0 && h.height > 0 && !h.topDown
        && h.pixelsAt >= kFileHeaderSize + h.infoSize;
}

// The image Qt's reader makes of plain rows (see plainRows), read a row at
// a time, bottom row first, into the picture widened to 32 bits: no copy of
// the whole file or of its rows is ever held beside the picture. Each row
// through RGB888, which Qt widens many pixels at a time (BGR888 it widens
// pixel by pixel).
Bitmap fromPlainRows(QIODevice& device, const BitmapHeader& h)
{
    QImage picture(int(h.width), int(h.height), QImage::Format_RGB32);
    QImage row(int(h.width), 1, QImage::Format_RGB888); // its line is a file row, padding and all
    if (picture.isNull() || row.bytesPerLine() != rowBytes(h) || !device.seek(h.pixelsAt))
        return PictureFault::Broken;
    for (int y = picture.height() - 1; y >= 0; --y) {
        if (device.read(reinterpret_cast<char*>(row.bits()), row.bytesPerLine()) != row.bytesPerLine())
            return PictureFault::CutOff;
        row.rgbSwap();
        const QImage wide = row.convertToFormat(QImage::Format_RGB32);
        std::memcpy(picture.scanLine(y), wide.constScanLine(0), std::size_t(picture.bytesPerLine()));
    }
    return picture;
}

PictureFault fileFault(const QFileInfo& info)
{
    if (!info.exists())
        return PictureFault::Missing;
    if (info.isDir())
        return PictureFault::NotAFile;
    return PictureFault::NotReadable;
}

} // namespace

Bitmap loadBitmap(const QString& path)
{
    const QFileInfo info(path);
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        return fileFault(info);
    return decodeBitmap(file);
}

Bitmap decodeBitmap(QIODevice& device)
{
    const qint64 size = device.size();
    const QByteArray head = device.peek(kLongestHeaders);
    if (size == 0)
        return PictureFault::Empty;
    if (!head.startsWith("BM"))
        return PictureFault::NotABitmap;

    // Judged by the header alone, before anything is allocated for pixels.
    const BitmapHeader header = headerOf(head, size);
    if (!header.complete)
        return PictureFault::CutOff;
    if (!header.known())
        return PictureFault::Broken;
    if (header.width * header.height > kMaxPixels)
        return PictureFault::TooLarge;
    if (cutOff(header, size))
        return PictureFault::CutOff;

    if (plainRows(header))
        return fromPlainRows(device, header);

    QImageReader reader(&device, "bmp");
    reader.setDecideFormatFromContent(false);
    // Qt's own BMP reader, named: detecting the format would load every image
    // format plugin and ask each one first, for every picture.
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    if (image.isNull())
        return PictureFault::Broken;
    return image;
}
