#pragma once

#include <QString>

class ListView;

// Writes the new and changed points of the list to pData under `figure`, top
// row to bottom, and numbers the figure's points by their list positions, so
// the stored IDs are 1..n in list order after a complete save. A changed row
// is found by the ID it was loaded with; no write ever lands on another
// point's record, and no two records share an ID at any moment. The rows
// above a failing row are written and show their positions; the failing row
// and those below keep their marks. Returns the cause of a failure, empty text
// when every row was written.
QString savePointList(ListView &list, const QString &figure);
