#pragma once

#include <QStringList>
#include <QTextStream>

// The quillar-import command line:
//   SOURCE TARGET_ROOT   SOURCE an Access file or an install root holding
//                        dbase/system.mdb; TARGET_ROOT a new or empty folder
//   --help
// Writes TARGET_ROOT/dbase/system.mdb as an SQLite catalogue with the four
// catalogue tables as read, and copies the thumbnails of an install root.
// Exit codes: 0 done, 1 refused or failed (nothing half-written is left),
// 2 wrong arguments. Progress and the row counts go to out, failures to err.
class ImportCommand
{
public:
    static int run(const QStringList &arguments, QTextStream &out, QTextStream &err);
    static QString usage();
};
