#pragma once

#include "platform/database/DbError.h"
#include "platform/database/Statement.h"

// A step SQLite refused, as the user should hear of it: a lock by another
// program, a read-only file or folder, a full disk and a file that is no
// database are named as such; any other refusal is `step`. The statement and
// SQLite's own text go into the details.
DbError sqliteFailure(const SqliteError &error, const QString &step, const QString &path,
                      const QString &statement = QString());
