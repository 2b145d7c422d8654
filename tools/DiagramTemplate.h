#pragma once

#include "figure/FigureDrawing.h"

#include <QString>

#include <optional>

// One figure of the catalogue as the builders produce it: a picMain record
// together with its pData points and picLable labels, and what it draws.
// DiagramBuilder converts ternary percentages into the triangle's coordinates.

struct DiagramTemplate : FigureDrawing
{
    static constexpr int kMaxSeries = 16;

    QString number;        // th: "B001", "T003"
    QString name;          // tm
    QString figName;       // thumbnail base name: "BP001"
    QString thumbnailFile; // file name in Diagram/MiniMap, extension included
    int group = 1;
    std::optional<int> specialCase;
    std::optional<QString> comment;
    bool vector = false;
    bool bitmap = false;

    QString typeLetter() const { return triangular ? QStringLiteral("T") : QStringLiteral("B"); }
};
