#pragma once

#include <QString>

class Recordset;
class TableWriter;

// Sets a list cell as the value of `column` for the writer's next write. An
// empty cell over a stored NULL leaves the NULL: NULL shows as an empty
// cell, and writing that back as text would fail on a numeric column and
// block the save of every other edit of the row. `stored` is the row's record
// as read now; a new record (none) takes the cell as it is.
void writeCell(TableWriter &writer, int column, const QString &cell, const Recordset *stored);
