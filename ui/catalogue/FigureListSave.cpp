#include "ui/catalogue/FigureListSave.h"

#include "app/CatalogueStatements.h"
#include "app/mQuillar.h"
#include "platform/database/DbError.h"
#include "platform/database/Recordset.h"
#include "platform/image/GifWriter.h"
#include "platform/database/TableWriter.h"
#include "platform/listview/ListModel.h"
#include "ui/catalogue/FigureColumns.h"
#include "ui/catalogue/FigureList.h"
#include "ui/common/NumberText.h"
#include "ui/common/RowEditing.h"
#include "ui/common/Thumbnail.h"
#include "ui/common/WriteConflicts.h"

#include <QFile>
#include <QHash>
#include <algorithm>
#include <array>
#include <optional>

namespace {

using namespace FigureColumns;

// Cells written as the numeric value of their text rather than the text.
bool isWrittenAsNumber(int cell)
{
    static const QList<bool> byCell = [] {
        QList<bool> numeric;
        for (const QString &field : kFields)
            numeric << (field == QLatin1String("X7") || field == QLatin1String("Y7") || field == QLatin1String("specialCase"));
        return numeric;
    }();
    return byCell[cell - 1];
}

// What a cell's text is written as.
QVariant valueOfCell(int cell, const QString &text)
{
    return isWrittenAsNumber(cell) ? QVariant(leadingNumber(text)) : QVariant(text);
}


// How many rows of the list will still carry each number after this save,
// for the numbers the save gives a new or renumbered row: only those are
// asked about, and in a long list the other rows' numbers are many.
QHash<QString, int> numbersInList(const ListModel &list, const std::vector<int> &marked)
{
    QHash<QString, int> counts;
    for (int row : marked) {
        const QVariant storedKey = list.storedKey(row);
        const QString number = list.cell(row, kNumberCell);
        if (list.tag(row) != RowState::Deleted && (!storedKey.isValid() || number != storedKey.toString()))
            counts.insert(number, 0);
    }
    if (counts.isEmpty())
        return counts;
    for (int row = 0; row < list.count(); ++row) {
        if (list.tag(row) == RowState::Deleted)
            continue;
        const auto it = counts.find(list.cell(row, kNumberCell));
        if (it != counts.end())
            ++*it;
    }
    return counts;
}

DbError numberTaken(const QString &number)
{
    return DbError(QStringLiteral("图号 %1 已经存在于图版数据库中，不能再用").arg(number));
}

void runStatements(std::initializer_list<SqlStatement> statements)
{
    for (const SqlStatement &statement : statements) {
        gSql = statement;
        gConn->execute(gSql);
    }
}

// Whether the catalogue already holds a figure numbered `number`.
bool isTaken(const QString &number)
{
    gSql = CatalogueStatements::figureByNumber(number);
    return gConn->findsAny(gSql);
}

// A renamed figure takes its points and labels along; records that another
// figure left under the new number would mix with them.
void requireNoPointsOrLabels(const QString &number)
{
    for (const SqlStatement &select : {CatalogueStatements::pointsOfFigure(number), CatalogueStatements::labelsOfFigure(number)}) {
        gSql = select;
        if (gConn->findsAny(gSql))
            throw DbError(QStringLiteral("图号 %1 下已经有数据点或标签，不能改用这个号").arg(number));
    }
}

// Every column of `table` a copy of a figure's records takes: all but the
// figure number and a rowid alias, whose values are the copy's own.
QStringList copiedColumns(const QString &table)
{
    QStringList columns;
    for (const TableColumn &column : gConn->columnsOf(table)) {
        if (!column.isRowId && column.name.compare(QLatin1String("th"), Qt::CaseInsensitive) != 0)
            columns << column.name;
    }
    return columns;
}

class FigureSave
{
public:
    FigureSave(ListModel &list, bool cartesian, const std::vector<int> &marked)
        : m_list(list), m_cartesian(cartesian), m_numbers(numbersInList(list, marked))
    {
        for (int cell = 1; cell <= kCellCount; ++cell)
            m_writtenAsNumber[size_t(cell - 1)] = isWrittenAsNumber(cell);
    }

