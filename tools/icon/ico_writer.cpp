#include "tools/icon/ico_writer.h"

#include "tools/icon/palette.h"

#include <QDataStream>
#include <QIODevice>

namespace {

constexpr quint32 kInfoHeaderSize = 40;
constexpr int kDirectoryHeaderSize = 6;
constexpr int kDirectoryEntrySize = 16;

int bitsPerPixel(const IconPicture& icon)
{
    return icon.colours.colorCount() <= 2 ? 1 : 4;
}

// Bitmap rows are padded to whole 32-bit words.
int rowBytes(int width, int bits)
{
    return (width * bits + 31) / 32 * 4;
}

// Packs one row of palette indices (or mask bits) most significant bit first.
QByteArray packedRow(const QList<int>& values, int bits)
{
    QByteArray row(rowBytes(int(values.size()), bits), '\0');
    const int perByte = 8 / bits;
    for (int x = 0; x < values.size(); ++x) {
        const int shift = 8 - bits * (x % perByte + 1);
        row[x / perByte] = char(uchar(row[x / perByte]) | (values[x] << shift));
    }
    return row;
}

// The bitmap of one picture: header, palette, colour rows and mask rows,
// the rows from the bottom up as bitmaps keep them.
QByteArray bitmap(const IconPicture& icon)
{
    const int width = icon.colours.width();
    const int height = icon.colours.height();
    const int bits = bitsPerPixel(icon);
    QByteArray colourRows;
    QByteArray maskRows;
    for (int y = height - 1; y >= 0; --y) {
        QList<int> indices;
        QList<int> mask;
        for (int x = 0; x < width; ++x) {
            indices.append(icon.colours.pixelIndex(x, y));
            mask.append(isTransparent(icon.picture.pixel(x, y)) ? 1 : 0);
        }
        colourRows += packedRow(indices, bits);
        maskRows += packedRow(mask, 1);
    }

    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    // The height counts colour rows and mask rows together.
    out << kInfoHeaderSize << qint32(width) << qint32(2 * height) << quint16(1) << quint16(bits) << quint32(0)
        << quint32(colourRows.size() + maskRows.size()) << qint32(0) << qint32(0) << quint32(icon.colours.colorCount())
        << quint32(0);
    for (const QRgb colour : icon.colours.colorTable())
        out << quint8(qBlue(colour)) << quint8(qGreen(colour)) << quint8(qRed(colour)) << quint8(0);
    out.writeRawData(colourRows.constData(), int(colourRows.size()));
    out.writeRawData(maskRows.constData(), int(maskRows.size()));
    return bytes;
}

} // namespace

QByteArray icoFile(const QList<IconPicture>& pictures)
{
    QList<QByteArray> bitmaps;
    for (const IconPicture& icon : pictures)
        bitmaps.append(bitmap(icon));

    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(pictures.size());
    quint32 offset = kDirectoryHeaderSize + kDirectoryEntrySize * quint32(pictures.size());
    for (int i = 0; i < pictures.size(); ++i) {
        const IconPicture& icon = pictures[i];
        out << quint8(icon.colours.width()) << quint8(icon.colours.height()) << quint8(icon.colours.colorCount())
            << quint8(0) << quint16(1) << quint16(bitsPerPixel(icon)) << quint32(bitmaps[i].size()) << offset;
        offset += quint32(bitmaps[i].size());
    }
    for (const QByteArray& image : bitmaps)
        out.writeRawData(image.constData(), int(image.size()));
    return bytes;
}
