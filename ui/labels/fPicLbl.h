#pragma once

#include "ui/common/FigureRowsEditor.h"

#include <QStringList>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

// The label editor: the text labels of one figure in a list, edited through
// the fields beside it, added in two presses, marked for deletion and written
// by "保 存" under the figure number the window loaded.
class fPicLbl : public FigureRowsEditor
{
    Q_OBJECT
public:
    explicit fPicLbl(QWidget *parent = nullptr);

    void Form_Load();

    // Event handlers, named after their control and event.
    void LvFigure_Click() override;
    void Command1_Click();
    void CmdDelete_Click();

    // The fields behind list cells 1, 2, ...
    static QStringList cellFields();

private:
    void buildControls();
    void loadFigure() override;
    bool saveList() override;
    void deleteSelectedRows() override;
    PasteRules pasteRules() override;

    QLabel *Label1;
    QGroupBox *Frame1;
    QLineEdit *tTxtBx1, *tTxtBx2;
    QPlainTextEdit *tTxtBx3;
    QPushButton *Command1, *CmdDelete;
};
