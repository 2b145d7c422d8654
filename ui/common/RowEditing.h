#pragma once

#include <QString>
#include <functional>
#include <vector>

class ListModel;

// The editing model all windows share: a row's Tag holds its change state and
// its text shows the row's number followed by at most one mark.
namespace RowState {
constexpr int Unchanged = 0;
constexpr int Changed = 1;
constexpr int New = 2;
constexpr int Deleted = -1;
} // namespace RowState

namespace RowMark {
inline const QString Changed = QStringLiteral("*");
inline const QString New = QStringLiteral("#");
inline const QString Deleted = QStringLiteral("★");
} // namespace RowMark

// A row's text without the mark its state put after the number.
QString unmarkedText(const QString &rowText, int tag);
// The row's number (read back from its marked text) followed by `mark`.
QString numberWithMark(const QString &rowText, const QString &mark);

// An edit reached the row: unchanged, changed and deleted rows become changed
// ("12*"); a new row stays new and keeps its text, also one that was marked
// deleted before it was ever saved ("12#" again).
void markRowChanged(ListModel &list, int row);
// The row is marked for deletion with `mark` ("12★" or "5d").
void markRowDeleted(ListModel &list, int row, const QString &mark);
void markRowsDeleted(ListModel &list, const std::vector<int> &rows, const QString &mark);
// Del on the point list: marks `rows` for deletion with `mark`, or when every
// one of them is marked already takes the marks off again.
void toggleRowsDeleted(ListModel &list, const std::vector<int> &rows, const QString &mark);
// Appends a new row showing `number` followed by "#"; returns its index.
int appendNewRow(ListModel &list, const QString &number);
// The row was written: unchanged again, showing `shownNumber`; what a later
// save compares with what is stored then is what it holds now.
void markRowSaved(ListModel &list, int row, const QString &shownNumber);
// The rows a save writes: every marked row, first to last.
std::vector<int> markedRows(const ListModel &list);
// True when a row carries a mark that no save has settled yet; `settled`
// names marked rows a save already wrote (a deleted row a window keeps
// after its record went).
bool hasUnsavedRows(const ListModel &list, const std::function<bool(int row)> &settled = {});
// Takes `rows` (ascending) out of the list; `current` follows its row, -1 when
// that row went.
void removeRowsKeepingCurrent(ListModel &list, const std::vector<int> &rows, int &current);
