#pragma once

#include <QImage>

// Turns an image into an 8-bit palette image, as GIF stores it. An image of
// at most 256 colours keeps every colour exactly. A larger one keeps its flat
// colours (each covering a noticeable share of the pixels: the background,
// the ink, the fills) exactly and gives the rest of the palette to a median
// cut of the remaining colours (anti-aliased edges, text), each pixel taking
// the nearest entry. Partial transparency is flattened onto white, since GIF
// has none.
class PaletteQuantiser
{
public:
    static QImage toIndexed(const QImage &image);
};
