#include "ui/labels/fPicLbl.h"

#include "app/CatalogueStatements.h"
#include "platform/listview/ListView.h"
#include "ui/common/FieldTracking.h"
#include "ui/common/FigureEditing.h"
#include "ui/common/NumberText.h"
#include "ui/common/NumberedRows.h"
#include "ui/common/RowEditing.h"
#include "ui/preview/fPreview.h"
#include "ui/labels/LabelListSave.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

fPicLbl::fPicLbl(QWidget *parent) : FigureRowsEditor(parent)
{
    buildControls();
    startEditing(*Command1, [this] { Command1_Click(); }, PreviewRows::Kind::Labels);
    previewOnF5(*this, *m_fields);
    connect(CmdDelete, &QPushButton::clicked, this, &fPicLbl::CmdDelete_Click);
}

QStringList fPicLbl::cellFields()
{
    return labelFields();
}

void fPicLbl::Form_Load()
{
    LvFigure->setColumns({{QStringLiteral("序号"), 540}, {QStringLiteral("x"), 760},
                          {QStringLiteral("y"), 760}, {QStringLiteral("标签名称"), 1900}});
    loadFigure();
}

void fPicLbl::loadFigure()
{
    openFigure(QStringLiteral("Orrisplot—Figure Label  Manager："));
    showRows(loadNumberedRows(CatalogueStatements::labelsOfFigure(m_figure), QStringLiteral("ID"), cellFields()));
}

void fPicLbl::LvFigure_Click()
{
    // The baseline stays the text a field had when it got the focus.
    if (m_fields->takeSelectedRow(false) >= 0)
        AddingRow = false;
}

void fPicLbl::Command1_Click()
{
    if (!AddingRow) {
        m_fields->setText(1, QString());
        m_fields->setText(2, QString());
        m_fields->setText(3, QStringLiteral("1"));
        holdProposal();
        return;
    }
    // The row count names the new label unless a listed or stored label has it.
    const double number = newRowNumber(LvFigure->items(), CatalogueStatements::labelsOfFigure(m_figure), QStringLiteral("ID"));
    appendProposal(numberText(number));
    m_fields->takeSelectedRow(true);
    AddingRow = false;
}

void fPicLbl::CmdDelete_Click()
{
    if (m_fields->CurItem < 0)
        return;
    markRowDeleted(LvFigure->items(), m_fields->CurItem, RowMark::Deleted);
}

void fPicLbl::deleteSelectedRows()
{
    markRowsDeleted(LvFigure->items(), LvFigure->selectedRows(), RowMark::Deleted);
}

FigureRowsEditor::PasteRules fPicLbl::pasteRules()
{
    const std::function<double()> next =
        newRowNumbers(LvFigure->items(), CatalogueStatements::labelsOfFigure(m_figure), QStringLiteral("ID"));
    return {{PastedCell::Number, PastedCell::Number, PastedCell::Text}, {1, 2, 3}, {},
            [next] { return numberText(next()); }};
}

bool fPicLbl::saveList()
{
    const bool saved = saveRows(
        [this] { return saveLabelList(LvFigure->items(), {m_figure, m_figureCatalogued}, m_fields->CurItem); });
    if (m_fields->CurItem < 0)
        LvFigure->clearSelection(); // the current row was deleted: none looks current until a click
    return saved;
}
