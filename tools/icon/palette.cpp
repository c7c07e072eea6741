#include "tools/icon/palette.h"

#include <limits>

namespace {

constexpr int kOpaqueAlpha = 128;
constexpr double kWhiteLuminance = 0.8;

const QList<QRgb> kTwoColours{qRgb(0, 0, 0), qRgb(255, 255, 255)};

const QList<QRgb> kSixteenColours{qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
                                  qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
                                  qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
                                  qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};

int squaredDistance(QRgb a, QRgb b)
{
    const int r = qRed(a) - qRed(b);
    const int g = qGreen(a) - qGreen(b);
    const int bl = qBlue(a) - qBlue(b);
    return r * r + g * g + bl * bl;
}

int nearestSixteen(QRgb colour)
{
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < kSixteenColours.size(); ++i) {
        const int distance = squaredDistance(colour, kSixteenColours[i]);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

int twoColourIndex(QRgb colour)
{
    const double luminance = (0.2126 * qRed(colour) + 0.7152 * qGreen(colour) + 0.0722 * qBlue(colour)) / 255.0;
    return luminance >= kWhiteLuminance ? 1 : 0;
}

template <typename IndexOf> QImage indexed(const QImage& picture, const QList<QRgb>& palette, IndexOf indexOf)
{
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
    QImage result(source.size(), QImage::Format_Indexed8);
    result.setColorTable(palette);
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const QRgb pixel = source.pixel(x, y);
            result.setPixel(x, y, isTransparent(pixel) ? 0 : indexOf(pixel));
        }
    }
    return result;
}

} // namespace

bool isTransparent(QRgb pixel)
{
    return qAlpha(pixel) < kOpaqueAlpha;
}

QImage toTwoColours(const QImage& picture)
{
    return indexed(picture, kTwoColours, twoColourIndex);
}

QImage toSixteenColours(const QImage& picture)
{
    return indexed(picture, kSixteenColours, nearestSixteen);
}
