#include "ui/points/fPicData.h"

#include "app/CatalogueStatements.h"
#include "platform/listview/ListView.h"
#include "ui/common/FieldTracking.h"
#include "ui/common/FigureEditing.h"
#include "ui/common/FormControls.h"
#include "ui/common/NumberText.h"
#include "ui/common/NumberedRows.h"
#include "ui/common/RowEditing.h"
#include "ui/preview/fPreview.h"
#include "ui/points/PointListSave.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

fPicData::fPicData(QWidget *parent) : FigureRowsEditor(parent)
{
    buildControls();
    startEditing(*cmdAddPoint, [this] { cmdAddPoint_Click(); }, PreviewRows::Kind::Points);
    keepInitialText(*tTxtBx0);
    previewOnF5(*this, *m_fields);
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
    loadFigure();
}

void fPicData::loadFigure()
{
    openFigure(QStringLiteral("Orrisplot—Figure Data Manager："));
    showRows(loadNumberedRows(CatalogueStatements::pointsOfFigure(m_figure), QStringLiteral("ID"), cellFields()));
}

void fPicData::LvFigure_Click()
{
    const int row = m_fields->takeSelectedRow(true);
    if (row < 0)
        return;
    tTxtBx0->setText(LvFigure->text(row));
    AddingRow = false;
}

void fPicData::cmdAddPoint_Click()
{
    if (!AddingRow) {
        tTxtBx0->setText(nextPointNumber());
        tTxtBx3->setText(QString());
        tTxtBx4->setText(QString());
        tTxtBx5->setCurrentText(QStringLiteral("1"));
        holdProposal();
        return;
    }
    appendProposal(tTxtBx0->text());
    LvFigure_Click();
}

void fPicData::deleteSelectedRows()
{
    toggleRowsDeleted(LvFigure->items(), LvFigure->selectedRows(), RowMark::Deleted);
    if (m_fields->CurItem >= 0 && m_fields->CurItem < LvFigure->count())
        tTxtBx0->setText(LvFigure->text(m_fields->CurItem));
}

QString fPicData::nextPointNumber() const
{
    const int rows = LvFigure->count();
    return rows == 0 ? QStringLiteral("1") : numberText(leadingNumber(LvFigure->text(rows - 1)) + 1);
}

FigureRowsEditor::PasteRules fPicData::pasteRules()
{
    // An X, Y table: the line number and curve flag as 新 建 leaves them, a solid line.
    return {{PastedCell::WholeNumber, PastedCell::Flag, PastedCell::Number, PastedCell::Number, PastedCell::WholeNumber},
            {3, 4},
            {{1, m_fields->text(1)}, {2, m_fields->text(2)}, {5, QStringLiteral("1")}},
            [this] { return nextPointNumber(); }};
}

bool fPicData::saveList()
{
    const bool saved = saveRows(
        [this] { return savePointList(LvFigure->items(), {m_figure, m_figureCatalogued}, m_fields->CurItem); });
    // The save numbers the points afresh; the field shows the current one's number.
    if (m_fields->CurItem >= 0 && m_fields->CurItem < LvFigure->count() && !AddingRow)
        tTxtBx0->setText(LvFigure->text(m_fields->CurItem));
    else if (m_fields->CurItem < 0)
        LvFigure->clearSelection(); // the current row was deleted: none looks current until a click
    return saved;
}
