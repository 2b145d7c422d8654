#pragma once

#include "ui/common/RowByRowSave.h"

class ListModel;

// Writes the marked rows of the figure list to picMain through the shared
// connection, first row to last: deletions, insertions, changes. The rows
// before a failing row are committed and reset; the failing row and those
// after it keep their marks so a later save retries them. A changed row
// writes only the cells the user changed; one that meets another program's
// change of the same cell stops the save before it (the outcome's conflict).
SaveOutcome saveFigureList(ListModel &list, bool cartesian);
