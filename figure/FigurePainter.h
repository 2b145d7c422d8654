#pragma once

#include "figure/FigureDrawing.h"
#include "figure/LabelTexts.h"
#include "figure/LinePixels.h"

#include <QImage>
#include <QMap>
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

    // The white and the frame that paint() draws the lines and labels over,
    // and those drawn over it: paint() in two steps.
    QImage paintFrame(qreal devicePixelRatio = 1) const;
    void drawOverFrame(QPainter &p) const;
    // Brings `image`, which shows `before` painted with the same kept texts
    // and line pixels (the last paint that used them), up to this figure,
    // painting anew over `frame` (before's paintFrame()) only where lines or
    // labels changed. False when more changed: the frame, where things land,
    // smoothed lines; the whole figure is painted then.
    bool repaint(QImage &image, const QImage &frame, const FigurePainter &before) const;

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
        bool operator==(const Scale &) const = default;
    };

private:
    void drawFrame(QPainter &p) const;
    // Whether the frame of both is the same and points and labels land alike.
    bool placesAlike(const FigurePainter &other) const;
    void drawCartesianFrame(QPainter &p) const;
    void drawTriangleFrame(QPainter &p) const;
    bool smoothsLines() const;
    QRectF lineClip() const;
    QMap<int, LinePixels::Strokes> lineStrokes() const;
    void drawLines(QPainter &p) const;
    static void strokeLines(QPainter &p, const LinePixels::Strokes &strokes);
    // Only the labels that reach into `within`, when given.
    void drawLabels(QPainter &p, const QRect *within) const;
    bool drawable(const FigureLabel &label) const;
    // The pixels the label's glyphs may touch; none when it is not drawn.
    QRect inkArea(const FigureLabel &label, const LabelTexts::Text &text) const;
    static bool sameLabel(const FigureLabel &a, const FigureLabel &b);
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
