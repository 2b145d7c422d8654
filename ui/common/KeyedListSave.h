#pragma once

#include <QString>
#include <QVariant>
#include <functional>

class ListView;
class Recordset;

// A table whose records a list shows one per row, each found by its number:
// the groups of picType, the labels of one figure in picLable.
struct KeyedTable
{
    QString noun;      // "分组", "标签": names a record in the failure text
    QString nameField; // the field that names the record holding a taken number
    std::function<QString(const QVariant &number)> deleteStatement;
    std::function<QString(const QVariant &number, bool forNewRow)> selectStatement;
    // Assigns the row's values to the record opened for it (a new one when `isNew`).
    std::function<void(Recordset &record, int row, const QVariant &number, bool isNew)> assign;
};

// Writes the marked rows of `list` to `table`, first row to last: a deleted
// row's record is deleted, a changed row's record (found by the number it was
// loaded with) overwritten, a new row's record inserted under the number it
// shows unless that number is taken. A new row deleted before it was ever
// saved runs no statement: its number may be another record's by now.
// The rows before a failing row are written: their marks go, they show their
// number, and the deleted ones leave the list (`current` follows its row);
// the failing row and those after it keep their marks. Returns the cause of
// a failure, empty text when every row was written.
QString saveKeyedList(ListView &list, int &current, const KeyedTable &table);
