#pragma once

#include <QString>

// Whether the file starts like a Jet (.mdb) or ACE (.accdb) database. Reads
// the first bytes only; no Access library is needed.
bool isAccessFile(const QString &path);
