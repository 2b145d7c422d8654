#include "ui/groups/GroupListSave.h"

#include "app/CatalogueStatements.h"
#include "platform/database/Recordset.h"
#include "ui/common/KeyedListSave.h"

SaveOutcome saveGroupList(ListModel &list, int &current)
{
    KeyedTable groups;
    groups.noun = QStringLiteral("分组");
    groups.keyField = QStringLiteral("grp");
    groups.nameField = QStringLiteral("grpName");
    groups.cellFields = {QStringLiteral("grpName")};
    groups.deleteStatement = &CatalogueStatements::deleteGroup;
    groups.selectStatement = [](const QVariant &group, bool forNewRow) {
        return forNewRow ? CatalogueStatements::groupByNumber(group) : CatalogueStatements::groupNameOf(group);
    };
    groups.storedNumbers = CatalogueStatements::groupsInOrder();
    groups.assignKey = [](Recordset &record, const QVariant &group) {
        record.setValue(QStringLiteral("grp"), group.toDouble());
    };
    return saveKeyedList(list, current, groups);
}