    // Whether the row writes one statement at the most, its last step: a
    // renamed figure also moves its points and labels, a deleted one takes
    // them along.
    bool writesOneStatement(int row) const
    {
        const QVariant storedKey = m_list.storedKey(row);
        if (!storedKey.isValid())
            return m_list.row(row).copiedFrom.isEmpty(); // a copy also copies the figure's records
        return m_list.tag(row) != RowState::Deleted && m_list.cell(row, kNumberCell) == storedKey.toString();
    }

    void write(int row)
    {
        if (!m_writer) {
            m_writer.emplace(gConn, QStringLiteral("picMain"));
            m_typeColumn = m_writer->column(QStringLiteral("LB"));
            for (const QString &field : kFields)
                m_cellColumns << m_writer->column(field);
        }
        const QString number = m_list.cell(row, kNumberCell);
        const QVariant storedKey = m_list.storedKey(row);
        if (m_list.tag(row) == RowState::Deleted) {
            // A row that never reached the catalogue has no record to delete. The
            // points and labels go with the figure, so that a later figure under
            // this number does not show them.
            if (storedKey.isValid()) {
                const QString stored = storedKey.toString();
                runStatements({CatalogueStatements::deleteFigure(stored), CatalogueStatements::deletePointsOfFigure(stored),
                               CatalogueStatements::deleteLabelsOfFigure(stored)});
            }
            return;
        }
        // A changed row is found by the number it was loaded with, so editing the
        // number renames the figure; a new or edited number must not take over
        // another figure's record, in the list or in the catalogue.
        const bool isNew = !storedKey.isValid();
        const QString key = isNew ? number : storedKey.toString();
        if ((isNew || number != key) && m_numbers.value(number) > 1)
            throw DbError(QStringLiteral("图号 %1 在列表中不止一行使用").arg(number));
        if (number != key) {
            if (isTaken(number))
                throw numberTaken(number);
            requireNoPointsOrLabels(number);
        }
        if (isNew) {
            if (isTaken(number))
                throw numberTaken(number);
            const QString source = sourceOf(row);
            if (!source.isEmpty())
                requireNoPointsOrLabels(number);
            writeNewFigure(row);
            m_writer->insert();
            if (!source.isEmpty())
                copyFigure(source, row);
            return;
        }
        gSql = CatalogueStatements::figureByNumber(key);
        OpenSharedRecordset();
        if (gRs->recordCount() == 0)
            throw DbError(QStringLiteral("图版 %1 已经不在图版数据库中（可能已被另一个程序删除或改号）").arg(key));
        // Only what the user changed: another program's changes to the
        // other fields stay, and a change of the same field is asked about.
        const bool cartesian = m_cartesian;
        const StoredCells stored{kCellCount, [cartesian](int cell) { return figureCell(*gRs, cartesian, cell); }};
        const QList<int> edited = cellsToWrite(m_list, row, QStringLiteral("图版 ") + key, stored, [](int cell, const QString &text) {
            return gRs->storedText(kFields[cell - 1], valueOfCell(cell, text));
        });
        for (int cell : edited)
            writeField(row, cell);
        m_writer->update(gRs->recordIdAt(1));
        if (number != key) {
            runStatements({CatalogueStatements::movePointsOfFigure(key, number),
                           CatalogueStatements::moveLabelsOfFigure(key, number)});
            m_renamed.insert(key, number);
        }
    }

    // The thumbnails copied for rows the save then did not keep go again:
    // what stays beside the catalogue is what it holds.
    void removeCopiesOfRowsNotWritten(const std::vector<int> &written)
    {
        for (auto it = m_copiedThumbnails.cbegin(); it != m_copiedThumbnails.cend(); ++it) {
            if (std::find(written.begin(), written.end(), it.key()) == written.end())
                QFile::remove(it.value());
        }
    }

