#include "ui/points/PointListSave.h"

#include "app/CatalogueStatements.h"
#include "app/mQuillar.h"
#include "platform/database/DbError.h"
#include "platform/database/Recordset.h"
#include "platform/database/TableWriter.h"
#include "platform/listview/ListModel.h"
#include "ui/common/CellWriting.h"
#include "ui/common/FigureEditing.h"
#include "ui/common/NumberText.h"
#include "ui/common/NumberedRows.h"
#include "ui/common/PreviewRows.h"
#include "ui/common/RowEditing.h"
#include "ui/common/WriteConflicts.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <set>

namespace {

const QStringList &kFields = pointFields();

QVariant keyOf(double id)
{
    return id == std::trunc(id) ? QVariant(qlonglong(id)) : QVariant(id);
}

class PointSave
{
public:
    PointSave(ListModel &list, const QString &figure) : m_list(list), m_figure(figure) {}

    void write(int row)
    {
        readStoredIdsOnce();
        writeRow(row);
    }

    void renumber(const std::vector<int> &written)
    {
        readStoredIdsOnce();
        renumberRows(written);
    }

    const QHash<int, double> &currentIds() const { return m_current; }

private:
    // Every ID the figure's records hold now, the list's and any others.
    void readStoredIdsOnce()
    {
        if (m_idsRead)
            return;
        m_idsRead = true;
        m_writer.emplace(gConn, QStringLiteral("pData"));
        m_figureColumn = m_writer->column(QStringLiteral("th"));
        m_idColumn = m_writer->column(QStringLiteral("ID"));
        for (const QString &field : kFields)
            m_cellColumns << m_writer->column(field);
        Recordset ids;
        ids.open(CatalogueStatements::pointNumbersOfFigure(m_figure), gConn);
        for (int i = 1; i <= ids.recordCount(); ++i) {
            ids.setAbsolutePosition(i);
            if (const auto id = storedNumber(ids.value(0)))
                m_used.insert(*id);
        }
        // A row's stored ID stays its own even when another program deleted
        // the record: a new point there would be taken for that row's.
        for (int row = 0; row < m_list.count(); ++row) {
            const auto id = storedNumber(m_list.storedKey(row));
            if (m_list.tag(row) != RowState::New && id)
                m_claimed.insert(*id);
        }
        const double highest = std::max(m_used.empty() ? 0.0 : std::floor(*m_used.rbegin()),
                                        m_claimed.empty() ? 0.0 : std::floor(*m_claimed.rbegin()));
        m_nextSpare = std::max(highest, double(m_list.count())) + 1;
    }

    void writeRow(int row)
    {
        if (m_list.tag(row) == RowState::Deleted) {
            deleteRow(row);
            return;
        }
        if (m_list.tag(row) == RowState::Changed) {
            const QString id = m_list.storedKey(row).toString();
            openPoint(m_list.storedKey(row));
            if (gRs->recordCount() == 0)
                throw DbError(QStringLiteral("点 %1 的记录已经不在图版数据库中").arg(id));
            // Only what the user changed; the same field changed by another
            // program since is asked about.
            const StoredCells stored = numberedCells(*gRs, kFields);
            const QList<int> edited = cellsToWrite(m_list, row, QStringLiteral("点 ") + id, stored,
                                                   [](int cell, const QString &text) {
                                                       return gRs->storedText(kFields[cell - 1], text);
                                                   });
            for (int cell : edited)
                writeCell(*m_writer, m_cellColumns[cell - 1], m_list.cell(row, cell), gRs.get());
            m_writer->update(gRs->recordIdAt(1));
            return;
        }
        // A new point goes in at its position when no record holds it, else at
        // a spare number above all; the renumbering then moves it into place.
        // The IDs in use were read in this transaction and follow every write
        // of it, so no point needs a select of its own to find its ID free.
        const double position = row + 1 - m_deletedAbove;
        const double id = m_used.count(position) || m_claimed.count(position) ? m_nextSpare++ : position;
        m_writer->setText(m_figureColumn, m_figure);
        m_writer->setNumber(m_idColumn, id);
        for (int cell = 1; cell <= m_cellColumns.size(); ++cell)
            writeCell(*m_writer, m_cellColumns[cell - 1], m_list.cell(row, cell), nullptr);
        m_writer->insert();
        m_used.insert(id);
        m_inserted[row] = id;
    }

    // A row taken out: its record goes, and the rows below it move up a
    // place. A new row never written has nothing to delete.
    void deleteRow(int row)
    {
        if (const auto id = storedNumber(m_list.storedKey(row))) {
            gSql = CatalogueStatements::deletePoint(m_figure, keyOf(*id));
            gConn->execute(gSql);
            m_used.erase(*id);
            m_claimed.erase(*id);
        }
        ++m_deletedAbove;
    }

