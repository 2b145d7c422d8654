#pragma once

#include "platform/access/AccessTable.h"

#include <QString>
#include <QStringList>

// Reads the tables of a Jet 3, Jet 4 or ACE file exactly: texts as stored,
// reals from their stored bytes, NULL from the row's null mask. A table read
// short of the row count its definition gives is refused, so a damaged file
// never passes for a complete one. Every failure throws DbError.
//
// libmdb crashes on some damaged files: read in a process of its own.
class AccessReader
{
public:
    explicit AccessReader(const QString &path);
    ~AccessReader();
    AccessReader(const AccessReader &) = delete;
    AccessReader &operator=(const AccessReader &) = delete;

    QString formatName() const; // "Jet 4", "ACE"
    QStringList tableNames() const;
    // The table named `name`, found without regard to case.
    AccessTable read(const QString &name);

private:
    void *m_mdb = nullptr; // MdbHandle *
    QString m_path;
};
