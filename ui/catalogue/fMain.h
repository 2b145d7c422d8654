#pragma once

#include "ui/catalogue/FigurePanel.h"

#include <QWidget>

class ListView;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// The catalogue window: the figure list of one diagram type above, the editor
// panel of one figure below. The list is edited in memory and written to the
// catalogue only by "保 存".
class fMain : public QWidget
{
    Q_OBJECT
public:
    explicit fMain(QWidget *parent = nullptr);

    void Form_Load();
    void LoadFigData(int FT);
    QString NewFigNumber(int position) const; // 1-based row position

    // Event handlers, named after their control and event.
    void Opt1_Click();
    void Opt2_Click();
    void LvFigure_Click();
    void cmdAddPic_Click();
    void cmdUpdate_Click();
    void CmdDelete_Click();
    void cmdCancel_Click();
    void cmdSaveLvFigure_Click();
    void Command1_Click();
    void CommandButton1_Click();
    void CommandButton2_Click();
    void Image1_DblClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void bindPanel();
    void showThumbnail();
    // The update and delete buttons act on the current row; without one they
    // tell the user to pick a row and change nothing.
    bool requireCurrentRow();
    void inform(const QString &text);

    // The row last shown in the panel; -1 when there is none (an empty list,
    // or a list reloaded since).
    int CurrentItem = -1;
    bool NewFigureMode = false;
    FigurePanel m_panel;

    QRadioButton *Opt1, *Opt2;
    QLabel *lblNumber;
    ListView *LvFigure;
    QLabel *Image1;
    QLineEdit *tTh, *tPicName, *tFigName, *tSPCase;
    QComboBox *comGroup;
    QPushButton *cmdAddPic, *Command1;
    QGroupBox *Frame1;
    QLabel *sjx;
    QLineEdit *tX1, *tX2, *tX3, *tX4, *tX5, *tY1, *tY2, *tY3, *tY4, *tY5;
    QCheckBox *CheckX6, *CheckY6, *CheckBorder, *CheckVector, *CheckBitmap;
    QComboBox *CombX7, *CombY7;
    QPlainTextEdit *tComment;
    QPushButton *CommandButton1, *CommandButton2, *CmdDelete, *cmdUpdate, *cmdCancel, *cmdSaveLvFigure;
};
