#include "ui/groups/GroupListSave.h"

#include "app/CatalogueStatements.h"
#include "platform/database/Recordset.h"
#include "platform/listview/ListView.h"
#include "ui/common/KeyedListSave.h"

namespace {

constexpr int kNameCell = 1;

} // namespace

QString saveGroupList(ListView &list, int &current)
{
    KeyedTable groups;
    groups.noun = QStringLiteral("分组");
    groups.nameField = QStringLiteral("grpName");
    groups.deleteStatement = &CatalogueStatements::deleteGroup;
    groups.selectStatement = [](const QVariant &group, bool forNewRow) {
        return forNewRow ? CatalogueStatements::groupByNumber(group) : CatalogueStatements::groupNameOf(group);
    };
    groups.assign = [&list](Recordset &record, int row, const QVariant &group, bool isNew) {
        if (isNew)
            record.setValue(QStringLiteral("grp"), group.toDouble());
        record.setValue(QStringLiteral("grpName"), list.cell(row, kNameCell));
    };
    return saveKeyedList(list, current, groups);
}
