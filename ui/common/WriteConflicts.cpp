#include "ui/common/WriteConflicts.h"

#include "app/mQuillar.h"
#include "platform/listview/ListView.h"
#include "ui/common/RowEditing.h"
#include "ui/common/UnsavedWork.h"

#include <algorithm>

namespace {

// What the row's record held as the row saw it last.
const QStringList &storedBaseline(const ListRow &row)
{
    return row.storedCells.isEmpty() ? row.readCells : row.storedCells;
}

QString quoted(const QString &text)
{
    return QStringLiteral("“") + text.simplified() + QStringLiteral("”");
}

} // namespace

RowChanges rowChanges(const ListRow &row, const QStringList &storedNow)
{
    RowChanges changes;
    const bool neverRead = row.readCells.isEmpty();
    const QStringList &stored = storedBaseline(row);
    const qsizetype cells = std::max(row.cells.size(), storedNow.size());
    for (qsizetype i = 0; i < cells; ++i) {
        const QString mine = row.cells.value(i);
        if (!neverRead && mine == row.readCells.value(i))
            continue;
        changes.edited << int(i) + 1;
        const QString now = storedNow.value(i);
        if (!neverRead && now != stored.value(i) && now != mine)
            changes.conflicting << int(i) + 1;
    }
    return changes;
}

WriteConflict writeConflict(const ListView &list, int row, const QString &what, const RowChanges &changes,
                            const QStringList &storedNow)
{
    const ListRow &listed = list.row(row);
    QString question = QStringLiteral("%1 已被另一个程序修改，与这里的修改冲突：").arg(what);
    for (int cell : changes.conflicting) {
        question += QStringLiteral("\n%1：读出时为%2，另一个程序改为%3，这里改为%4")
                        .arg(list.caption(cell), quoted(storedBaseline(listed).value(cell - 1)),
                             quoted(storedNow.value(cell - 1)), quoted(listed.cells.value(cell - 1)));
    }
    question += QStringLiteral("\n\n覆盖：写入这里的修改；放弃：放弃这一行的修改，改为显示图版数据库中的内容；"
                               "取消：停止保存，这一行和后面的行保留标记。");
    return {row, storedNow, changes.conflicting, question};
}

void WrittenBaselines::keep(const ListView &list, int row, const QList<int> &writtenCells, const QStringList &storedNow)
{
    QStringList stored = storedBaseline(list.row(row));
    if (stored.isEmpty()) {
        stored = storedNow;
    } else {
        for (int cell : writtenCells) {
            while (stored.size() < cell)
                stored << QString();
            stored[cell - 1] = storedNow.value(cell - 1);
        }
    }
    m_stored[row] = std::move(stored);
}

void WrittenBaselines::apply(ListView &list, const std::vector<int> &written) const
{
    for (int row : written) {
        const auto kept = m_stored.find(row);
        if (kept != m_stored.end())
            list.setBaseline(row, list.row(row).cells, kept->second);
    }
}

bool saveAskingAtConflicts(QWidget *window, ListView &list, const std::function<SaveOutcome()> &save,
                           const std::function<void(int row)> &reloaded)
{
    for (;;) {
        const SaveOutcome outcome = save();
        if (!outcome.failure.isEmpty()) {
            ReportError(outcome.failure, window);
            return false;
        }
        if (!outcome.conflict)
            return true;
        const WriteConflict &conflict = *outcome.conflict;
        switch (askAboutPendingWork(window, conflict.question, QStringLiteral("覆盖"))) {
        case PendingAnswer::Keep: {
            // What the other program stored is now what the user writes over.
            const ListRow &row = list.row(conflict.row);
            const QStringList readCells = row.readCells;
            QStringList stored = storedBaseline(row);
            for (int cell : conflict.cells) {
                while (stored.size() < cell)
                    stored << QString();
                stored[cell - 1] = conflict.storedCells.value(cell - 1);
            }
            list.setBaseline(conflict.row, readCells, stored);
            break;
        }
        case PendingAnswer::Discard:
            list.reloadRow(conflict.row, conflict.storedCells);
            markRowSaved(list, conflict.row, numberWithMark(list.text(conflict.row), QString()));
            if (reloaded)
                reloaded(conflict.row);
            break;
        case PendingAnswer::Cancel:
            return false;
        }
    }
}
