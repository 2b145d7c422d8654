#pragma once

#include "ui/catalogue/FigurePanel.h"
#include "ui/catalogue/NewFigNumber.h"

#include <QSet>
#include <QStringList>
#include <QWidget>

class ListCommands;
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
    // Del on the list: the selected rows marked for deletion as 删 除 marks one.
    void deleteSelectedRows();
    // 复制图版 (Ctrl+D): a new row holding the current row's cells under a
    // new number and thumbnail name; its save copies the figure's points,
    // labels and thumbnail.
    void duplicateCurrentRow();
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

    // The panel as shown from its row, as proposed by "新建" or as put into
    // the list last: what the panel is compared with for pending edits.
    void rememberPanel();
    // Panel edits that have not been put into the list (compared as texts).
    bool panelPending() const;
    // Before an action that would drop pending panel edits: "刷新列表" puts
    // them into the list first, "放弃" drops them; false when the user cancels
    // (or the list refused them).
    bool settlePanel();
    // Before the list is thrown away (closing, the other diagram type): the
    // panel, then the marked rows. False when the user cancels or the save
    // the user asked for failed.
    bool mayDropUnsavedWork();
    // The save of "保 存"; true when every row was written.
    bool saveList();
    // "共有 N 个图版": the figures of the list that the catalogue holds.
    void showFigureCount();
    // The list was reloaded: the row of the figure the panel shows becomes
    // the current one; without one no row looks selected.
    void selectPanelFigure();
    // What 新建 proposes: a number and thumbnail name free everywhere.
    FigureProposal proposeNewFigure() const;
    // Every figure number and thumbnail name in use: the list's, the catalogue's, the thumbnail folder's.
    TakenFigureNames takenFigureNames() const;

    // The row last shown in the panel; -1 when there is none (an empty list,
    // or a list reloaded since).
    int CurrentItem = -1;
    bool NewFigureMode = false;
    ListCommands *m_commands = nullptr;
    FigurePanel m_panel;
    QStringList m_panelShown;
    // Rows marked ★ whose records a save has deleted: they stay in the list
    // but hold nothing unsaved.
    QSet<int> m_deletedBySave;

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
