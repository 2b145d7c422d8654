#include "ui/common/CellWriting.h"

#include "platform/database/Recordset.h"
#include "platform/database/TableWriter.h"

void writeCell(TableWriter &writer, int column, const QString &cell, const Recordset *stored)
{
    if (stored && cell.isEmpty() && stored->value(writer.columnName(column)).isNull())
        return;
    writer.setText(column, cell);
}
