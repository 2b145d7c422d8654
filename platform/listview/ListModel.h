#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVariant>
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
};

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

    const ListRow &row(int r) const { return m_rows[static_cast<size_t>(r)]; }
    const std::vector<ListRow> &rows() const { return m_rows; }
    int appendRow(ListRow row);
    void replaceRows(std::vector<ListRow> rows);
    void setText(int r, const QString &text);
    void setCell(int r, int cell, const QString &text); // cell >= 1
    void setTag(int r, int tag);
    void setStoredKey(int r, const QVariant &key);

private:
    QStringList m_headers;
    std::vector<ListRow> m_rows;
};
