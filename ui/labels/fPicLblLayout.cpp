// The label editor's controls, placed in twips as the window was designed.
#include "ui/labels/fPicLbl.h"

#include "platform/listview/ListView.h"
#include "ui/common/FormControls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

void fPicLbl::buildControls()
{
    designWindow(this, "fPicLbl", 6540, 6060, QStringLiteral("Form1"));
    LvFigure = makeList(this, "LvFigure", 120, 480, 4095, 5415);
    Frame1 = makeControl<QGroupBox>(this, "Frame1", QStringLiteral("标签属性编辑栏"), 4320, 360, 2055, 3255);
    Label1 = makeControl<QLabel>(this, "Label1", QStringLiteral("标签位置坐标值"), 720, 120, 1695, 255);
    tTxtBx2 = makeField<QLineEdit>(Frame1, 2, QStringLiteral("Y-值"), 875, 750, 1000, 320);
    tTxtBx1 = makeField<QLineEdit>(Frame1, 1, QStringLiteral("X-值"), 875, 360, 1000, 320);
    makeControl<QLabel>(Frame1, "Label6", QStringLiteral("Y-值"), 180, 810, 495, 255);
    makeControl<QLabel>(Frame1, "Label5", QStringLiteral("X-值"), 180, 420, 495, 255);
    makeControl<QLabel>(Frame1, "Label2", QStringLiteral("标签名称"), 240, 1320, 1095, 255);
    tTxtBx3 = makeField<QPlainTextEdit>(Frame1, 3, QStringLiteral("标签名称\r\n"), 240, 1680, 1695, 975);
    Command1 = makeControl<QPushButton>(Frame1, "Command1", QStringLiteral("新 建"), 960, 2760, 735, 375);
    CmdDelete = makeControl<QPushButton>(this, "CmdDelete", QStringLiteral("删 除"), 5280, 4080, 800, 375);
    cmdSave = makeControl<QPushButton>(this, "cmdSave", QStringLiteral("保 存"), 5280, 4740, 800, 375);
    cmdCancel = makeControl<QPushButton>(this, "cmdCancel", QStringLiteral("退 出"), 5280, 5400, 800, 375);
    setTabOrderOf({LvFigure, tTxtBx2, tTxtBx1, tTxtBx3, Command1, CmdDelete, cmdSave, cmdCancel});
    addSaveKey(this, cmdSave);
}
