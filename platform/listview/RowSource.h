#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

// Where the rows of a long list come from. Such a row first holds only its
// place in the source: its text, stored key and first few cells are asked of
// the source when needed, and the rest of its cells are read the first time
// the row is shown or changed, or a later cell is asked for.
class RowSource
{
public:
    virtual ~RowSource() = default;
    virtual QString text(int place) const = 0;
    virtual QVariant storedKey(int place) const = 0;
    // storedKey(place).isValid(), for a source that knows it without making the key.
    virtual bool hasStoredKey(int place) const { return storedKey(place).isValid(); }
    virtual int knownCellCount() const = 0; // cells 1..n come without reading the row
    virtual QString knownCell(int place, int cell) const = 0;
    // Every cell of the row, read now. Nothing when the row cannot be read
    // now (its record is gone, the file is locked): the row then stays unread,
    // shows its known cells, and is tried again when next needed.
    virtual std::optional<QStringList> readCells(int place) const = 0;
    // Why the last read failed, for a person.
    virtual QString readFailure() const = 0;
};
