#include "samples/sample_files.h"

#include <QBuffer>
#include <QDataStream>
#include <QImage>

#include <cmath>
#include <numbers>

namespace {

// A bitmap of a kind Qt does not write itself: the file header, the 40-byte
// info header, the palette and the pixels as given.
QByteArray bitmapFile(QSize size, int bits, quint32 compression, const QByteArray& palette, const QByteArray& pixels)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 pixelsAt = 14 + 40 + quint32(palette.size());
    out.writeRawData("BM", 2);
    out << quint32(pixelsAt + pixels.size()) << quint32(0) << pixelsAt;
    out << quint32(40) << qint32(size.width()) << qint32(size.height()) << quint16(1) << quint16(bits) << compression
        << quint32(pixels.size()) << qint32(2835) << qint32(2835) << quint32(palette.size() / 4) << quint32(0);
    return bytes + palette + pixels;
}

} // namespace

QByteArray bitmapBytes(BitmapKind kind, QSize size, QColor colour)
{
    const char pixel[] = {char(colour.blue()), char(colour.green()), char(colour.red()), 0};
    const QByteArray bgra(pixel, 4);
    if (kind == BitmapKind::Rle8) {
        // Palette entry 1 is the colour; each row one run of it, then the
        // end of the row; the end of the bitmap last. Rows up to 255 wide.
        const char run[] = {char(size.width()), 1, 0, 0};
        const QByteArray row(run, 4);
        return bitmapFile(size, 8, 1, QByteArray(4, 0) + bgra + QByteArray(254 * 4, 0),
                          row.repeated(size.height()) + QByteArray("\0\1", 2));
    }
    if (kind == BitmapKind::Rgb32)
        return bitmapFile(size, 32, 0, {}, bgra.repeated(size.width() * size.height()));
    // Qt writes the others: 1 bit for two colours, 8 for a 256-colour
    // palette, else 24.
    QImage image(size,
                 kind == BitmapKind::Mono           ? QImage::Format_Mono
                     : kind == BitmapKind::Palette8 ? QImage::Format_Indexed8
                                                    : QImage::Format_RGB888);
    if (kind == BitmapKind::Rgb24) {
        image.fill(colour);
    } else {
        QList<QRgb> palette(kind == BitmapKind::Mono ? 2 : 256, qRgb(0, 0, 0));
        palette[1] = colour.rgb();
        image.setColorTable(palette);
        image.fill(1);
    }
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    image.save(&file, "BMP");
    return file.data();
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
    const QByteArray oddChunk
        = QByteArrayLiteral("LIST\3\0\0\0abc\0").first(format.oddChunk == OddChunk::UnpaddedAtTheEnd ? 11 : 12);
    out << quint32(36 + (format.oddChunk != OddChunk::None ? 12 : 0) + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(format.floats ? 3 : 1) << quint16(format.channels) << quint32(format.rate)
        << quint32(format.rate * format.channels * bytesPerSample) << quint16(format.channels * bytesPerSample)
        << quint16(format.bits);
    if (format.oddChunk == OddChunk::PaddedBeforeSamples)
        out.writeRawData(oddChunk.constData(), int(oddChunk.size()));
    out.writeRawData("data", 4);
    out << dataBytes;
    for (qint64 i = 0; i < frames; ++i) {
        // 440 Hz at a quarter of full scale; starts at its peak, so the very
        // first sample of the tone is loud.
        const double value
            = i < toneFrames ? 0.25 * std::cos(2 * std::numbers::pi * 440 * double(i) / format.rate) : 0.0;
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
    if (format.oddChunk == OddChunk::UnpaddedAtTheEnd)
        out.writeRawData(oddChunk.constData(), int(oddChunk.size()));
    return bytes;
}
