#pragma once

#include "figure/FigureDrawing.h"
#include "figure/LabelTexts.h"
#include "figure/LinePixels.h"

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>

class QFont;
class QPainter;

// Draws a figure the way the host does: Cartesian figures on their axes
// (ticks, crossing point, log scales, decimals, border), triangular ones in an
// equilateral triangle; each line through its points in their line types,
// curves smoothed; each label centred on its position. An axis that cannot
// place values is drawn without ticks over the range its points span, and a
// point it cannot place is left out, so any figure draws. Needs a
// QGuiApplication for fonts.
class FigurePainter
{
public:
    // `texts`, when given, keeps the labels' texts laid out for the next paint,
    // and `lines` the pixels of the unsmoothed lines.
    FigurePainter(const FigureDrawing &figure, QSize size, LabelTexts *texts = nullptr, LinePixels *lines = nullptr);

    QImage paint() const;
    void paint(QPainter &p) const;

    // Pixel position of a figure coordinate.
    QPointF toPixel(double x, double y) const;
    QRectF plotArea() const { return m_plot; }
    // Where the label's text box lands.
    QRectF labelBox(const FigureLabel &label) const;

    struct Scale
    {
        double from = 0;
        double to = 1;
        bool logarithmic = false;
        bool usable = true; // false: the axis's own range was unusable
        double fraction(double value) const;
    };

private:
    void drawCartesianFrame(QPainter &p) const;
    void drawTriangleFrame(QPainter &p) const;
    void drawLines(QPainter &p) const;
    static void strokeLines(QPainter &p, const LinePixels::Strokes &strokes);
    void drawLabels(QPainter &p) const;
    bool placeable(const FigurePoint &point) const;
    // Where a figure coordinate lies across the plot: 0..1 inside it.
    QPointF fractionOf(double x, double y) const;
    QPointF fromFraction(QPointF fraction) const;
    int fontPixels() const;
    QFont labelFont() const;
    QRectF labelBox(const FigureLabel &label, const LabelTexts::Text &text) const;

    const FigureDrawing &m_figure;
    QSize m_size;
    QRectF m_plot; // Cartesian plot area, or the triangle's bounding box
    Scale m_x, m_y;
    LabelTexts *m_texts;
    LinePixels *m_lines;
};
