#pragma once

#include "platform/listview/ListModel.h"
#include "ui/common/FormControls.h"
#include "ui/common/NumberedRows.h"
#include "ui/common/PastedRows.h"
#include "ui/common/PreviewRows.h"
#include "ui/common/RowByRowSave.h"
#include "ui/common/SingleWindow.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

class FieldTracking;
class ListCommands;
class ListView;
class QPushButton;

// What the point and the label editor share: the rows of one figure in
// LvFigure, edited through fields beside it that each edit one cell, a new
// row prepared in the fields by the add button's first press and appended by
// its second, written by "保 存" under the figure the window loaded, and the
// question about unsaved work before the window closes or loads another figure. Each editor builds
// and places its own controls, LvFigure, cmdSave, cmdCancel and its fields
// (through makeField) among them.
class FigureRowsEditor : public QWidget
{
    Q_OBJECT
public:
    QString figureNumber() const { return m_figure; }
    const ListView &rows() const { return *LvFigure; }

    // Event handlers, named after their control and event.
    virtual void LvFigure_Click() = 0;
    void cmdSave_Click();
    void cmdCancel_Click();

    // A table from the clipboard appended as new rows, the first of them
    // current as a click makes it and all of them selected. A table the list
    // cannot take is refused with a message and adds nothing. True when rows
    // were added.
    bool pasteRows(const QString &text);

    // Asked again while open, for the figure gFigNo names now: another figure
    // is loaded in place of this one, as Form_Load loads it, once the unsaved
    // work was saved or dropped. True when the window shows that figure.
    bool followHandOver();

protected:
    // What a pasted table means to the list: a table of the list's own
    // columns (the number read past) or a short one of `shortTable`'s cells,
    // the others then `shortTableLeaves`; and the numbers of new rows, one
    // call per row in the order they are added.
    struct PasteRules
    {
        QList<PastedCell> cellKinds; // list cell 1 first
        QList<int> shortTable;
        QMap<int, QString> shortTableLeaves;
        std::function<QString()> nextNumber;
    };
    virtual PasteRules pasteRules() = 0;

    explicit FigureRowsEditor(QWidget *parent) : QWidget(parent) {}

    // Once the controls stand: the list, `add` (pressed through `addClick`)
    // and the two buttons reach their handlers, the fields begin to edit
    // their cells, the rows are offered to the preview as `kind` of the
    // figure, and a close asks first about unsaved work.
    void startEditing(QPushButton &add, std::function<void()> addClick, PreviewRows::Kind kind);
    // The field that edits list cell `cell`: tTxtBx1 edits cell 1, and so on.
    template <typename T>
    T *makeField(QWidget *parent, int cell, const QString &text, int left, int top, int width, int height)
    {
        const QByteArray name = "tTxtBx" + QByteArray::number(cell);
        T *field = makeControl<T>(parent, name.constData(), text, left, top, width, height);
        m_cellFields.insert(cell, field);
        return field;
    }

    // Shown again when the window loads another figure, as a new window shows it.
    // The cell fields and the add button need not be named.
    void keepInitialText(QWidget &control);
    // The figure gFigNo names goes into the window: caption, rows, fields.
    virtual void loadFigure() = 0;
    // Its start: the figure is opened and kept, the window captioned
    // `captionHead` and its number; what the window showed of another
    // figure is gone.
    void openFigure(const QString &captionHead);
    // The rows the load read go into the list; the first one shows in the fields.
    void showRows(LoadedRows rows);

    // The add button's first press, once the fields show the proposal.
    void holdProposal();
    // Its second press: the fields become a new row showing `number`,
    // selected so that their edits go to it.
    void appendProposal(const QString &number);

    // The save of "保 存"; true when every row was written.
    virtual bool saveList() = 0;
    // Del on the list: the selected rows' deletion marks.
    virtual void deleteSelectedRows() = 0;
    // `write` saves the list, asked at every write conflict; true when every row was written.
    bool saveRows(const std::function<SaveOutcome()> &write);

    bool AddingRow = false; // between the add button's two presses
    QString m_figure; // loaded, shown in the caption, saved under
    bool m_figureCatalogued = false; // in the catalogue when loaded: saved only while it is
    FieldTracking *m_fields = nullptr;

    ListView *LvFigure = nullptr;
    QPushButton *cmdSave = nullptr, *cmdCancel = nullptr;

private:
    // Before the window closes with unsaved work: the row being added and
    // the edit pending in a field go into the list first.
    bool saveEverything();
    // Asks first when unsaved work would go.
    bool mayDropRows();
    // The caption and the preview's offer follow the figure's number.
    void showFigureNumber();
    QList<PastedForm> pastedForms(const PasteRules &rules) const;
    void showPastedRows(int first, int last);

    QMap<int, QWidget *> m_cellFields; // made, tracked from startEditing on
    QString m_captionHead;
    QMap<QWidget *, QString> m_initialTexts;
    PreviewRows *m_previewRows = nullptr;
    ListCommands *m_commands = nullptr;
    QPushButton *m_add = nullptr;
    std::function<void()> m_addClick;
};

// Shows the program's one `Editor` for the figure gFigNo names, brought to
// the front and loading that figure when it held another.
template <typename Editor>
void showFigureEditor()
{
    SingleWindow<Editor>::show().followHandOver();
}
