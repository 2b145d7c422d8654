#pragma once

#include "figure/FigureDrawing.h"
#include "figure/LabelTexts.h"
#include "figure/LinePixels.h"

#include <QImage>
#include <QSize>

// A figure painted into an image and kept, with its laid-out texts and line
// pixels, so that painting it again after an edit paints anew only where its
// lines or labels changed: the preview of a figure of 10,000 points and
// labels is redrawn at every edit in its editors, and drawing every label
// again is most of a whole paint.
class PaintedFigure
{
public:
    // `figure` as FigurePainter::paint() paints it at `size`, in device pixels
    // of `devicePixelRatio` each.
    const QImage &paint(const FigureDrawing &figure, QSize size, qreal devicePixelRatio = 1);
    // Paints since the last whole one that painted only what changed.
    int partialPaints() const { return m_partialPaints; }

private:
    FigureDrawing m_shown; // what m_image shows
    QImage m_frame;        // m_shown's white and frame, under its lines and labels
    QImage m_image;
    LabelTexts m_texts;
    LinePixels m_lines;
    int m_partialPaints = 0;
};
