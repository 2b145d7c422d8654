// The data-point editor's controls, placed in twips as the window was designed.
#include "ui/points/fPicData.h"

#include "platform/listview/ListView.h"
#include "ui/common/FormControls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

void fPicData::buildControls()
{
    designWindow(this, "fPicData", 7188, 7200);
    // Wider than first designed: the six columns and a scroll bar fit without a horizontal one.
    LvFigure = makeList(this, "LvFigure", 120, 120, 4460, 6975);
    Frame1 = makeControl<QGroupBox>(this, "Frame1", QStringLiteral("线型说明"), 4680, 3840, 2295, 1840);
    Label1 = makeControl<QLabel>(Frame1, "Label1",
                                 QStringLiteral("线型是指从上一点到该点的连线类型,其中：\r\n 0 - 无线   \r\n 1 - 实绩\r\n"
                                                " 2 - 点线   \r\n 3 - 虚线"),
                                 240, 320, 1815, 1455);
    Label1->setFont(formFont());
    // The first line is wider than the box: it wraps, as the designed label did.
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Frame2 = makeControl<QGroupBox>(this, "Frame2", QStringLiteral("点属性编辑栏"), 4680, 240, 2295, 3255);
    cmdSave = makeControl<QPushButton>(this, "cmdSave", QStringLiteral("保 存"), 5880, 6000, 975, 375);
    cmdCancel = makeControl<QPushButton>(this, "cmdCancel", QStringLiteral("退 出"), 5880, 6600, 975, 375);
    cmdAddPoint = makeControl<QPushButton>(Frame2, "cmdAddPoint", QStringLiteral("添 加"), 1080, 2760, 855, 375);
    tTxtBx0 = makeControl<QLineEdit>(Frame2, "tTxtBx0", QStringLiteral("Text1"), 1100, 340, 1000, 320);
    tTxtBx1 = makeField<QComboBox>(Frame2, 1, QStringLiteral("1"), 1100, 736, 1000, 300);
    tTxtBx3 = makeField<QLineEdit>(Frame2, 3, QStringLiteral("Text2"), 1100, 1488, 1000, 320);
    tTxtBx4 = makeField<QLineEdit>(Frame2, 4, QStringLiteral("Text3"), 1100, 1884, 1000, 320);
    tTxtBx5 = makeField<QComboBox>(Frame2, 5, QStringLiteral("2"), 1100, 2280, 1000, 300);
    tTxtBx2 = makeField<QComboBox>(Frame2, 2, QStringLiteral("True"), 1100, 1112, 1000, 300);
    makeControl<QLabel>(Frame2, "Label2", QStringLiteral("点 号"), 240, 400, 495, 255);
    makeControl<QLabel>(Frame2, "Label3", QStringLiteral("线 号"), 240, 784, 495, 255);
    makeControl<QLabel>(Frame2, "Label4", QStringLiteral("是否曲线"), 120, 1168, 855, 255);
    makeControl<QLabel>(Frame2, "Label5", QStringLiteral("X-值"), 240, 1552, 495, 255);
    makeControl<QLabel>(Frame2, "Label6", QStringLiteral("Y-值"), 240, 1936, 495, 255);
    makeControl<QLabel>(Frame2, "Label7", QStringLiteral("线 型"), 240, 2320, 495, 255);
    setTabOrderOf({LvFigure, cmdSave, cmdCancel, cmdAddPoint, tTxtBx0, tTxtBx1, tTxtBx3, tTxtBx4, tTxtBx5, tTxtBx2});
    addSaveKey(this, cmdSave);
}
