#pragma once

#include <QString>
#include <vector>

class ListModel;

// The rows as a spreadsheet takes them: a line of the column captions, then
// one line per row in list order, cells separated by tabs, each row's number
// without its mark. A cell holding a tab, a line break or a leading quote is
// quoted, its quotes doubled, so that it stays one cell.
QString rowsAsTable(const ListModel &list, const std::vector<int> &rows);
