#pragma once

#include "platform/database/SqlStatement.h"
#include "ui/common/RowByRowSave.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

class ListModel;
class TableWriter;

// A table whose records a list shows one per row, each found by its number:
// the groups of picType, the labels of one figure in picLable.
struct KeyedTable
{
    QString table;     // "picType", "picLable"
    QString noun;      // "分组", "标签": names a record in the failure text
    QString keyField;  // the field holding the number
    QString nameField; // the field that names the record holding a taken number
    QStringList cellFields; // the field behind each list cell, cell 1 first
    std::function<SqlStatement(const QVariant &number)> deleteStatement;
    std::function<SqlStatement(const QVariant &number, bool forNewRow)> selectStatement;
    // Selects `keyField` of every record a number of this list could meet.
    SqlStatement storedNumbers;
    // Sets the key fields of a new record for `number`.
    std::function<void(TableWriter &record, const QVariant &number)> assignKey;
    // Runs inside the save's transaction before the rows (see RowWriter::start).
    std::function<void()> start;
};

// Writes the marked rows of `list` to `table`, first row to last: a deleted
// row's record is deleted, a changed row's record (found by the number it was
// loaded with) gets the cells the user changed, a new row's record is inserted
// under the number it shows unless that number is taken. A new row deleted
// before it was ever saved runs no statement: its number may be another
// record's by now. A changed row that meets another program's change of the
// same cell stops the save before it (the outcome's conflict).
// The rows before a failing row are written: their marks go, they show their
// number, and the deleted ones leave the list (`current` follows its row);
// the failing row and those after it keep their marks.
SaveOutcome saveKeyedList(ListModel &list, int &current, const KeyedTable &table);
