#include "ui/common/WriteConflicts.h"

#include "app/mQuillar.h"
#include "platform/listview/ListModel.h"
#include "ui/common/RowEditing.h"
#include "ui/common/UnsavedWork.h"

#include <algorithm>

namespace {

QString quoted(const QString &text)
{
    return QStringLiteral("“") + text.simplified() + QStringLiteral("”");
}

struct RowChanges
{
    QList<int> edited;
    QList<int> conflicting;
};

RowChanges rowChanges(const ListRow &row, const StoredCells &storedNow, const StoredForm &storedForm)
{
    RowChanges changes;
    const bool neverRead = row.readCells.isEmpty();
    const qsizetype cells = std::max(row.cells.size(), qsizetype(storedNow.count));
    static const QString none;
    for (qsizetype i = 0; i < cells; ++i) {
        // Read in place: a save compares every cell of every changed row.
        const QString &mine = i < row.cells.size() ? row.cells[i] : none;
        const QString &read = i < row.readCells.size() ? row.readCells[i] : none;
        // A cell never edited still shares its text with the one read.
        if (!neverRead && mine.size() == read.size() && (mine.constData() == read.constData() || mine == read))
            continue;
        const int cell = int(i) + 1;
        changes.edited << cell;
        const QString now = i < storedNow.count ? storedNow.cell(int(i) + 1) : QString();
        // The stored form is worked out only where the texts differ: rarely.
        const auto isStoredAs = [&](const QString &text) {
            return now == text || storedForm(cell, text) == now;
        };
        if (!neverRead && !isStoredAs(read) && !isStoredAs(mine))
            changes.conflicting << cell;
    }
    return changes;
}

} // namespace

QList<int> cellsToWrite(const ListModel &list, int row, const QString &what, const StoredCells &storedCells,
                        const StoredForm &storedForm)
{
    const ListRow &listed = list.row(row);
    const RowChanges changes = rowChanges(listed, storedCells, storedForm);
    if (changes.conflicting.isEmpty())
        return changes.edited;
    QStringList storedNow;
    for (int cell = 1; cell <= storedCells.count; ++cell)
        storedNow << storedCells.cell(cell);
    QString question = QStringLiteral("%1 已被另一个程序修改，与这里的修改冲突：").arg(what);
    for (int cell : changes.conflicting) {
        question += QStringLiteral("\n%1：读出时为%2，另一个程序改为%3，这里改为%4")
                        .arg(list.caption(cell), quoted(listed.readCells.value(cell - 1)),
                             quoted(storedNow.value(cell - 1)), quoted(listed.cells.value(cell - 1)));
    }
    question += QStringLiteral("\n\n覆盖：写入这里的修改；放弃：放弃这一行的修改，改为显示图版数据库中的内容；"
                               "取消：停止保存，这一行和后面的行保留标记。");
    throw WriteConflict{row, storedNow, changes.conflicting, question};
}

bool saveAskingAtConflicts(QWidget *window, ListModel &list, const std::function<SaveOutcome()> &save,
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
            QStringList read = list.row(conflict.row).readCells;
            for (int cell : conflict.cells) {
                while (read.size() < cell)
                    read << QString();
                read[cell - 1] = conflict.storedCells.value(cell - 1);
            }
            list.setReadCells(conflict.row, read);
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
