#pragma once

#include "ui/common/RowByRowSave.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <unordered_map>
#include <vector>

class ListView;
class QWidget;
struct ListRow;

// What a save writes of a changed row: the cells the user changed since the
// row was read or last written (every cell of a row never read); and of
// those, the cells another program changed too since then, to another value.
// `storedNow` is the row's record as stored now, cell by cell as the list
// shows it.
struct RowChanges
{
    QList<int> edited;
    QList<int> conflicting;
};
RowChanges rowChanges(const ListRow &row, const QStringList &storedNow);

// The conflict of `row` for the save to throw; `what` names its record ("图版 B003").
WriteConflict writeConflict(const ListView &list, int row, const QString &what, const RowChanges &changes,
                            const QStringList &storedNow);

// What written rows will have held once the save is committed: the cells the
// save wrote as they are stored now, the others as before. Kept aside until
// then, since a save that is not committed leaves the rows as they were.
class WrittenBaselines
{
public:
    void keep(const ListView &list, int row, const QList<int> &writtenCells, const QStringList &storedNow);
    // Call before rows leave the list: the kept rows are found by index.
    void apply(ListView &list, const std::vector<int> &written) const;

private:
    std::unordered_map<int, QStringList> m_stored;
};

// Runs a window's save until it ends, asking at every write conflict it stops
// at: "覆盖" writes the user's cells over the other program's and goes on,
// "放弃" reads the row again from its record (then `reloaded` is told) and
// goes on, "取消" ends the save there. A failure is reported. True when every
// marked row was saved.
bool saveAskingAtConflicts(QWidget *window, ListView &list, const std::function<SaveOutcome()> &save,
                           const std::function<void(int row)> &reloaded = {});
