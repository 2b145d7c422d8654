#pragma once

#include <QList>
#include <QString>

#include <optional>

// One figure of the catalogue as the builders produce it: a picMain record
// together with its pData points and picLable labels.
//
// Triangular figures keep their points in the Cartesian coordinates of an
// equilateral triangle with sides 0..100: left corner (0, 0), right corner
// (100, 0), top corner (50, 86.6). DiagramBuilder converts ternary percentages.

// pData.L: how a point is joined to the previous point of its series.
enum class LineType { None = 0, Solid = 1, Dotted = 2, Dashed = 3 };

// X1..X7 / Y1..Y7 of picMain.
struct AxisSettings
{
    double minimum = 0;
    double maximum = 100;
    double minorTick = 5;
    double majorTick = 10;
    double crossing = 0;
    bool logarithmic = false;
    int decimals = 0; // -1 .. 4
};

struct DiagramPoint
{
    int series = 1; // 1 .. 16
    bool curve = false;
    double x = 0;
    double y = 0;
    LineType line = LineType::None;
};

struct DiagramLabel
{
    double x = 0; // centre of the text, in figure coordinates
    double y = 0;
    QString text; // may hold line breaks
};

struct DiagramTemplate
{
    static constexpr int kMaxSeries = 16;
    static constexpr double kTriangleHeight = 86.6;

    QString number;        // th: "B001", "T003"
    QString name;          // tm
    QString figName;       // thumbnail base name: "BP001"
    QString thumbnailFile; // file name in Diagram/MiniMap, extension included
    int group = 1;
    bool triangular = false;
    AxisSettings x;
    AxisSettings y;
    bool border = true;
    std::optional<int> specialCase;
    std::optional<QString> comment;
    bool vector = false;
    bool bitmap = false;
    QList<DiagramPoint> points;
    QList<DiagramLabel> labels;

    QString typeLetter() const { return triangular ? QStringLiteral("T") : QStringLiteral("B"); }
};
