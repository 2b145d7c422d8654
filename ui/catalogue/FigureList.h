#pragma once

#include "platform/listview/ListModel.h"

#include <vector>

class Recordset;

// The list rows for every record of `records`, numbered from 1, unchanged,
// each keeping the figure number it was loaded with. Axis cells are filled
// for Cartesian figures only; a NULL leaves its cell empty.
std::vector<ListRow> figureRows(Recordset &records, bool cartesian);
