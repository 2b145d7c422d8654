#include "ui/points/fPicData.h"

#include "app/CatalogueStatements.h"
#include "app/mQuillar.h"
#include "platform/listview/ListView.h"
#include "ui/common/FieldTracking.h"
#include "ui/common/FigureEditing.h"
#include "ui/common/FormControls.h"
#include "ui/common/NumberText.h"
#include "ui/common/NumberedRows.h"
#include "ui/common/RowEditing.h"
#include "ui/common/UnsavedWork.h"
#include "ui/common/WriteConflicts.h"
#include "ui/preview/fPreview.h"
#include "ui/points/PointListSave.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

fPicData::fPicData(QWidget *parent) : QWidget(parent)
{
    buildControls();
    m_fields = new FieldTracking(*LvFigure, this);
    m_fields->isPreparingNewRow = [this] { return AddingPoint; };
    connect(LvFigure, &ListView::rowClicked, this, &fPicData::LvFigure_Click);
    connect(cmdAddPoint, &QPushButton::clicked, this, &fPicData::cmdAddPoint_Click);
    connect(cmdSave, &QPushButton::clicked, this, &fPicData::cmdSave_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &fPicData::cmdCancel_Click);
    new UnsavedWorkGuard(*this, [this] {
        return mayDiscardUnsaved(this, m_fields->hasUnsavedWork(), [this] { return saveEverything(); });
    });
}

QStringList fPicData::cellFields()
{
    return pointFields();
}

void fPicData::Form_Load()
{
    LvFigure->setColumns({{QStringLiteral("点号"), 540}, {QStringLiteral("线号"), 540},
                          {QStringLiteral("是否曲线"), 960}, {QStringLiteral("X-值"), 800},
                          {QStringLiteral("Y-值"), 800}, {QStringLiteral("线型"), 540}});
    QStringList series;
    for (int line = 1; line <= 16; ++line)
        series << QString::number(line);
    addItemsKeepingText(tTxtBx1, series);
    addItemsKeepingText(tTxtBx2, {QStringLiteral("True"), QStringLiteral("False")});
    addItemsKeepingText(tTxtBx5, {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    m_fields->add(1, tTxtBx1);
    m_fields->add(2, tTxtBx2);
    m_fields->add(3, tTxtBx3);
    m_fields->add(4, tTxtBx4);
    m_fields->add(5, tTxtBx5);

    const EditedFigure opened = openFigureForEditing(*this, QStringLiteral("Orrisplot—Figure Data Manager："));
    m_figure = opened.number;
    m_figureCatalogued = opened.catalogued;
    showLoadedRows(*LvFigure, loadNumberedRows(CatalogueStatements::pointsOfFigure(m_figure), QStringLiteral("ID"),
                                       cellFields()));
    offerToPreview(*this, *m_fields, PreviewRows::Kind::Points, *LvFigure, m_figure);
    LvFigure_Click();
}

void fPicData::LvFigure_Click()
{
    const int row = m_fields->takeSelectedRow(true);
    if (row < 0)
        return;
    tTxtBx0->setText(LvFigure->text(row));
    AddingPoint = false;
}

void fPicData::cmdAddPoint_Click()
{
    if (!AddingPoint) {
        const int rows = LvFigure->count();
        tTxtBx0->setText(rows == 0 ? QStringLiteral("1")
                                   : numberText(leadingNumber(LvFigure->text(rows - 1)) + 1));
        tTxtBx3->setText(QString());
        tTxtBx4->setText(QString());
        tTxtBx5->setCurrentText(QStringLiteral("1"));
        AddingPoint = true;
        m_fields->holdNewRowProposal();
        cmdAddPoint->setText(QStringLiteral("加 入"));
        return;
    }
    const int row = appendNewRow(LvFigure->items(), tTxtBx0->text());
    for (int cell = 1; cell <= 5; ++cell)
        LvFigure->setCell(row, cell, m_fields->text(cell));
    cmdAddPoint->setText(QStringLiteral("新 建"));
    // The fields show the new point, so their edits must go to it.
    LvFigure->selectOnly(row);
    LvFigure_Click();
}

void fPicData::cmdSave_Click()
{
    saveList();
}

bool fPicData::saveList()
{
    const bool saved = saveAskingAtConflicts(
        this, LvFigure->items(), [this] { return savePointList(LvFigure->items(), {m_figure, m_figureCatalogued}); },
        [this](int row) { m_fields->showReloadedRow(row); });
    // The save numbers the points afresh; the field shows the current one's number.
    if (m_fields->CurItem >= 0 && m_fields->CurItem < LvFigure->count() && !AddingPoint)
        tTxtBx0->setText(LvFigure->text(m_fields->CurItem));
    return saved;
}

bool fPicData::saveEverything()
{
    if (AddingPoint && m_fields->hasPendingEdit())
        cmdAddPoint_Click();
    m_fields->leaveFocusedField();
    return saveList();
}

void fPicData::cmdCancel_Click()
{
    close();
}
