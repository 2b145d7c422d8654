#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// What a cell of a pasted table may hold, and how it goes into its list cell.
enum class PastedCell {
    Skipped,     // read past: a row number the list assigns itself
    Number,      // a decimal number, blanks around it dropped
    WholeNumber, // a whole number, written in its shortest form
    Flag,        // True or False (any case) or a number, written "True" or "False"
    Line,        // text without a line break, as it stands
    Text,        // any text, as it stands
};

struct PastedColumn
{
    QString caption; // names the column in a refusal
    PastedCell kind = PastedCell::Line;
    int listCell = 0; // the list cell it fills, 1 for SubItems(1); unused when skipped
};

// One shape of table a list takes: its columns left to right, and the list
// cells such a table leaves out, with the texts they get instead.
struct PastedForm
{
    QList<PastedColumn> columns;
    QMap<int, QString> otherCells;
};

struct PastedRows
{
    QList<QStringList> rows; // each row's list cells, cell 1 first
    QString refusal;         // why nothing can be pasted; empty when the rows can be
};

// The most rows one paste takes.
constexpr int kMostPastedRows = 100000;

// Reads clipboard text as rows of `cellCount` list cells. Each line of the
// table is read by the form with its number of cells, which every line must
// have; a first line none of whose number cells is a number is a header and
// read past. One cell the form cannot take, a line of another length or more
// than kMostPastedRows rows refuse the whole table, the refusal naming the line
// of the text, the column and the cell.
PastedRows readPastedRows(const QString &text, const QList<PastedForm> &forms, int cellCount);
