#pragma once

#include "tools/DiagramTemplate.h"

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>

class QPainter;

// Draws the small preview picture of a figure from its own points and labels:
// the axes or the triangle, the boundary lines in their line types, and the
// label texts centred on their positions. Needs a QGuiApplication for fonts.
class ThumbnailPainter
{
public:
    static constexpr QSize kSize{393, 337};

    explicit ThumbnailPainter(const DiagramTemplate &figure, QSize size = kSize);

    QImage paint() const;

    // Pixel position of a figure coordinate.
    QPointF toPixel(double x, double y) const;
    QRectF plotArea() const { return m_plot; }

private:
    void drawCartesianFrame(QPainter &p) const;
    void drawTriangleFrame(QPainter &p) const;
    void drawLines(QPainter &p) const;
    void drawLabels(QPainter &p) const;
    double axisFraction(const AxisSettings &axis, double value) const;

    const DiagramTemplate &m_figure;
    QSize m_size;
    QRectF m_plot; // Cartesian plot area, or the triangle's bounding box
};
