#include "ui/common/FigureRowsEditor.h"

#include "platform/listview/ListView.h"
#include "platform/messages/MessageBox.h"
#include "ui/common/CatalogueChanges.h"
#include "ui/common/ControlText.h"
#include "ui/common/FieldTracking.h"
#include "ui/common/FigureEditing.h"
#include "ui/common/ListCommands.h"
#include "ui/common/NumberedRows.h"
#include "ui/common/RowEditing.h"
#include "ui/common/UnsavedWork.h"
#include "ui/common/WriteConflicts.h"

#include <QItemSelectionModel>
#include <QPushButton>

void FigureRowsEditor::startEditing(QPushButton &add, std::function<void()> addClick, PreviewRows::Kind kind)
{
    m_add = &add;
    m_addClick = std::move(addClick);
    m_fields = new FieldTracking(*LvFigure, this);
    for (auto it = m_cellFields.cbegin(); it != m_cellFields.cend(); ++it) {
        m_fields->add(it.key(), it.value());
        keepInitialText(*it.value());
    }
    keepInitialText(add);
    m_previewRows = new PreviewRows(*this, kind, *LvFigure, QString());
    m_fields->isPreparingNewRow = [this] { return AddingRow; };
    connect(LvFigure, &ListView::rowClicked, this, &FigureRowsEditor::LvFigure_Click);
    ListCommandHooks hooks;
    hooks.forgetCurrentRow = [this] { m_fields->CurItem = -1; };
    hooks.deleteRows = [this] { deleteSelectedRows(); };
    hooks.canDelete = [this] { return !LvFigure->selectedRows().empty(); };
    hooks.paste = [this](const QString &text) { pasteRows(text); };
    m_commands = new ListCommands(*LvFigure, std::move(hooks));
    connect(m_add, &QPushButton::clicked, this, [this] { m_addClick(); });
    connect(cmdSave, &QPushButton::clicked, this, &FigureRowsEditor::cmdSave_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &FigureRowsEditor::cmdCancel_Click);
    new UnsavedWorkGuard(*this, [this] { return mayDropRows(); });
    // A catalogue save that renumbers the figure takes its points and labels
    // along: the window saves them under the new number.
    connect(&CatalogueChanges::instance(), &CatalogueChanges::figureRenamed, this,
            [this](const QString &from, const QString &to) {
                if (from == m_figure) {
                    m_figure = to;
                    showFigureNumber();
                }
            });
}

void FigureRowsEditor::keepInitialText(QWidget &control)
{
    m_initialTexts.insert(&control, controlText(&control));
}

void FigureRowsEditor::openFigure(const QString &captionHead)
{
    m_captionHead = captionHead;
    const EditedFigure opened = openFigureForEditing(*this, captionHead);
    m_figure = opened.number;
    m_figureCatalogued = opened.catalogued;
    m_previewRows->setFigure(m_figure);
}

void FigureRowsEditor::showFigureNumber()
{
    captionEditor(*this, m_captionHead, m_figure);
    m_previewRows->setFigure(m_figure);
}

bool FigureRowsEditor::followHandOver()
{
    if (handedOverFigure() == m_figure)
        return true;
    if (!mayDropRows())
        return false;
    // Nothing of the figure shown so far stays: the window starts as a new one would.
    for (auto it = m_initialTexts.cbegin(); it != m_initialTexts.cend(); ++it)
        setControlText(it.key(), it.value());
    AddingRow = false;
    m_fields->CurItem = -1;
    loadFigure();
    return true;
}

bool FigureRowsEditor::mayDropRows()
{
    return mayDiscardUnsaved(this, m_fields->hasUnsavedWork(), [this] { return saveEverything(); });
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
    const auto writeTelling = [this, &write] {
        const SaveOutcome outcome = write();
        if (outcome.committed || !outcome.written.empty()) // the points' renumbering writes no row
            emit CatalogueChanges::instance().figureWritten(m_figure);
        return outcome;
    };
    return saveAskingAtConflicts(this, LvFigure->items(), writeTelling,
                                 [this](int row) { m_fields->showReloadedRow(row); });
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

bool FigureRowsEditor::pasteRows(const QString &text)
{
    const PasteRules rules = pasteRules();
    const PastedRows pasted = readPastedRows(text, pastedForms(rules), int(rules.cellKinds.size()));
    if (!pasted.refusal.isEmpty()) {
        MessageRequest request;
        request.icon = QMessageBox::Warning;
        request.text = pasted.refusal;
        MessageBox::show(this, request);
        return false;
    }
    if (pasted.rows.isEmpty())
        return false;
    m_fields->leaveFocusedField(); // as before a click: an edit pending in a field reaches its row
    ListModel &list = LvFigure->items();
    const int first = list.count();
    {
        ListModel::HeldChanges held(list);
        for (const QStringList &cells : pasted.rows) {
            const int row = appendNewRow(list, rules.nextNumber());
            for (int cell = 1; cell <= cells.size(); ++cell)
                list.setCell(row, cell, cells[cell - 1]);
        }
    }
    showPastedRows(first, list.count() - 1);
    return true;
}

QList<PastedForm> FigureRowsEditor::pastedForms(const PasteRules &rules) const
{
    const ListModel &list = LvFigure->items();
    PastedForm own;
    own.columns << PastedColumn{list.caption(0), PastedCell::Skipped, 0};
    for (int cell = 1; cell <= rules.cellKinds.size(); ++cell)
        own.columns << PastedColumn{list.caption(cell), rules.cellKinds[cell - 1], cell};
    PastedForm shortTable;
    for (int cell : rules.shortTable)
        shortTable.columns << PastedColumn{list.caption(cell), rules.cellKinds[cell - 1], cell};
    shortTable.otherCells = rules.shortTableLeaves;
    return {shortTable, own};
}

void FigureRowsEditor::showPastedRows(int first, int last)
{
    LvFigure->selectOnly(first);
    LvFigure_Click();
    const ListModel &list = LvFigure->items();
    LvFigure->selectionModel()->select(QItemSelection(list.index(first, 0), list.index(last, 0)),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    LvFigure->scrollTo(list.index(last, 0));
    LvFigure->scrollTo(list.index(first, 0));
}
