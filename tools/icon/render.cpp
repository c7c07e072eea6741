#include "tools/icon/render.h"

#include <QPainter>
#include <QSvgRenderer>

namespace {

// QtSvg always antialiases; hard edges come from point-sampling a picture
// drawn this many times larger.
constexpr int kHardEdgeScale = 8;

} // namespace

std::optional<QImage> renderIcon(const QString& path, int size, Edges edges)
{
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return std::nullopt;
    const int drawnSize = edges == Edges::Hard ? size * kHardEdgeScale : size;
    QImage image(drawnSize, drawnSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, drawnSize, drawnSize));
    painter.end();
    if (edges == Edges::Hard)
        image = image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return image.convertToFormat(QImage::Format_ARGB32);
}
