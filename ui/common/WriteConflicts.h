#pragma once

#include "ui/common/RowByRowSave.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

class ListModel;
class QWidget;

// The text a read gives back once a cell's text is written to the field of
// `cell`; nothing when the field cannot take it.
using StoredForm = std::function<std::optional<QString>(int cell, const QString &text)>;

// A row's record as it is stored now, cell by cell as the list shows it;
// a cell is made into text only when it is asked for.
struct StoredCells
{
    int count = 0;
    std::function<QString(int cell)> cell; // cell 1..count
};

// The cells a save writes of changed `row`: those the user changed since the
// row was read or last written (every cell of a row never read). Throws the
// WriteConflict when another program changed some of them too, to another
// value. Texts that differ only in form ("1.50" written, 1.5 stored) are the
// same value. `what` names the record in the question ("图版 B003").
QList<int> cellsToWrite(const ListModel &list, int row, const QString &what, const StoredCells &storedNow,
                        const StoredForm &storedForm);

// Runs a window's save until it ends, asking at every write conflict it stops
// at: "覆盖" writes the user's cells over the other program's and goes on,
// "放弃" reads the row again from its record (then `reloaded` is told) and
// goes on, "取消" ends the save there. A failure is reported. True when every
// marked row was saved.
bool saveAskingAtConflicts(QWidget *window, ListModel &list, const std::function<SaveOutcome()> &save,
                           const std::function<void(int row)> &reloaded = {});
