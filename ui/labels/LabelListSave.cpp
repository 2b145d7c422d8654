#include "ui/labels/LabelListSave.h"

#include "app/CatalogueStatements.h"
#include "platform/database/Recordset.h"
#include "platform/listview/ListView.h"
#include "ui/common/CellWriting.h"
#include "ui/common/KeyedListSave.h"

QString saveLabelList(ListView &list, const QString &figure, int &current)
{
    KeyedTable labels;
    labels.noun = QStringLiteral("标签");
    labels.nameField = QStringLiteral("Lbl");
    labels.deleteStatement = [&figure](const QVariant &label) {
        return CatalogueStatements::deleteLabel(figure, label);
    };
    labels.selectStatement = [&figure](const QVariant &label, bool) {
        return CatalogueStatements::labelOfFigure(figure, label);
    };
    labels.assign = [&](Recordset &record, int row, const QVariant &label, bool isNew) {
        record.setValue(QStringLiteral("th"), figure);
        // A stored label keeps its number exactly as stored.
        record.setValue(QStringLiteral("ID"), isNew ? QVariant(label.toDouble()) : label);
        writeCell(record, QStringLiteral("X"), list.cell(row, 1), isNew);
        writeCell(record, QStringLiteral("Y"), list.cell(row, 2), isNew);
        writeCell(record, QStringLiteral("Lbl"), list.cell(row, 3), isNew);
    };
    return saveKeyedList(list, current, labels);
}
