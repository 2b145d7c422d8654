#include "ui/groups/GroupListSave.h"

#include "app/CatalogueStatements.h"
#include "platform/database/TableWriter.h"
#include "ui/common/KeyedListSave.h"

SaveOutcome saveGroupList(ListModel &list, int &current)
{
    KeyedTable groups;
    groups.table = QStringLiteral("picType");
    groups.noun = QStringLiteral("分组");
    groups.keyField = QStringLiteral("grp");
    groups.nameField = QStringLiteral("grpName");
    groups.cellFields = {QStringLiteral("grpName")};
    groups.deleteStatement = &CatalogueStatements::deleteGroup;
    groups.selectStatement = [](const QVariant &group, bool forNewRow) {
        return forNewRow ? CatalogueStatements::groupByNumber(group) : CatalogueStatements::groupNameOf(group);
    };
    groups.storedNumbers = CatalogueStatements::groupsInOrder();
    groups.assignKey = [column = -1](TableWriter &record, const QVariant &group) mutable {
        if (column < 0) // looked up once: the save writes one record per new group
            column = record.column(QStringLiteral("grp"));
        record.setNumber(column, group.toDouble());
    };
    return saveKeyedList(list, current, groups);
}
