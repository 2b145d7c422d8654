#pragma once

#include "tools/DiagramTemplate.h"

#include <QPointF>

#include <initializer_list>

// Percentages of the three corners of a triangular figure; normalised to 100.
struct Ternary
{
    double top;
    double left;
    double right;
};

// Assembles a DiagramTemplate the way the diagram tables read: axes first,
// then one call per boundary line and per label. Each line becomes its own
// series, starting with an unconnected point.
class DiagramBuilder
{
public:
    DiagramBuilder(const QString &number, const QString &name, int group);

    DiagramBuilder &figName(const QString &name);
    DiagramBuilder &thumbnailFile(const QString &fileName);
    DiagramBuilder &axes(const AxisSettings &x, const AxisSettings &y);
    // Turns the figure triangular and labels the corners.
    DiagramBuilder &triangle(const QString &top, const QString &left, const QString &right);
    DiagramBuilder &comment(const QString &text);
    DiagramBuilder &noComment();
    DiagramBuilder &specialCase(std::optional<int> value);
    DiagramBuilder &vector(bool on = true);
    DiagramBuilder &bitmap(bool on = true);

    DiagramBuilder &line(const QList<QPointF> &points, LineType type = LineType::Solid);
    DiagramBuilder &curve(const QList<QPointF> &points, LineType type = LineType::Solid);
    DiagramBuilder &ternaryLine(std::initializer_list<Ternary> points, LineType type = LineType::Solid);
    DiagramBuilder &label(double x, double y, const QString &text);
    DiagramBuilder &ternaryLabel(Ternary at, const QString &text);
    // Axis names go into the margins: below the X axis and above the Y axis.
    DiagramBuilder &axisTitles(const QString &x, const QString &y);

    DiagramTemplate build() const;

    static QPointF fromTernary(Ternary t);
    // Figure coordinate at a fraction of an axis, honouring log axes.
    static double atFraction(const AxisSettings &axis, double fraction);

private:
    DiagramBuilder &addSeries(const QList<QPointF> &points, LineType type, bool curve);

    DiagramTemplate m_figure;
    int m_series = 0;
};
