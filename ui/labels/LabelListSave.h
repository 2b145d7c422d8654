#pragma once

#include "ui/common/RowByRowSave.h"

#include <QStringList>

class ListModel;
struct EditedFigure;

// Writes the marked rows of a figure's label list to picLable under
// `figure`, first row to last: a deleted row's label is deleted, a changed
// row's changed cells written, a new row inserted; nothing once the figure
// has gone. The rows before a failing row are written: their marks go and
// their deleted rows leave the list (`current` follows its row); the failing
// row and those after it keep their marks. A changed row that meets another
// program's change of the same cell stops the save before it.
// The picLable field behind each list cell, cell 1 first.
const QStringList &labelFields();

SaveOutcome saveLabelList(ListModel &list, const EditedFigure &figure, int &current);
