#pragma once

#include <QString>

class QWidget;

// The figure a point or label editor holds: its number, and whether the
// catalogue had a figure with that number when the editor loaded.
struct EditedFigure
{
    QString number;
    bool catalogued = false;
};

// The figure the catalogue window hands over in gFigNo; B001 when it hands over none.
QString handedOverFigure();

// Captions a point or label editor: `captionHead`, the figure's number and four blanks.
void captionEditor(QWidget &window, const QString &captionHead, const QString &figure);

// Starts the load of a point or label editor. The figure it opens is the
// number the catalogue window handed over in gFigNo, or B001 when it handed
// over none (then left in gFigNo too); `window` is captioned `captionHead`,
// the number and four blanks, and the shared connection is reopened.
// Returns the figure: the editor saves under it, whatever gFigNo holds by
// then, until it loads another. A catalogue that does not open is reported.
EditedFigure openFigureForEditing(QWidget &window, const QString &captionHead);

// For a save's start: an editor of a catalogued figure saves only while a
// figure has its number; since then deleted or renumbered, its points and
// labels would belong to nothing. Throws DbError.
void requireFigureStillThere(const EditedFigure &figure);
