#include "platform/listview/ListModel.h"

#include <algorithm>

void ListModel::setHeaders(const QStringList &captions)
{
    beginResetModel();
    m_headers = captions;
    endResetModel();
}

ListRow &ListModel::readRow(int r) const
{
    ListRow &row = m_rows[static_cast<size_t>(r)];
    if (row.unreadPlace < 0 || !m_source)
        return row;
    const int place = row.unreadPlace;
    const std::optional<QStringList> cells = m_source->readCells(place);
    row.text = m_source->text(place);
    row.storedKey = m_source->storedKey(place);
    row.cells = cells.value_or(QStringList());
    for (int cell = 1; cell <= m_source->knownCellCount(); ++cell) {
        if (row.cells.size() < cell)
            row.cells << QString();
        row.cells[cell - 1] = m_source->knownCell(place, cell);
    }
    if (cells) {
        row.unreadPlace = -1;
        row.readCells = row.cells;
    }
    return row;
}

void ListModel::changed(int r, int firstColumn, int lastColumn)
{
    if (m_holds == 0) {
        emit dataChanged(index(r, firstColumn), index(r, lastColumn));
        return;
    }
    if (m_heldTop < 0) {
        m_heldTop = m_heldBottom = r;
        m_heldLeft = firstColumn;
        m_heldRight = lastColumn;
        return;
    }
    m_heldTop = std::min(m_heldTop, r);
    m_heldBottom = std::max(m_heldBottom, r);
    m_heldLeft = std::min(m_heldLeft, firstColumn);
    m_heldRight = std::max(m_heldRight, lastColumn);
}

ListModel::HeldChanges::HeldChanges(ListModel &model) : m_model(model)
{
    ++m_model.m_holds;
}

ListModel::HeldChanges::~HeldChanges()
{
    if (--m_model.m_holds > 0 || m_model.m_heldTop < 0)
        return;
    const int top = m_model.m_heldTop, bottom = std::min(m_model.m_heldBottom, m_model.count() - 1);
    m_model.m_heldTop = m_model.m_heldBottom = -1;
    if (top <= bottom)
        emit m_model.dataChanged(m_model.index(top, m_model.m_heldLeft), m_model.index(bottom, m_model.m_heldRight));
}

// A change takes the row as it can be read now, known cells only if need be.
ListRow &ListModel::rowToChange(int r)
{
    tellChange(r);
    ListRow &row = readRow(r);
    row.unreadPlace = -1;
    return row;
}

const ListRow &ListModel::row(int r) const
{
    return readRow(r);
}

bool ListModel::isRead(int r) const
{
    return readRow(r).unreadPlace < 0;
}

const std::vector<ListRow> &ListModel::rows() const
{
    for (int r = 0; r < rowCount(); ++r)
        readRow(r);
    return m_rows;
}

QString ListModel::text(int r) const
{
    const ListRow &row = m_rows[static_cast<size_t>(r)];
    return row.unreadPlace >= 0 && m_source ? m_source->text(row.unreadPlace) : row.text;
}

QVariant ListModel::storedKey(int r) const
{
    const ListRow &row = m_rows[static_cast<size_t>(r)];
    return row.unreadPlace >= 0 && m_source ? m_source->storedKey(row.unreadPlace) : row.storedKey;
}

bool ListModel::hasStoredKey(int r) const
{
    const ListRow &row = m_rows[static_cast<size_t>(r)];
    return row.unreadPlace >= 0 && m_source ? m_source->hasStoredKey(row.unreadPlace) : row.storedKey.isValid();
}

QString ListModel::cell(int r, int cell) const
{
    const ListRow &loaded = m_rows[static_cast<size_t>(r)];
    if (loaded.unreadPlace >= 0 && m_source && cell >= 1 && cell <= m_source->knownCellCount())
        return m_source->knownCell(loaded.unreadPlace, cell);
    const QStringList &cells = readRow(r).cells;
    return cell >= 1 && cell <= cells.size() ? cells[cell - 1] : QString();
}

int ListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_headers.size());
}

QVariant ListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QVariant();
    return index.column() == 0 ? text(index.row()) : cell(index.row(), index.column());
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < m_headers.size())
        return m_headers[section];
    return QVariant();
}

Qt::ItemFlags ListModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

bool ListModel::removeRows(int first, int count, const QModelIndex &parent)
{
    if (parent.isValid() || first < 0 || count < 1 || first + count > rowCount())
        return false;
    if (m_watcher)
        m_watcher->rowsWillBeDropped();
    beginRemoveRows({}, first, first + count - 1);
    m_rows.erase(m_rows.begin() + first, m_rows.begin() + first + count);
    endRemoveRows();
    return true;
}

int ListModel::appendRow(ListRow row)
{
    if (m_watcher)
        m_watcher->rowWillBeAppended();
    const int r = rowCount();
    beginInsertRows({}, r, r);
    m_rows.push_back(std::move(row));
    endInsertRows();
    return r;
}

void ListModel::replaceRows(std::vector<ListRow> rows, std::shared_ptr<const RowSource> source)
{
    if (m_watcher)
        m_watcher->rowsWillBeDropped();
    beginResetModel();
    m_rows = std::move(rows);
    m_source = std::move(source);
    endResetModel();
}

void ListModel::setText(int r, const QString &text)
{
    rowToChange(r).text = text;
    changed(r, 0, 0);
}

void ListModel::setCell(int r, int cell, const QString &text)
{
    QStringList &cells = rowToChange(r).cells;
    while (cells.size() < cell)
        cells << QString();
    cells[cell - 1] = text;
    changed(r, cell, cell);
}

void ListModel::setTag(int r, int tag)
{
    tellChange(r);
    m_rows[static_cast<size_t>(r)].tag = tag;
}

void ListModel::setStoredKey(int r, const QVariant &key)
{
    rowToChange(r).storedKey = key;
    changed(r, 0, 0); // the row's identity, shown or not
}

void ListModel::setReadCells(int r, const QStringList &readCells)
{
    rowToChange(r).readCells = readCells;
}

void ListModel::setCopiedFrom(int r, const QString &number)
{
    rowToChange(r).copiedFrom = number;
}

void ListModel::reloadRow(int r, const QStringList &cells)
{
    ListRow &row = rowToChange(r);
    row.cells = cells;
    row.readCells = cells;
    changed(r, 0, columnCount() - 1);
}

void ListModel::putRow(int r, ListRow row)
{
    tellChange(r);
    row.unreadPlace = -1;
    m_rows[static_cast<size_t>(r)] = std::move(row);
    changed(r, 0, columnCount() - 1);
}
