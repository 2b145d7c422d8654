#include "ui/catalogue/FigureList.h"

#include "platform/database/Recordset.h"
#include "ui/catalogue/FigureColumns.h"
#include "ui/common/NumberText.h"

std::vector<ListRow> figureRows(Recordset &records, bool cartesian)
{
    using namespace FigureColumns;
    const int n = records.recordCount();
    QList<int> fieldOfCell;
    for (const QString &field : kFields)
        fieldOfCell << records.fieldIndex(field);
    std::vector<ListRow> rows;
    rows.reserve(static_cast<size_t>(n));
    for (int i = 1; i <= n; ++i) {
        records.setAbsolutePosition(i);
        ListRow row;
        row.text = numberText(i);
        row.cells.reserve(kCellCount);
        for (int cell = 1; cell <= kCellCount; ++cell) {
            const bool filled = cartesian || !isCartesianOnly(cell);
            row.cells << (filled ? records.text(fieldOfCell[cell - 1]) : QString());
        }
        row.storedKey = row.cells[kNumberCell - 1];
        rows.push_back(std::move(row));
    }
    return rows;
}
