#pragma once

#include "platform/listview/ListModel.h"
#include "figure/FigureDrawing.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <span>

// A figure as its rows stand, in the texts a list shows: the picMain record
// (field name -> text; none when the figure has no record), the point rows
// (number, then Series, curve, X, Y, L) and the label rows (number, then X, Y,
// Lbl). Rows marked for deletion are left out.
struct FigureRows
{
    std::optional<QHash<QString, QString>> record;
    std::span<const ListRow> points;
    std::span<const ListRow> labels;
};

struct ReadFigure
{
    FigureDrawing drawing;
    QStringList notes; // one short line for every value left out
};

// What can be drawn of `rows`; a value that cannot be drawn leaves its point,
// label or axis ticks out and says so in a note.
ReadFigure readFigure(const FigureRows &rows);
