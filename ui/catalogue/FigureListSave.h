#pragma once

#include <QString>

class ListView;

// Writes the marked rows of the figure list to picMain through the shared
// connection, first row to last: deletions, insertions, changes. The rows
// before a failing row are committed and reset; the failing row and those
// after it keep their marks so a later save retries them. Returns the cause
// of a failure, empty text when every row was written.
QString saveFigureList(ListView &list, bool cartesian);
