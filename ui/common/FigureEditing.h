#pragma once

#include <QString>

class QWidget;

// Starts the load of a point or label editor. The figure it opens is the
// number the catalogue window handed over in gFigNo, or B001 when it handed
// over none (then left in gFigNo too); `window` is captioned `captionHead`,
// the number and four blanks, and the shared connection is reopened.
// Returns the figure: the editor keeps it for its whole life and saves under
// it, whatever gFigNo holds by then. A catalogue that does not open is reported.
QString openFigureForEditing(QWidget &window, const QString &captionHead);
