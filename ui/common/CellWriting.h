#pragma once

#include <QString>

class Recordset;

// Writes a list cell into a field of the record opened for its row. An empty
// cell over a stored NULL leaves the NULL: NULL shows as an empty cell, and
// writing that back as text would fail on a numeric column and block the
// save of every other edit of the row. A new record takes the cell as it is.
void writeCell(Recordset &record, const QString &field, const QString &cell, bool isNewRecord);
