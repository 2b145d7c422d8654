#pragma once

#include "platform/listview/ListModel.h"

#include <memory>
#include <vector>

class Connection;
class SqlStatement;
class Recordset;

// The figure list of `select` (a select of whole picMain records): rows numbered
// from 1, unchanged, each keeping the figure number it was loaded with. Only
// the keys are read here (each figure's number, name and thumbnail); the
// rest of a row is read from the catalogue the first time the list shows it
// or a window asks for it, from the record that still holds the listed
// figure, never from another record that took its place, nor from another
// file that replaced the catalogue. Throws DbError.
struct FigureList
{
    std::vector<ListRow> rows;
    std::shared_ptr<const RowSource> source;
};
FigureList readFigureList(const SqlStatement &select, const std::shared_ptr<Connection> &connection, bool cartesian);

// The current record of `record` as list cells 1..23: axis cells filled for
// Cartesian figures only, a NULL as an empty cell.
QStringList figureCells(const Recordset &record, bool cartesian);
// One of those cells.
QString figureCell(const Recordset &record, bool cartesian, int cell);
