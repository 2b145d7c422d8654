#pragma once

#include <QString>

class ListView;

// Writes the marked rows of a figure's label list to picLable under
// `figure`, first row to last: a deleted row's label is deleted, a changed
// row's record overwritten, a new row inserted. The rows before a failing row
// are written: their marks go and their deleted rows leave the list
// (`current` follows its row); the failing row and those after it keep their
// marks. Returns the cause of a failure, empty text when every row was written.
QString saveLabelList(ListView &list, const QString &figure, int &current);