    // The number the original of a copy is stored under now: a rename saved
    // above it in this save took its records along.
    QString sourceOf(int row) const
    {
        const QString copiedFrom = m_list.row(row).copiedFrom;
        return m_renamed.value(copiedFrom, copiedFrom);
    }

private:
    // A copy of a figure gets its points and labels as stored now, and a copy
    // of its thumbnail under its own thumbnail name.
    void copyFigure(const QString &source, int row)
    {
        const QString number = m_list.cell(row, kNumberCell);
        for (const QString &table : {QStringLiteral("pData"), QStringLiteral("picLable")}) {
            gSql = CatalogueStatements::copyRecordsOfFigure(table, copiedColumns(table), source, number);
            gConn->execute(gSql);
        }
        const QString thumbnail = m_list.cell(row, kThumbnailCell);
        if (!isPlainFileName(thumbnail) || !findThumbnail(gMiniMapDir, thumbnail).isEmpty())
            return; // a picture that stands already is the copy's
        Recordset original;
        original.open(CatalogueStatements::figureByNumber(source), gConn);
        if (original.recordCount() == 0)
            return;
        const QString from = findThumbnail(gMiniMapDir, original.text(QStringLiteral("figName")));
        if (from.isEmpty())
            return;
        QFile file(from);
        if (!file.open(QIODevice::ReadOnly))
            throw DbError(QStringLiteral("无法读取缩略图 %1：%2").arg(from, file.errorString()));
        const QString to = gMiniMapDir + thumbnail + QStringLiteral(".gif");
        const QString failure = GifWriter::replaceBytes(file.readAll(), to);
        if (!failure.isEmpty())
            throw DbError(failure);
        m_copiedThumbnails.insert(row, to);
    }

    void writeField(int row, int cell) { writeField(cell, m_list.cell(row, cell)); }

    void writeField(int cell, const QString &text)
    {
        if (m_writtenAsNumber[size_t(cell - 1)])
            m_writer->setNumber(m_cellColumns[cell - 1], leadingNumber(text));
        else
            m_writer->setText(m_cellColumns[cell - 1], text);
    }

    // A new figure gets every field of its type.
    void writeNewFigure(int row)
    {
        const QStringList &cells = m_list.row(row).cells; // a new row holds every cell it has
        for (int cell = 1; cell <= kCellCount; ++cell) {
            if (cell == 5) // the type letter goes between the group and the axis fields
                m_writer->setText(m_typeColumn, m_cartesian ? QStringLiteral("B") : QStringLiteral("T"));
            if (!m_cartesian && isCartesianOnly(cell))
                continue;
            writeField(cell, cell <= cells.size() ? cells[cell - 1] : QString());
        }
    }

    ListModel &m_list;
    bool m_cartesian;
    QHash<QString, int> m_numbers;
    std::optional<TableWriter> m_writer; // every row's write goes through it
    int m_typeColumn = -1;
    QList<int> m_cellColumns; // the picMain column behind each cell
    std::array<bool, kCellCount> m_writtenAsNumber{};
    QHash<QString, QString> m_renamed; // stored number -> number it was saved under
    QHash<int, QString> m_copiedThumbnails; // row -> thumbnail file copied for it
};

} // namespace

SaveOutcome saveFigureList(ListModel &list, bool cartesian)
{
    const std::vector<int> marked = markedRows(list);
    FigureSave save(list, cartesian, marked);
    RowWriter writer;
    writer.readFrom = list.origin();
    writer.write = [&](int row) { save.write(row); };
    writer.writesOneStatement = [&](int row) { return save.writesOneStatement(row); };
    writer.describe = [&](int row) {
        return QStringLiteral("第 %1 行（图号 %2）").arg(row + 1).arg(list.cell(row, kNumberCell));
    };
    const SaveOutcome outcome = saveRowByRow(marked, writer);
    save.removeCopiesOfRowsNotWritten(outcome.written);
    const ListModel::HeldChanges held(list);
    // A copy still to be saved follows its original's new number.
    for (int row : marked) {
        if (!list.row(row).copiedFrom.isEmpty())
            list.setCopiedFrom(row, save.sourceOf(row));
    }
    for (int row : outcome.written) {
        if (list.tag(row) == RowState::Deleted) {
            // The row keeps its mark, but a later save must not delete a new
            // figure (and its points) that took the number since.
            list.setStoredKey(row, QVariant());
            continue;
        }
        list.setStoredKey(row, list.cell(row, kNumberCell));
        list.setCopiedFrom(row, QString()); // copied once, with its first save
        markRowSaved(list, row, numberText(row + 1));
    }
    return outcome;
}
