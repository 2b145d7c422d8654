#pragma once

#include "platform/database/SqlStatement.h"

#include <QObject>
#include <QString>
#include <map>
#include <memory>
#include <vector>

class Connection;
class ListModel;

// The numbers a numbered list uses, each row's number as shown and the number
// it was loaded with, kept up to date from the list's changes; and the numbers
// the catalogue stores for it, read again only when the catalogue changed.
// Proposing a number for a new row then costs the same however long the list.
class RowNumbersInUse : public QObject
{
    Q_OBJECT
public:
    // The one kept for `list`, made on first use.
    static RowNumbersInUse &of(const ListModel &list);

    // Reads `keyField` of `storedSelect` again unless nothing was written to the
    // catalogue since the last read of the same statement. A catalogue that
    // cannot be read leaves only the list's numbers.
    void refreshStored(const SqlStatement &storedSelect, const QString &keyField);

    // `rowCount` when no number in use equals it; otherwise the smallest
    // whole number above every number in use.
    double freeNumber(int rowCount) const;

private:
    explicit RowNumbersInUse(const ListModel &list);

    bool contains(double number) const;
    double highest() const; // only called when some number is in use

    struct RowNumbers
    {
        double shown = 0;
        double loaded = 0;
        bool hasLoaded = false;
    };
    RowNumbers numbersOfRow(int row) const;
    void count(const RowNumbers &numbers, int delta);
    void count(std::map<double, int> &uses, double number, int delta);
    void recountAll();
    void rowsInserted(int first, int last);
    void rowsRemoved(int first, int last);
    void rowChanged(int row);

    const ListModel &m_list;
    std::vector<RowNumbers> m_rows;
    std::map<double, int> m_listUses;
    std::map<double, int> m_storedUses;
    QString m_storedSql;
    std::weak_ptr<Connection> m_storedConnection;
    QString m_storedStamp; // empty: read again
};
