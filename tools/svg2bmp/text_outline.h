#pragma once

#include <QFont>
#include <QPainterPath>
#include <QPointF>
#include <QString>

// Qt Svg 6.4 lays text out at this pixel size and scales the line to the
// text's own size, so that small text is not rounded to whole pixels. It
// strokes the outline in that scaled drawing too, and so more widely by the
// same factor: 26 units round a 124-unit text draw 32.
inline constexpr int kTextLayoutPixels = 100;

// One line of SVG text, drawn as Qt Svg draws it: `font` (family, weight and
// style; its size is not used) at `size` units, its baseline through `start`,
// which lies at its left end, its middle or its right end as `anchor` says
// (Qt::AlignLeft, Qt::AlignHCenter or Qt::AlignRight). The glyphs' outlines,
// for a picture to show the text alike where that font is missing.
QPainterPath textOutline(const QString& text, QFont font, qreal size, Qt::Alignment anchor, QPointF start);
