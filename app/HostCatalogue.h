#pragma once

#include <QString>

// The host application's own catalogue, an Access file. It is read once per
// run, by quillar-import in a process of its own (libmdb crashes on some
// damaged files), into a private SQLite copy that the program opens in its
// place. The copy is read-only to the user: every save is refused, and the
// Access file is never written.
namespace HostCatalogue {

// The file to open for the catalogue at `path`: `path` itself unless it is an
// Access file, else its copy, made on first use (and a notice shown then).
// Throws DbError with the reason when the copy cannot be made; the failure
// is kept, so reloads do not read a damaged file again and again.
QString fileToOpen(const QString &path);

// Whether the catalogue last opened is the host's Access file.
bool isReadOnly();

// What a refused save tells the user: read-only, and how to get an editable copy.
QString saveRefusal();

} // namespace HostCatalogue
