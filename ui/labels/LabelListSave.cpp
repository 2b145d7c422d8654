#include "ui/labels/LabelListSave.h"

#include "app/CatalogueStatements.h"
#include "platform/database/TableWriter.h"
#include "ui/common/FigureEditing.h"
#include "ui/common/KeyedListSave.h"
#include "ui/common/PreviewRows.h"

const QStringList &labelFields()
{
    static const QStringList fields = PreviewRows::cellFields(PreviewRows::Kind::Labels);
    return fields;
}

SaveOutcome saveLabelList(ListModel &list, const EditedFigure &figure, int &current)
{
    KeyedTable labels;
    labels.table = QStringLiteral("picLable");
    labels.noun = QStringLiteral("标签");
    labels.keyField = QStringLiteral("ID");
    labels.nameField = QStringLiteral("Lbl");
    labels.cellFields = labelFields();
    labels.deleteStatement = [&figure](const QVariant &label) {
        return CatalogueStatements::deleteLabel(figure.number, label);
    };
    labels.selectStatement = [&figure](const QVariant &label, bool) {
        return CatalogueStatements::labelOfFigure(figure.number, label);
    };
    labels.storedNumbers = CatalogueStatements::labelNumbersOfFigure(figure.number);
    labels.assignKey = [&figure](TableWriter &record, const QVariant &label) {
        record.setText(record.column(QStringLiteral("th")), figure.number);
        record.setNumber(record.column(QStringLiteral("ID")), label.toDouble());
    };
    labels.start = [&figure] { requireFigureStillThere(figure); };
    return saveKeyedList(list, current, labels);
}
