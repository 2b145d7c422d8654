#pragma once

#include <QString>

// The figure the point and label editors open: the number the catalogue
// window handed over in gFigNo, or B001 when it handed over none (then left
// in gFigNo too). An editor keeps it for its whole life and saves under it,
// whatever gFigNo holds by then.
QString figureToEdit();
