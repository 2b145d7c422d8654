#pragma once

#include "platform/database/SqlStatement.h"
#include "platform/listview/ListModel.h"
#include "ui/common/WriteConflicts.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class ListView;
class Recordset;

// The rows of a group, point or label list: the stored number (`keyField`) as
// the row text and as the row's stored key, the other fields as cells, every
// value as text and NULL as an empty cell. Runs gSql on gConn into gRs, as
// every load does; a failing query gives no rows. The values stay in the
// record set, the source of the rows: a row's texts are made when the list
// first needs them, so ten thousand rows open as fast as the few shown.
struct LoadedRows
{
    std::vector<ListRow> rows;
    std::shared_ptr<const RowSource> source;
};
LoadedRows loadNumberedRows(const SqlStatement &select, const QString &keyField, const QStringList &cellFields);
// The same rows read from an open record set.
std::vector<ListRow> readNumberedRows(Recordset &records, const QString &keyField, const QStringList &cellFields);
// The current record's `cellFields` as list cells, a NULL as an empty cell.
StoredCells numberedCells(const Recordset &record, const QStringList &cellFields);

// Puts the rows a load read into `list`, which remembers the catalogue file
// they came from: its saves write to that file only.
void showLoadedRows(ListView &list, std::vector<ListRow> rows, std::shared_ptr<const RowSource> source = {});
void showLoadedRows(ListView &list, LoadedRows loaded);

// The number a row added to `list` gets: the row count, the new row included,
// when it is free; otherwise the smallest whole number above every number in
// use. In use are the list's numbers (each row's number as shown and the
// number it was loaded with) and those `storedSelect` reads from `keyField` now
// (records may have come in since the list was loaded). A catalogue that
// cannot be read leaves the list's numbers; the save checks again.
double newRowNumber(const ListModel &list, const SqlStatement &storedSelect, const QString &keyField);
// The same for rows added one after another, each call the number of the
// next (asked once that row is in the list); the catalogue is read once.
std::function<double()> newRowNumbers(const ListModel &list, const SqlStatement &storedSelect, const QString &keyField);
