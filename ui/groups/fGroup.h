#pragma once

#include <QWidget>

class FieldTracking;
class ListCommands;
class ListView;
class QLabel;
class QLineEdit;
class QPushButton;

// The group manager: the figure groups of picType in a list, renamed through
// the name field, added and marked deleted in the list, written by "保 存".
class fGroup : public QWidget
{
    Q_OBJECT
public:
    explicit fGroup(QWidget *parent = nullptr);

    void Form_Load();
    void setGroup();

    // Event handlers, named after their control and event.
    void LvGroup_Click();
    void cmdAddGroup_Click();
    void cmdDeleteGroup_Click();
    void cmdGrpUpdata_Click();

private:
    void buildControls();
    // The save of "保 存"; true when every row was written.
    bool saveList();
    // A group that figures use is deleted only when the user says so.
    bool confirmDeletion(int row);

    ListView *LvGroup;
    QLabel *Label1;
    QLineEdit *TextBox1;
    QPushButton *cmdAddGroup, *cmdDeleteGroup, *cmdGrpUpdata;

    // The name field edits cell 1 of the row clicked last (CurItem) when it
    // loses the focus; leaving it unchanged marks nothing.
    FieldTracking *m_name;
    ListCommands *m_commands;
};
