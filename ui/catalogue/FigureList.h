#pragma once

#include "platform/listview/ListModel.h"

#include <memory>
#include <vector>

class Connection;

// The figure list of `sql` (a select of whole picMain records), rows numbered
// from 1, unchanged, each keeping the figure number it was loaded with. The
// rows come with their number, name and thumbnail cells; the reader reads
// the rest of a row from the catalogue when the list first shows it or is
// asked for it. Axis cells are filled for Cartesian figures only; a NULL
// leaves its cell empty. Throws DbError.
struct FigureList
{
    std::vector<ListRow> rows;
    RowReader reader;
};
FigureList readFigureList(const QString &sql, const std::shared_ptr<Connection> &connection, bool cartesian);
