#include "ui/common/RowNumbersInUse.h"

#include "app/mQuillar.h"
#include "platform/database/ColumnKind.h"
#include "platform/database/Connection.h"
#include "platform/database/DbError.h"
#include "platform/database/Recordset.h"
#include "platform/listview/ListModel.h"
#include "ui/common/NumberText.h"

#include <algorithm>
#include <cmath>

namespace {

// Changes when anything was written to the catalogue since the last call: by
// this connection (total_changes) or by any other (data_version). Empty when
// that cannot be told.
QString catalogueStamp(Connection &connection)
{
    try {
        Statement &q = connection.prepared(
            QStringLiteral("select total_changes(), data_version from pragma_data_version"));
        if (!q.exec() || !q.next())
            return {};
        const QString stamp = q.value(0).toString() + QLatin1Char('/') + q.value(1).toString();
        q.finish();
        return stamp;
    } catch (const DbError &) {
        return {};
    }
}

} // namespace

RowNumbersInUse &RowNumbersInUse::of(const ListModel &list)
{
    if (auto *kept = list.findChild<RowNumbersInUse *>(QString(), Qt::FindDirectChildrenOnly))
        return *kept;
    return *new RowNumbersInUse(list);
}

RowNumbersInUse::RowNumbersInUse(const ListModel &list) : QObject(const_cast<ListModel *>(&list)), m_list(list)
{
    const QAbstractItemModel *model = &list;
    connect(model, &QAbstractItemModel::modelReset, this, &RowNumbersInUse::recountAll);
    connect(model, &QAbstractItemModel::layoutChanged, this, &RowNumbersInUse::recountAll);
    connect(model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) { rowsInserted(first, last); });
    connect(model, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex &, int first, int last) { rowsRemoved(first, last); });
    connect(model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                if (topLeft.column() != 0)
                    return; // only column 0 holds the number
                for (int row = topLeft.row(); row <= bottomRight.row(); ++row)
                    rowChanged(row);
            });
    recountAll();
}

RowNumbersInUse::RowNumbers RowNumbersInUse::numbersOfRow(int row) const
{
    RowNumbers numbers;
    numbers.shown = leadingNumber(m_list.text(row));
    const QVariant key = m_list.storedKey(row);
    if (key.typeId() == QMetaType::LongLong || key.typeId() == QMetaType::Double)
        numbers.loaded = key.toDouble();
    else if (key.isValid())
        numbers.loaded = leadingNumber(valueText(key));
    numbers.hasLoaded = key.isValid();
    return numbers;
}

void RowNumbersInUse::count(std::map<double, int> &uses, double number, int delta)
{
    if (std::isnan(number))
        return; // equal to nothing, so it never makes a number taken
    const auto it = uses.try_emplace(number, 0).first;
    it->second += delta;
    if (it->second == 0)
        uses.erase(it);
}

void RowNumbersInUse::count(const RowNumbers &numbers, int delta)
{
    count(m_listUses, numbers.shown, delta);
    if (numbers.hasLoaded)
        count(m_listUses, numbers.loaded, delta);
}

void RowNumbersInUse::recountAll()
{
    m_rows.clear();
    m_listUses.clear();
    rowsInserted(0, m_list.count() - 1);
}

void RowNumbersInUse::rowsInserted(int first, int last)
{
    std::vector<RowNumbers> inserted;
    for (int row = first; row <= last; ++row) {
        inserted.push_back(numbersOfRow(row));
        count(inserted.back(), +1);
    }
    m_rows.insert(m_rows.begin() + first, inserted.begin(), inserted.end());
}

void RowNumbersInUse::rowsRemoved(int first, int last)
{
    for (int row = first; row <= last; ++row)
        count(m_rows[size_t(row)], -1);
    m_rows.erase(m_rows.begin() + first, m_rows.begin() + last + 1);
}

void RowNumbersInUse::rowChanged(int row)
{
    RowNumbers &kept = m_rows[size_t(row)];
    count(kept, -1);
    kept = numbersOfRow(row);
    count(kept, +1);
}

void RowNumbersInUse::refreshStored(const SqlStatement &storedSelect, const QString &keyField)
{
    const QString sql = keyField + QLatin1Char('\n') + storedSelect.shown();
    const std::shared_ptr<Connection> connection = gConn;
    const QString stamp = connection ? catalogueStamp(*connection) : QString();
    if (!stamp.isEmpty() && stamp == m_storedStamp && sql == m_storedSql
        && connection == m_storedConnection.lock())
        return;
    m_storedUses.clear();
    m_storedSql = sql;
    m_storedConnection = connection;
    m_storedStamp = stamp;
    try {
        Recordset stored;
        stored.open(storedSelect, connection);
        const int key = stored.fieldIndex(keyField);
        for (int i = 1; i <= stored.recordCount(); ++i) {
            stored.setAbsolutePosition(i);
            count(m_storedUses, leadingNumber(valueText(stored.value(key))), +1);
        }
    } catch (const DbError &) {
        m_storedStamp.clear(); // only the list's numbers are known now; try again next time
    }
}

double RowNumbersInUse::freeNumber(int rowCount) const
{
    const double count = rowCount;
    if (!contains(count))
        return count;
    return std::floor(highest()) + 1;
}

bool RowNumbersInUse::contains(double number) const
{
    return m_listUses.count(number) > 0 || m_storedUses.count(number) > 0;
}

double RowNumbersInUse::highest() const
{
    if (m_listUses.empty())
        return m_storedUses.rbegin()->first;
    if (m_storedUses.empty())
        return m_listUses.rbegin()->first;
    return std::max(m_listUses.rbegin()->first, m_storedUses.rbegin()->first);
}
