#pragma once

#include <QList>
#include <QString>

// What a figure looks like, in the terms the host draws it from: the axes of
// picMain, the pData points and the picLable labels.
//
// Triangular figures keep their points in the Cartesian coordinates of an
// equilateral triangle with sides 0..100: left corner (0, 0), right corner
// (100, 0), top corner (50, 86.6).

// pData.L: how a point is joined to the previous point of its line.
enum class LineType { None = 0, Solid = 1, Dotted = 2, Dashed = 3 };

// X1..X7 / Y1..Y7 of picMain.
struct AxisSettings
{
    double minimum = 0;
    double maximum = 100;
    double minorTick = 5;
    double majorTick = 10;
    double crossing = 0; // where the other axis crosses this one
    bool logarithmic = false;
    int decimals = 0; // -1 (general form) .. 4
    bool operator==(const AxisSettings &) const = default;
};

struct FigurePoint
{
    int series = 1; // 1 .. 16
    bool curve = false;
    double x = 0;
    double y = 0;
    LineType line = LineType::None;
};

struct FigureLabel
{
    double x = 0; // centre of the text, in figure coordinates
    double y = 0;
    QString text; // may hold line breaks
};

struct FigureDrawing
{
    static constexpr double kTriangleHeight = 86.6;

    bool triangular = false;
    AxisSettings x;
    AxisSettings y;
    bool border = true;
    QList<FigurePoint> points; // in point-number order
    QList<FigureLabel> labels;
};

// Why `axis` cannot place values (minimum equal to maximum, a log axis not
// above zero, a bound not finite); empty text when it can. A minimum above
// the maximum is a reversed axis.
QString axisProblem(const AxisSettings &axis);

// Whether a usable `axis` can place `value`: finite, and above zero on a log axis.
bool axisTakes(const AxisSettings &axis, double value);
