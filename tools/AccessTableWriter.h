#pragma once

#include "platform/access/AccessTable.h"

#include <QString>
#include <functional>
#include <vector>

// Writes tables read from an Access file into a new SQLite file: each table
// with its columns in order, their kinds as declared types and its primary
// key as a UNIQUE constraint; all rows in one transaction. `progress` hears
// of each table written. Empty text on success, else the reason; on failure
// the file may hold part of the tables and must be discarded.
QString writeAccessTables(const QString &sqlitePath, const std::vector<AccessTable> &tables,
                          const std::function<void(const AccessTable &)> &progress);
