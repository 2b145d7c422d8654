#include "ui/catalogue/FigureList.h"

#include "app/mQuillar.h"
#include "platform/database/DbError.h"
#include "platform/database/Keyset.h"
#include "platform/database/Recordset.h"
#include "ui/catalogue/FigureColumns.h"
#include "ui/common/NumberText.h"

namespace {

using namespace FigureColumns;

// The cells a row comes with: the number, which finds the row, and the name
// and thumbnail, which the new-figure proposal compares with every row.
constexpr int kCellsWithKeys = kThumbnailCell;

QStringList figureCells(Recordset &record, bool cartesian)
{
    QStringList cells;
    cells.reserve(kCellCount);
    for (int cell = 1; cell <= kCellCount; ++cell) {
        const bool filled = cartesian || !isCartesianOnly(cell);
        cells << (filled ? record.text(kFields[cell - 1]) : QString());
    }
    return cells;
}

} // namespace

FigureList readFigureList(const QString &sql, const std::shared_ptr<Connection> &connection, bool cartesian)
{
    auto keys = std::make_shared<Keyset>();
    keys->open(sql, connection, kFields.mid(0, kCellsWithKeys));
    FigureList list;
    const int n = keys->count();
    list.rows.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        ListRow row;
        row.text = numberText(i + 1);
        for (int k = 0; k < kCellsWithKeys; ++k)
            row.cells << keys->keyText(i, k);
        row.storedKey = row.cells[kNumberCell - 1];
        row.unreadSource = i;
        list.rows.push_back(std::move(row));
    }
    list.reader = [keys, cartesian](int source) {
        try {
            Recordset record;
            keys->readRecord(source, record, gConn); // the connection of now: another window may have reopened the file
            if (record.recordCount() == 0)
                return QStringList(); // deleted by another program since: the row keeps what it came with
            return figureCells(record, cartesian);
        } catch (const DbError &) {
            return QStringList(); // an unreadable file shows what the row came with
        }
    };
    return list;
}
