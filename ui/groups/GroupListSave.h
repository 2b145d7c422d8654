#pragma once

#include "ui/common/RowByRowSave.h"

class ListModel;

// Writes the marked rows of the group list to picType, first row to last:
// a deleted row's group is deleted, a changed row's name written, a new row
// inserted. The rows before a failing row are written: their marks go and
// their deleted rows leave the list (`current` follows its row); the failing
// row and those after it keep their marks. A changed name that meets another
// program's change of the same name stops the save before it.
SaveOutcome saveGroupList(ListModel &list, int &current);
