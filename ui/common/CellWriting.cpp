#include "ui/common/CellWriting.h"

#include "platform/database/Recordset.h"

void writeCell(Recordset &record, const QString &field, const QString &cell, bool isNewRecord)
{
    if (!isNewRecord && cell.isEmpty() && record.value(field).isNull())
        return;
    record.setValue(field, cell);
}
