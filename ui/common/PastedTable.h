#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Clipboard text read as a table, the way spreadsheets and text files hand
// one over: one line per row, its cells separated by tabs, or by commas or
// blanks when the line has none. A cell that starts with a double quote runs
// to the closing one and may hold separators and line breaks ("" is a quote
// inside it), as spreadsheets quote a cell with a line break. "\r\n" and "\r"
// end lines like "\n"; empty lines at the end are dropped.
QList<QStringList> readPastedTable(const QString &text);
