#include "ui/common/FigureRowsEditor.h"

#include "platform/listview/ListView.h"
#include "ui/common/FieldTracking.h"
#include "ui/common/FigureEditing.h"
#include "ui/common/ListCommands.h"
#include "ui/common/NumberedRows.h"
#include "ui/common/RowEditing.h"
#include "ui/common/UnsavedWork.h"
#include "ui/common/WriteConflicts.h"

#include <QPushButton>

void FigureRowsEditor::startEditing(QPushButton &add, std::function<void()> addClick)
{
    m_add = &add;
    m_addClick = std::move(addClick);
    m_fields = new FieldTracking(*LvFigure, this);
    m_fields->isPreparingNewRow = [this] { return AddingRow; };
    connect(LvFigure, &ListView::rowClicked, this, &FigureRowsEditor::LvFigure_Click);
    ListCommandHooks hooks;
    hooks.forgetCurrentRow = [this] { m_fields->CurItem = -1; };
    hooks.deleteRows = [this] { deleteSelectedRows(); };
    hooks.canDelete = [this] { return !LvFigure->selectedRows().empty(); };
    m_commands = new ListCommands(*LvFigure, std::move(hooks));
    connect(m_add, &QPushButton::clicked, this, [this] { m_addClick(); });
    connect(cmdSave, &QPushButton::clicked, this, &FigureRowsEditor::cmdSave_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &FigureRowsEditor::cmdCancel_Click);
    new UnsavedWorkGuard(*this, [this] {
        return mayDiscardUnsaved(this, m_fields->hasUnsavedWork(), [this] { return saveEverything(); });
    });
}

void FigureRowsEditor::openFigure(const QString &captionHead)
{
    for (auto it = m_cellFields.cbegin(); it != m_cellFields.cend(); ++it)
        m_fields->add(it.key(), it.value());
    const EditedFigure opened = openFigureForEditing(*this, captionHead);
    m_figure = opened.number;
    m_figureCatalogued = opened.catalogued;
}

void FigureRowsEditor::showRows(LoadedRows rows)
{
    showLoadedRows(*LvFigure, std::move(rows));
    LvFigure_Click();
}

void FigureRowsEditor::holdProposal()
{
    AddingRow = true;
    m_fields->holdNewRowProposal();
    m_add->setText(QStringLiteral("加 入"));
}

void FigureRowsEditor::appendProposal(const QString &number)
{
    const int row = appendNewRow(LvFigure->items(), number);
    for (int cell : m_fields->TxtBoxes.keys())
        LvFigure->setCell(row, cell, m_fields->text(cell));
    m_add->setText(QStringLiteral("新 建"));
    LvFigure->selectOnly(row);
}

void FigureRowsEditor::cmdSave_Click()
{
    saveList();
}

bool FigureRowsEditor::saveRows(const std::function<SaveOutcome()> &write)
{
    const ListHistory::Save saving(m_commands->history());
    return saveAskingAtConflicts(this, LvFigure->items(), write, [this](int row) { m_fields->showReloadedRow(row); });
}

bool FigureRowsEditor::saveEverything()
{
    if (AddingRow && m_fields->hasPendingEdit())
        m_addClick();
    m_fields->leaveFocusedField();
    return saveList();
}

void FigureRowsEditor::cmdCancel_Click()
{
    close();
}
