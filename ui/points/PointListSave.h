#pragma once

#include "ui/common/RowByRowSave.h"

#include <QStringList>

class ListModel;
struct EditedFigure;

// Writes the new and changed points of the list to pData under `figure`, top
// row to bottom, and numbers the figure's points by their list positions, so
// the stored IDs are 1..n in list order after a complete save. A changed row
// is found by the ID it was loaded with; no write ever lands on another
// point's record, and no two records share an ID at any moment. The rows
// above a failing row are written and show their positions; the failing row
// and those below keep their marks. A changed row writes only the cells the
// user changed, and stops the save at another program's change of the same
// cell (the outcome's conflict). Nothing is written once the figure has gone.
// A deleted row's record is deleted (a new one has none) and the row leaves
// the list, `current` following its row (-1 when it went); the rows below
// move up a place. A failing row and those below keep their marks and stay,
// deleted ones too.
// The pData field behind each list cell, cell 1 first.
const QStringList &pointFields();

SaveOutcome savePointList(ListModel &list, const EditedFigure &figure, int &current);
