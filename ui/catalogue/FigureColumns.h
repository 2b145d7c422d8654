#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// The figure list: column captions and widths (twips), and the picMain field
// behind each cell. Cell k (1..23) is list column k+1; column 1 is the row text.
namespace FigureColumns {

inline const QList<QPair<QString, int>> kColumns = {
    {QStringLiteral("序号"), 540},  {QStringLiteral("图号"), 660},   {QStringLiteral("图名"), 3600},
    {QStringLiteral("缩略图"), 720}, {QStringLiteral("分组"), 540},   {QStringLiteral("X1"), 560},
    {QStringLiteral("X2"), 720},    {QStringLiteral("X3"), 560},     {QStringLiteral("X4"), 560},
    {QStringLiteral("X5"), 560},    {QStringLiteral("X6"), 630},     {QStringLiteral("X7"), 406},
    {QStringLiteral("Y1"), 560},    {QStringLiteral("Y2"), 720},     {QStringLiteral("Y3"), 560},
    {QStringLiteral("Y4"), 560},    {QStringLiteral("Y5"), 560},     {QStringLiteral("Y6"), 630},
    {QStringLiteral("Y7"), 406},    {QStringLiteral("边框"), 630},   {QStringLiteral("特例"), 560},
    {QStringLiteral("图表说明"), 3600}, {QStringLiteral("矢量图"), 760}, {QStringLiteral("位图"), 630},
};

// kFields[k - 1] is the field of cell k.
inline const QStringList kFields = {
    QStringLiteral("th"), QStringLiteral("tm"), QStringLiteral("figName"), QStringLiteral("grp"),
    QStringLiteral("X1"), QStringLiteral("X2"), QStringLiteral("X3"), QStringLiteral("X4"),
    QStringLiteral("X5"), QStringLiteral("X6"), QStringLiteral("X7"),
    QStringLiteral("Y1"), QStringLiteral("Y2"), QStringLiteral("Y3"), QStringLiteral("Y4"),
    QStringLiteral("Y5"), QStringLiteral("Y6"), QStringLiteral("Y7"),
    QStringLiteral("border"), QStringLiteral("specialCase"), QStringLiteral("Comment"),
    QStringLiteral("Vector"), QStringLiteral("Bitmap"),
};

constexpr int kCellCount = 23;
constexpr int kNumberCell = 1;
constexpr int kNameCell = 2;
constexpr int kThumbnailCell = 3;
constexpr int kGroupCell = 4;

// Axis parameters and the border flag belong to Cartesian figures only.
constexpr bool isCartesianOnly(int cell) { return cell >= 5 && cell <= 19; }

} // namespace FigureColumns
