#include "tools/svg2bmp/text_outline.h"

#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <QTransform>

QPainterPath textOutline(const QString& text, QFont font, qreal size, Qt::Alignment anchor, QPointF start)
{
    font.setPixelSize(kTextLayoutPixels);
    QTextLayout layout(text, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();

    qreal x = 0;
    if (anchor == Qt::AlignHCenter)
        x -= 0.5 * line.naturalTextWidth();
    else if (anchor == Qt::AlignRight)
        x -= line.naturalTextWidth();
    line.setPosition(QPointF(x, -line.ascent())); // the baseline at 0

    QPainterPath outline;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QRawFont glyphs = run.rawFont();
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < indexes.size(); ++i)
            outline.addPath(glyphs.pathForGlyph(indexes[i]).translated(positions[i]));
    }
    const qreal scale = size / kTextLayoutPixels;
    return QTransform::fromTranslate(start.x(), start.y()).scale(scale, scale).map(outline);
}
