#pragma once

#include <QString>

#include <optional>

// The picture `svg`, the shared parts spliced in, as one small file that
// every current browser draws as svg2bmp draws the desktop's bitmap, at
// `width` x `height` pixels:
// - only the shared parts it uses, through <use> and url(#...), and what
//   they use in turn;
// - every paint of SVG Tiny's <solidColor>, which browsers lack, as its colour;
// - every <text> as its glyphs' outlines, laid out as Qt Svg lays it out,
//   so that it needs no font and looks as on the desktop; a text drawn more
//   than once is outlined once and used again;
// - no comments, no whitespace between elements, short path data.
// Nothing where the document is not well-formed or a text cannot be laid
// out as Qt Svg would; `error` says why.
std::optional<QString> webSvg(const QString& svg, int width, int height, QString& error);
