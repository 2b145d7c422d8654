#include "ui/groups/GroupListSave.h"

#include "app/CatalogueStatements.h"
#include "app/mQuillar.h"
#include "platform/database/DbError.h"
#include "platform/database/Recordset.h"
#include "platform/listview/ListView.h"
#include "ui/common/NumberText.h"
#include "ui/common/RowByRowSave.h"
#include "ui/common/RowEditing.h"

namespace {

constexpr int kNameCell = 1;

// The group a row stands for: the number it was loaded with, or for a new row
// the number it shows.
QVariant groupOf(const ListView &list, int row)
{
    const QVariant stored = list.storedKey(row);
    return stored.isValid() ? stored : QVariant(leadingNumber(list.text(row)));
}

void saveRow(const ListView &list, int row)
{
    const int tag = list.tag(row);
    const QVariant group = groupOf(list, row);
    const QString name = list.cell(row, kNameCell);
    if (tag == RowState::Deleted) {
        // A group that never reached picType has no record; its number may
        // belong to another group by now.
        if (list.storedKey(row).isValid()) {
            gSql = CatalogueStatements::deleteGroup(group);
            gConn->execute(gSql);
        }
    }
    if (tag == RowState::Changed) {
        gSql = CatalogueStatements::groupNameOf(group);
        Recordset records;
        records.open(gSql, gConn);
        if (records.recordCount() == 0)
            throw DbError(QStringLiteral("分组 %1 已经不在图版数据库中").arg(valueText(group)));
        records.setValue(QStringLiteral("grpName"), name);
        records.update();
        records.close();
    }
    if (tag == RowState::New) {
        gSql = CatalogueStatements::groupByNumber(group);
        Recordset records;
        records.open(gSql, gConn);
        if (records.recordCount() > 0)
            throw DbError(QStringLiteral("分组号 %1 已经有分组“%2”，新分组不能再用这个号")
                              .arg(valueText(group), records.text(QStringLiteral("grpName"))));
        records.addNew();
        records.setValue(QStringLiteral("grp"), group.toDouble());
        records.setValue(QStringLiteral("grpName"), name);
        records.update();
        records.close();
    }
}

} // namespace

QString saveGroupList(ListView &list, int &current)
{
    std::vector<int> marked;
    for (int row = 0; row < list.count(); ++row) {
        if (list.tag(row) != RowState::Unchanged)
            marked.push_back(row);
    }
    RowWriter writer;
    writer.write = [&list](int row) { saveRow(list, row); };
    writer.describe = [&list](int row) {
        return QStringLiteral("第 %1 行（分组 %2）").arg(row + 1).arg(list.text(row));
    };
    const SaveOutcome outcome = saveRowByRow(marked, writer);
    std::vector<int> deleted;
    for (int row : outcome.written) {
        if (list.tag(row) == RowState::Deleted) {
            deleted.push_back(row);
        } else {
            const QVariant group = groupOf(list, row);
            list.setStoredKey(row, group);
            markRowSaved(list, row, valueText(group));
        }
    }
    removeRowsKeepingCurrent(list, deleted, current);
    return outcome.failure;
}
