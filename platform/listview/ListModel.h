#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVariant>

#include "platform/listview/RowSource.h"
#include <memory>
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
    // A row of a long list not read yet: its place in the list's RowSource,
    // which has its text, stored key and cells; -1 once they are here.
    int unreadPlace = -1;
    // The cells as the row's record held them when the row was last read or
    // written (none for a row never read), so a save can tell the user's
    // edits from another program's.
    QStringList readCells;
    // A new row made as a copy of another: the number the original had
    // then, so that a save can copy what belongs to it.
    QString copiedFrom;
};

// Told before the rows change, so that an undo history can keep what they
// held. A change made while it is told is not told again.
class RowChangeWatcher
{
public:
    virtual ~RowChangeWatcher() = default;
    // The text, cells, tag, key or read cells of row `r` are about to change.
    virtual void rowWillChange(int r) = 0;
    // A row is about to be appended after the last one.
    virtual void rowWillBeAppended() = 0;
    // Rows are about to be removed or replaced: the rows kept lose their places.
    virtual void rowsWillBeDropped() = 0;
};

class ListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setHeaders(const QStringList &captions);

    int rowCount(const QModelIndex &parent = {}) const override;
    int count() const { return rowCount(); }
    QString caption(int column) const { return m_headers.value(column); }
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool removeRows(int first, int count, const QModelIndex &parent = {}) override;

    // The whole row, read from the source when it was not yet; a row that
    // cannot be read now comes with its known cells only.
    const ListRow &row(int r) const;
    // Reads the row when it was not yet; false when it cannot be read now,
    // readFailure() then says why.
    bool isRead(int r) const;
    QString readFailure() const { return m_source ? m_source->readFailure() : QString(); }
    // Every row, each read in full.
    const std::vector<ListRow> &rows() const;
    // These read no row: a source row's text, stored key and known cells come
    // from the source, its tag from the row.
    QString text(int r) const;
    QVariant storedKey(int r) const;
    bool hasStoredKey(int r) const; // storedKey(r).isValid(), for counting a long list
    int tag(int r) const { return m_rows[static_cast<size_t>(r)].tag; }
    QString cell(int r, int cell) const; // cell >= 1; empty when never set
    int appendRow(ListRow row);
    // Rows with an unread place read it from `source`.
    void replaceRows(std::vector<ListRow> rows, std::shared_ptr<const RowSource> source = {});
    void setText(int r, const QString &text);
    void setCell(int r, int cell, const QString &text); // cell >= 1
    void setTag(int r, int tag);
    void setStoredKey(int r, const QVariant &key);
    void setReadCells(int r, const QStringList &readCells);
    void setCopiedFrom(int r, const QString &number);
    // The row shows `cells` as read from its record now.
    void reloadRow(int r, const QStringList &cells);
    // The whole row becomes `row`, as a history kept it.
    void putRow(int r, ListRow row);

    // One watcher at a time; nullptr stops the telling.
    void setWatcher(RowChangeWatcher *watcher) { m_watcher = watcher; }
    // While one is held, changes of texts, cells and keys are told as one
    // range when the last hold ends: a save that marks ten thousand rows
    // written tells the views and counters once, not twice a row.
    class HeldChanges
    {
    public:
        explicit HeldChanges(ListModel &model);
        ~HeldChanges();
        HeldChanges(const HeldChanges &) = delete;
        HeldChanges &operator=(const HeldChanges &) = delete;

    private:
        ListModel &m_model;
    };

    // Where the rows were read from (the catalogue file), for a save to check.
    QString origin() const { return m_origin; }
    void setOrigin(const QString &origin) { m_origin = origin; }

private:
    ListRow &readRow(int r) const;
    ListRow &rowToChange(int r);
    void tellChange(int r) const
    {
        if (m_watcher)
            m_watcher->rowWillChange(r);
    }
    void changed(int r, int firstColumn, int lastColumn);

    int m_holds = 0;
    int m_heldTop = -1, m_heldBottom = -1, m_heldLeft = 0, m_heldRight = 0; // the range changed while held

    QStringList m_headers;
    // Source rows are read when first shown or asked for, which a const
    // reader may be the first to do.
    mutable std::vector<ListRow> m_rows;
    std::shared_ptr<const RowSource> m_source;
    QString m_origin;
    RowChangeWatcher *m_watcher = nullptr;
};
