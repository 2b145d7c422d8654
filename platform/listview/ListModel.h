#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <vector>

// A report-list row: the text of column 0, the cells of columns 1..n
// (SubItems), the edit state (Tag) and the key the row was loaded with, kept
// apart from the visible cells so an edited number does not lose its record.
struct ListRow
{
    QString text;
    QStringList cells; // cells[0] is SubItems(1)
    int tag = 0;
    QVariant storedKey;
    // A row of a long list may come with its first cells only: the rest are
    // read from this place of the list's row reader when first asked for.
    int unreadSource = -1;
};

// Reads the cells of the row at `source`, all of them, for a row that came
// with its first cells only.
using RowReader = std::function<QStringList(int source)>;

class ListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setHeaders(const QStringList &captions);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool removeRows(int first, int count, const QModelIndex &parent = {}) override;

    // The whole row, its cells read when they were not yet.
    const ListRow &row(int r) const;
    // Every row, each read in full.
    const std::vector<ListRow> &rows() const;
    // The row without reading the cells it did not come with: for its text,
    // tag, stored key and the cells it came with.
    const ListRow &rowAsLoaded(int r) const { return m_rows[static_cast<size_t>(r)]; }
    int appendRow(ListRow row);
    void replaceRows(std::vector<ListRow> rows, RowReader reader = {});
    void setText(int r, const QString &text);
    void setCell(int r, int cell, const QString &text); // cell >= 1
    void setTag(int r, int tag);
    void setStoredKey(int r, const QVariant &key);

private:
    ListRow &readRow(int r) const;

    QStringList m_headers;
    // Rows that came with their first cells only get the rest when first
    // shown or asked for, which a const reader may be the first to do.
    mutable std::vector<ListRow> m_rows;
    RowReader m_reader;
};
