#include "tools/svg2bmp/render.h"

#include <QLoggingCategory>
#include <QPainter>
#include <QSvgRenderer>

namespace {

QStringList svgWarnings;
QtMessageHandler previousHandler = nullptr;

void collectSvgWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (QLatin1String(context.category ? context.category : "").startsWith(QLatin1String("qt.svg")))
        svgWarnings.append(message);
    else if (previousHandler)
        previousHandler(type, context, message);
}

} // namespace

std::optional<QImage> renderSvg(const QString& svg, int width, int height, QString& error)
{
    svgWarnings.clear();
    previousHandler = qInstallMessageHandler(collectSvgWarnings);
    QSvgRenderer renderer(svg.toUtf8());
    qInstallMessageHandler(previousHandler);

    if (!renderer.isValid() || !svgWarnings.isEmpty()) {
        error
            = svgWarnings.isEmpty() ? QStringLiteral("not a valid SVG document") : svgWarnings.join(QLatin1Char('\n'));
        return std::nullopt;
    }

    QImage canvas(width, height, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    renderer.setAspectRatioMode(Qt::IgnoreAspectRatio);
    renderer.render(&painter, QRectF(0, 0, width, height));
    painter.end();
    return canvas.convertToFormat(QImage::Format_RGB888);
}
