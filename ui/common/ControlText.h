#pragma once

#include <QString>

class QWidget;

// The text an edit control stands for in a list cell. Text boxes and combo
// boxes give their text; a check box gives "True" or "False". A multi-line box
// gives its lines joined by CR LF, as the host writes them, and shows a cell's
// CR LF, LF or CR line breaks as lines.
QString controlText(const QWidget *control);
// Shows a cell text in the control; a check box is ticked by "True".
void setControlText(QWidget *control, const QString &text);