    // Gives every row with a record the ID of its position among the rows
    // that stay (the deleted rows written leave the list), moving only into
    // free IDs so a UNIQUE (th, ID) never trips.
    void renumberRows(const std::vector<int> &written)
    {
        const std::set<int> writtenRows(written.begin(), written.end());
        std::map<double, int> rowAt; // current ID -> row
        std::vector<int> toMove;
        m_target.assign(size_t(m_list.count()), 0);
        int position = 0;
        for (int row = 0; row < m_list.count(); ++row) {
            const bool leaves = m_list.tag(row) == RowState::Deleted && writtenRows.count(row);
            if (leaves)
                continue;
            m_target[size_t(row)] = ++position;
            double id;
            if (m_inserted.contains(row) && writtenRows.count(row))
                id = m_inserted[row];
            else if (const auto stored = storedNumber(m_list.storedKey(row)); m_list.tag(row) != RowState::New && stored)
                id = *stored;
            else
                continue;
            rowAt[id] = row;
            m_current[row] = id;
            if (id != m_target[size_t(row)])
                toMove.push_back(row);
        }
        for (int row : toMove) {
            if (m_used.count(m_target[size_t(row)]) && !rowAt.count(m_target[size_t(row)]))
                throw DbError(QStringLiteral("点号 %1 被一个不在列表中的点占用，无法重新编号").arg(m_target[size_t(row)]));
        }
        while (!toMove.empty()) {
            bool moved = false;
            for (bool forward : {true, false}) {
                std::vector<int> left;
                auto step = [&](int row) {
                    if (rowAt.count(m_target[size_t(row)])) {
                        left.push_back(row);
                        return;
                    }
                    move(row, m_target[size_t(row)], rowAt);
                    moved = true;
                };
                if (forward)
                    std::for_each(toMove.begin(), toMove.end(), step);
                else
                    std::for_each(toMove.rbegin(), toMove.rend(), step);
                if (!forward)
                    std::reverse(left.begin(), left.end());
                toMove = left;
            }
            if (!moved && !toMove.empty()) // a cycle: one row steps aside
                move(toMove.front(), m_nextSpare++, rowAt);
        }
    }

    void openPoint(const QVariant &id)
    {
        gSql = CatalogueStatements::pointOfFigure(m_figure, id);
        OpenSharedRecordset();
    }

    void move(int row, double to, std::map<double, int> &rowAt)
    {
        const double from = m_current[row];
        openPoint(keyOf(from));
        if (gRs->recordCount() == 0)
            throw DbError(QStringLiteral("点 %1 的记录已经不在图版数据库中").arg(numberText(from)));
        m_writer->setNumber(m_idColumn, to);
        m_writer->update(gRs->recordIdAt(1));
        rowAt.erase(from);
        rowAt[to] = row;
        m_used.erase(from);
        m_used.insert(to);
        m_current[row] = to;
    }

    ListModel &m_list;
    QString m_figure;
    bool m_idsRead = false;
    std::optional<TableWriter> m_writer; // every write of a point goes through it
    int m_figureColumn = -1, m_idColumn = -1;
    QList<int> m_cellColumns;        // the pData column behind each cell
    std::set<double> m_used;         // every ID the figure's records hold
    std::set<double> m_claimed;      // the IDs the list's stored rows were loaded with
    double m_nextSpare = 1;          // above every ID in use
    int m_deletedAbove = 0;          // deleted rows written so far, all above the row being written
    std::vector<int> m_target;       // row -> the position it keeps, 1..n (0: it leaves)
    QHash<int, double> m_inserted;   // new row -> the ID it went in under
    QHash<int, double> m_current;    // row -> the ID its record holds now
};

} // namespace

const QStringList &pointFields()
{
    static const QStringList fields = PreviewRows::cellFields(PreviewRows::Kind::Points);
    return fields;
}

SaveOutcome savePointList(ListModel &list, const EditedFigure &figure, int &current)
{
    const std::vector<int> marked = markedRows(list);
    bool numbered = true; // every unchanged record already holds its position
    for (int row = 0; row < list.count(); ++row) {
        const auto id = storedNumber(list.storedKey(row));
        if (list.tag(row) == RowState::Unchanged && id && *id != row + 1)
            numbered = false;
    }
    if (marked.empty() && numbered) {
        for (int row = 0; row < list.count(); ++row)
            list.setText(row, numberText(row + 1));
        return {};
    }
    PointSave save(list, figure.number);
    RowWriter writer;
    writer.readFrom = list.origin();
    writer.start = [&] { requireFigureStillThere(figure); };
    writer.write = [&](int row) { save.write(row); };
    writer.oneStatementPerRow = true; // one DELETE, INSERT or UPDATE, after the checks and conversions
    writer.describe = [&](int row) { return QStringLiteral("第 %1 行（点号 %2）").arg(row + 1).arg(list.text(row)); };
    writer.finish = [&](const std::vector<int> &written) { save.renumber(written); };
    SaveOutcome outcome = saveRowByRow(marked, writer);
    if (!outcome.committed)
        return outcome;
    const int firstUnwritten = outcome.written.size() < marked.size() ? marked[outcome.written.size()] : list.count();
    std::vector<int> deleted; // every marked row above the first unwritten one was written
    {
        const ListModel::HeldChanges held(list);
        for (auto it = save.currentIds().cbegin(); it != save.currentIds().cend(); ++it)
            list.setStoredKey(it.key(), keyOf(it.value()));
        for (int row = 0; row < firstUnwritten; ++row) {
            if (list.tag(row) == RowState::Deleted)
                deleted.push_back(row);
            else
                markRowSaved(list, row, numberText(row + 1 - double(deleted.size())));
        }
        // The rows from the failing one down keep their marks, but their
        // records were renumbered with the rest: they show where they are now.
        for (int row = firstUnwritten; row < list.count(); ++row) {
            const QString mark = list.text(row).mid(unmarkedText(list.text(row), list.tag(row)).size());
            list.setText(row, numberText(row + 1 - double(deleted.size())) + mark);
        }
    }
    removeRowsKeepingCurrent(list, deleted, current);
    if (outcome.conflict) // the deleted rows written are all above it
        outcome.conflict->row -= int(deleted.size());
    return outcome;
}
