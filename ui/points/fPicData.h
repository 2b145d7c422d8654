#pragma once

#include "ui/common/FigureRowsEditor.h"

#include <QStringList>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

// The data-point editor: the points of one figure in a list, edited through
// the fields beside it, added in two presses and written by "保 存" under the
// figure number the window loaded.
class fPicData : public FigureRowsEditor
{
    Q_OBJECT
public:
    explicit fPicData(QWidget *parent = nullptr);

    void Form_Load();

    // Event handlers, named after their control and event.
    void LvFigure_Click() override;
    void cmdAddPoint_Click();

    // The fields behind list cells 1, 2, ...
    static QStringList cellFields();

private:
    void buildControls();
    void loadFigure() override;
    bool saveList() override;
    void deleteSelectedRows() override;
    PasteRules pasteRules() override;
    // A new point's number: the last row's number + 1.
    QString nextPointNumber() const;

    QGroupBox *Frame1, *Frame2;
    QLabel *Label1;
    QPushButton *cmdAddPoint;
    QLineEdit *tTxtBx0, *tTxtBx3, *tTxtBx4;
    QComboBox *tTxtBx1, *tTxtBx2, *tTxtBx5;
};
