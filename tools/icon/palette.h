#pragma once

#include <QImage>

// Indexed forms of an icon picture for the old Windows icon formats. Index 0
// is black in both palettes and stands for every transparent pixel (alpha
// below one half), since the icon's mask shows the desktop through there.

// Whether the icon's mask shows the desktop through this pixel.
bool isTransparent(QRgb pixel);

// Black and white: near-white pixels stay white, everything else turns
// black, so the title strip and the shadow stand out from the window.
QImage toTwoColours(const QImage& picture);

// The 16 colours of the standard Windows palette, each pixel the nearest.
QImage toSixteenColours(const QImage& picture);
