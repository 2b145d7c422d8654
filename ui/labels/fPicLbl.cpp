#include "ui/labels/fPicLbl.h"

#include "app/CatalogueStatements.h"
#include "app/mQuillar.h"
#include "platform/listview/ListView.h"
#include "ui/common/FieldTracking.h"
#include "ui/common/FigureEditing.h"
#include "ui/common/NumberText.h"
#include "ui/common/NumberedRows.h"
#include "ui/common/RowEditing.h"
#include "ui/common/UnsavedWork.h"
#include "ui/common/WriteConflicts.h"
#include "ui/preview/fPreview.h"
#include "ui/labels/LabelListSave.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

fPicLbl::fPicLbl(QWidget *parent) : QWidget(parent)
{
    buildControls();
    m_fields = new FieldTracking(*LvFigure, this);
    m_fields->isPreparingNewRow = [this] { return AddingLabel; };
    connect(LvFigure, &ListView::rowClicked, this, &fPicLbl::LvFigure_Click);
    connect(Command1, &QPushButton::clicked, this, &fPicLbl::Command1_Click);
    connect(CmdDelete, &QPushButton::clicked, this, &fPicLbl::CmdDelete_Click);
    connect(cmdSave, &QPushButton::clicked, this, &fPicLbl::cmdSave_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &fPicLbl::cmdCancel_Click);
    new UnsavedWorkGuard(*this, [this] {
        return mayDiscardUnsaved(this, m_fields->hasUnsavedWork(), [this] { return saveEverything(); });
    });
}

QStringList fPicLbl::cellFields()
{
    return labelFields();
}

void fPicLbl::Form_Load()
{
    LvFigure->setColumns({{QStringLiteral("序号"), 540}, {QStringLiteral("x"), 760},
                          {QStringLiteral("y"), 760}, {QStringLiteral("标签名称"), 1900}});
    m_fields->add(1, tTxtBx1);
    m_fields->add(2, tTxtBx2);
    m_fields->add(3, tTxtBx3);

    const EditedFigure opened = openFigureForEditing(*this, QStringLiteral("Orrisplot—Figure Label  Manager："));
    m_figure = opened.number;
    m_figureCatalogued = opened.catalogued;
    showLoadedRows(*LvFigure, loadNumberedRows(CatalogueStatements::labelsOfFigure(m_figure), QStringLiteral("ID"),
                                       cellFields()));
    offerToPreview(*this, *m_fields, PreviewRows::Kind::Labels, *LvFigure, m_figure);
    LvFigure_Click();
}

void fPicLbl::LvFigure_Click()
{
    // The baseline stays the text a field had when it got the focus.
    if (m_fields->takeSelectedRow(false) >= 0)
        AddingLabel = false;
}

void fPicLbl::Command1_Click()
{
    if (!AddingLabel) {
        m_fields->setText(1, QString());
        m_fields->setText(2, QString());
        m_fields->setText(3, QStringLiteral("1"));
        AddingLabel = true;
        m_fields->holdNewRowProposal();
        Command1->setText(QStringLiteral("加 入"));
        return;
    }
    // The row count names the new label unless a listed or stored label has it.
    const double number = newRowNumber(LvFigure->items(), CatalogueStatements::labelsOfFigure(m_figure), QStringLiteral("ID"));
    const int row = appendNewRow(LvFigure->items(), numberText(number));
    for (int cell = 1; cell <= 3; ++cell)
        LvFigure->setCell(row, cell, m_fields->text(cell));
    Command1->setText(QStringLiteral("新 建"));
    // The fields show the new label, so their edits must go to it.
    LvFigure->selectOnly(row);
    m_fields->takeSelectedRow(true);
    AddingLabel = false;
}

void fPicLbl::CmdDelete_Click()
{
    if (m_fields->CurItem < 0)
        return;
    markRowDeleted(LvFigure->items(), m_fields->CurItem, RowMark::Deleted);
}

void fPicLbl::cmdSave_Click()
{
    saveList();
}

bool fPicLbl::saveList()
{
    const bool saved = saveAskingAtConflicts(
        this, LvFigure->items(),
        [this] { return saveLabelList(LvFigure->items(), {m_figure, m_figureCatalogued}, m_fields->CurItem); },
        [this](int row) { m_fields->showReloadedRow(row); });
    if (m_fields->CurItem < 0)
        LvFigure->clearSelection(); // the current row was deleted: none looks current until a click
    return saved;
}

bool fPicLbl::saveEverything()
{
    if (AddingLabel && m_fields->hasPendingEdit())
        Command1_Click();
    m_fields->leaveFocusedField();
    return saveList();
}

void fPicLbl::cmdCancel_Click()
{
    close();
}
