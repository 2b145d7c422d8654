#pragma once

#include "platform/listview/ListModel.h"

#include <memory>
#include <vector>

class Connection;

// The figure list of `sql` (a select of whole picMain records): rows numbered
// from 1, unchanged, each keeping the figure number it was loaded with. Only
// the keys are read here (each figure's number, name and thumbnail); the
// rest of a row is read from the catalogue the first time the list shows it
// or a window asks for it. Axis cells are filled for Cartesian figures only;
// a NULL leaves its cell empty. Throws DbError.
struct FigureList
{
    std::vector<ListRow> rows;
    std::shared_ptr<const RowSource> source;
};
FigureList readFigureList(const QString &sql, const std::shared_ptr<Connection> &connection, bool cartesian);
