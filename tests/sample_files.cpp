#include "tests/sample_files.h"

#include <QDataStream>
#include <QIODevice>

#include <cmath>
#include <numbers>

namespace {

constexpr quint32 kInfoHeaderSize = 40;
constexpr quint32 kFileHeaderSize = 14;

int bitsOf(BitmapKind kind)
{
    switch (kind) {
    case BitmapKind::Mono: return 1;
    case BitmapKind::Palette8:
    case BitmapKind::Rle8: return 8;
    case BitmapKind::Rgb24: return 24;
    case BitmapKind::Rgb32: return 32;
    }
    return 24;
}

int rowBytes(int width, int bits)
{
    return (width * bits + 31) / 32 * 4;
}

// Every row of pixels, bottom row first, as the file stores them.
QByteArray pixelRows(BitmapKind kind, QSize size, QColor colour)
{
    const int bits = bitsOf(kind);
    QByteArray row(rowBytes(size.width(), bits), '\0');
    for (int x = 0; x < size.width(); ++x) {
        switch (kind) {
        case BitmapKind::Mono:
            row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8))); // palette entry 1
            break;
        case BitmapKind::Palette8:
        case BitmapKind::Rle8:
            row[x] = 1;
            break;
        case BitmapKind::Rgb24:
        case BitmapKind::Rgb32:
            row[x * bits / 8] = static_cast<char>(colour.blue());
            row[x * bits / 8 + 1] = static_cast<char>(colour.green());
            row[x * bits / 8 + 2] = static_cast<char>(colour.red());
            break;
        }
    }
    return row.repeated(size.height());
}

// Runs of at most 255 pixels of palette entry 1, row by row.
QByteArray rle8Rows(QSize size)
{
    QByteArray data;
    for (int y = 0; y < size.height(); ++y) {
        for (int left = size.width(); left > 0; left -= 255) {
            data += static_cast<char>(std::min(left, 255));
            data += char(1);
        }
        data += QByteArray("\0\0", 2); // end of line
    }
    data += QByteArray("\0\1", 2); // end of bitmap
    return data;
}

QByteArray bitmapFile(QSize size, int bits, quint32 compression, const QByteArray& palette,
                      const QByteArray& pixels)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 pixelsAt = kFileHeaderSize + kInfoHeaderSize + quint32(palette.size());
    out.writeRawData("BM", 2);
    out << quint32(pixelsAt + pixels.size()) << quint32(0) << pixelsAt;
    out << kInfoHeaderSize << qint32(size.width()) << qint32(size.height()) << quint16(1) << quint16(bits)
        << compression << quint32(pixels.size()) << qint32(2835) << qint32(2835)
        << quint32(palette.size() / 4) << quint32(0);
    out.writeRawData(palette.constData(), int(palette.size()));
    out.writeRawData(pixels.constData(), int(pixels.size()));
    return bytes;
}

} // namespace

QByteArray bitmapBytes(BitmapKind kind, QSize size, QColor colour)
{
    const int bits = bitsOf(kind);
    QByteArray palette;
    if (bits <= 8) {
        // entry 0 black, entry 1 the colour; the rest black
        palette.fill('\0', (1 << bits) * 4);
        palette[4] = static_cast<char>(colour.blue());
        palette[5] = static_cast<char>(colour.green());
        palette[6] = static_cast<char>(colour.red());
    }
    if (kind == BitmapKind::Rle8)
        return bitmapFile(size, bits, 1, palette, rle8Rows(size));
    return bitmapFile(size, bits, 0, palette, pixelRows(kind, size, colour));
}

QByteArray bitmapHeaderOnly(QSize size)
{
    return bitmapFile(size, 24, 0, {}, {});
}

QByteArray waveBytes(const WaveFormat& format, int ms, int toneMs)
{
    const qint64 frames = qint64(format.rate) * ms / 1000;
    const qint64 toneFrames = toneMs < 0 ? frames : qint64(format.rate) * toneMs / 1000;
    const int bytesPerSample = format.bits / 8;
    const quint32 dataBytes = quint32(frames * format.channels * bytesPerSample);
    QByteArray bytes;
    bytes.reserve(44 + dataBytes);
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.setFloatingPointPrecision(QDataStream::SinglePrecision);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(format.floats ? 3 : 1) << quint16(format.channels) << quint32(format.rate)
        << quint32(format.rate * format.channels * bytesPerSample) << quint16(format.channels * bytesPerSample)
        << quint16(format.bits);
    out.writeRawData("data", 4);
    out << dataBytes;
    for (qint64 i = 0; i < frames; ++i) {
        // 440 Hz at a quarter of full scale; starts at its peak, so the very
        // first sample of the tone is loud.
        const double value = i < toneFrames ? 0.25 * std::cos(2 * std::numbers::pi * 440 * double(i) / format.rate) : 0.0;
        for (int c = 0; c < format.channels; ++c) {
            if (format.floats) {
                out << float(value);
            } else if (format.bits == 8) {
                out << quint8(128 + std::lround(value * 127));
            } else {
                const qint32 full = qint32(std::lround(value * 2147483647.0));
                const qint32 sample = full >> (32 - format.bits);
                for (int b = 0; b < bytesPerSample; ++b)
                    out << quint8(sample >> (8 * b));
            }
        }
    }
    return bytes;
}
