// The catalogue window's controls, placed in twips as the window was designed.
#include "ui/catalogue/fMain.h"

#include "platform/geometry/Twips.h"
#include "platform/listview/ListView.h"
#include "ui/common/FormControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>


void fMain::buildControls()
{
    setObjectName(QStringLiteral("fMain"));
    setWindowTitle(QStringLiteral(" Strativa - Orrisplot - 图版管理"));
    setFixedClientTwips(this, 15408, 10164);
    setFont(formFont());

    Opt1 = makeControl<QRadioButton>(this, "Opt1", QStringLiteral(" 直角坐标图"), 480, 80, 3495, 375);
    Opt2 = makeControl<QRadioButton>(this, "Opt2", QStringLiteral(" 三角形图"), 5280, 120, 3015, 375);
    lblNumber = makeControl<QLabel>(this, "lblNumber", QStringLiteral("Label15"), 10200, 165, 4815, 255);
    lblNumber->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblNumber->setStyleSheet(QStringLiteral("color: blue"));

    LvFigure = new ListView(this);
    LvFigure->setObjectName(QStringLiteral("LvFigure"));
    LvFigure->setFont(fontOf({QStringLiteral("微软雅黑"), QStringLiteral("Microsoft YaHei"),
                              QStringLiteral("Noto Sans CJK SC")}, 9));
    placeInTwips(LvFigure, 240, 600, 14935, 3255);

    Image1 = makeControl<QLabel>(this, "Image1", QString(), 195, 4920, 5895, 5055);
    Image1->setScaledContents(true);

    makeControl<QLabel>(this, "Label1", QStringLiteral("图  号"), 6360, 5205, 735, 255);
    tTh = makeControl<QLineEdit>(this, "tTh", QStringLiteral("Text1"), 7080, 5160, 855, 320);
    cmdAddPic = makeControl<QPushButton>(this, "cmdAddPic", QStringLiteral("新建"), 7920, 5175, 495, 265);
    makeControl<QLabel>(this, "Label2", QStringLiteral("图名"), 8580, 5205, 495, 255);
    tPicName = makeControl<QLineEdit>(this, "tPicName", QStringLiteral("Text1"), 9000, 5160, 6135, 320);
    makeControl<QLabel>(this, "Label6", QStringLiteral("缩略图"), 6360, 5715, 735, 255);
    tFigName = makeControl<QLineEdit>(this, "tFigName", QStringLiteral("Text1"), 7080, 5640, 855, 320);
    makeControl<QLabel>(this, "Label7", QStringLiteral(".gif"), 7920, 5655, 375, 255);
    makeControl<QLabel>(this, "Label3", QStringLiteral("分组号"), 9000, 5715, 855, 255);
    comGroup = makeControl<QComboBox>(this, "comGroup", QStringLiteral("1"), 9645, 5640, 1020, 315);
    Command1 = makeControl<QPushButton>(this, "Command1", QStringLiteral("显示分组"), 10800, 5580, 975, 375);
    makeControl<QLabel>(this, "Label5", QStringLiteral("特殊处理号"), 13260, 5685, 975, 255);
    tSPCase = makeControl<QLineEdit>(this, "tSPCase", QStringLiteral("Text1"), 14280, 5640, 855, 320);

    // The notice lies under the frame: covered while the frame shows, seen when it hides.
    sjx = makeControl<QLabel>(this, "sjx", QStringLiteral("三角形图解没有坐标参数"), 6360, 6520, 7455, 735);
    sjx->setAlignment(Qt::AlignCenter);
    sjx->setFont(kaiFont(16, true));
    sjx->setStyleSheet(QStringLiteral("color: red"));
    Frame1 = makeControl<QGroupBox>(this, "Frame1", QStringLiteral(" 坐标参数 "), 6360, 6120, 7575, 1335);
    Frame1->setAutoFillBackground(true);

    struct Header { const char *name; const char *caption; int left; };
    const Header headers[] = {{"Label8", "最小值", 720}, {"Label14", "最大值", 1560}, {"Label8", "次间隔", 2280},
                              {"Label8", "主间隔", 3000}, {"Label9", "轴交点", 3840}, {"Label11", "对数坐标", 4660},
                              {"Label10", "小数位数", 5600}, {"Label12", "图形边框", 6600}};
    int label8Index = 0;
    for (const Header &h : headers) {
        QLabel *label = makeControl<QLabel>(Frame1, h.name, QString::fromUtf8(h.caption), h.left, 240, 900, 255);
        if (qstrcmp(h.name, "Label8") == 0)
            label->setProperty("index", label8Index++);
    }
    makeControl<QLabel>(Frame1, "Label4", QStringLiteral("x-轴"), 120, 600, 495, 255);
    makeControl<QLabel>(Frame1, "Label13", QStringLiteral("y-轴"), 120, 960, 495, 255);
    const int boxLefts[] = {660, 1440, 2220, 3000, 3780};
    QLineEdit **xBoxes[] = {&tX1, &tX2, &tX3, &tX4, &tX5};
    QLineEdit **yBoxes[] = {&tY1, &tY2, &tY3, &tY4, &tY5};
    for (int i = 0; i < 5; ++i) {
        const QString n = QString::number(i + 1);
        *xBoxes[i] = makeControl<QLineEdit>(Frame1, qPrintable(QStringLiteral("tX") + n), QStringLiteral("X") + n,
                                     boxLefts[i], 600, 780, 270);
        *yBoxes[i] = makeControl<QLineEdit>(Frame1, qPrintable(QStringLiteral("tY") + n), QStringLiteral("Y") + n,
                                     boxLefts[i], 960, 780, 270);
    }
    CheckX6 = makeControl<QCheckBox>(Frame1, "CheckX6", QStringLiteral("对数"), 4660, 600, 855, 270);
    CheckY6 = makeControl<QCheckBox>(Frame1, "CheckY6", QStringLiteral("对数"), 4700, 960, 855, 270);
    CombX7 = makeControl<QComboBox>(Frame1, "CombX7", QStringLiteral("Combo1"), 5560, 600, 900, 300);
    CombY7 = makeControl<QComboBox>(Frame1, "CombY7", QStringLiteral("Combo1"), 5560, 960, 900, 300);
    CheckBorder = makeControl<QCheckBox>(Frame1, "CheckBorder", QStringLiteral("边框"), 6600, 660, 855, 270);

    CheckVector = makeControl<QCheckBox>(this, "CheckVector", QStringLiteral("矢量图"), 14200, 6360, 855, 255);
    CheckBitmap = makeControl<QCheckBox>(this, "CheckBitmap", QStringLiteral("位 图"), 14200, 6840, 975, 255);
    tComment = makeControl<QPlainTextEdit>(this, "tComment", QStringLiteral("Text1"), 6360, 7680, 8895, 1335);

    CommandButton1 = makeControl<QPushButton>(this, "CommandButton1", QStringLiteral("显示图版数据"), 6600, 9360, 1455, 375);
    CommandButton2 = makeControl<QPushButton>(this, "CommandButton2", QStringLiteral("显示图版标签"), 8376, 9360, 1335, 375);
    CmdDelete = makeControl<QPushButton>(this, "CmdDelete", QStringLiteral("删 除"), 10032, 9360, 975, 375);
    cmdUpdate = makeControl<QPushButton>(this, "cmdUpdate", QStringLiteral("刷新列表"), 11328, 9360, 1095, 375);
    cmdCancel = makeControl<QPushButton>(this, "cmdCancel", QStringLiteral("退 出"), 12744, 9360, 975, 375);
    cmdSaveLvFigure = makeControl<QPushButton>(this, "cmdSaveLvFigure", QStringLiteral("保 存"), 14040, 9360, 975, 375);
    // Tab runs along each row of the panel, the axis grid row by row.
    const QList<QWidget *> tabOrder = {LvFigure, tTh,  cmdAddPic, tPicName, tFigName, comGroup, Command1,
                                       tSPCase,  tX1,  tX2,       tX3,      tX4,      tX5,      CheckX6,
                                       CombX7,   tY1,  tY2,       tY3,      tY4,      tY5,      CheckY6,
                                       CombY7,   CheckBorder, CheckVector, CheckBitmap, tComment,
                                       CommandButton1, CommandButton2, CmdDelete, cmdUpdate, cmdCancel,
                                       cmdSaveLvFigure};
    for (int i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    addSaveKey(this, cmdSaveLvFigure);
}

void fMain::bindPanel()
{
    const QList<QWidget *> controls = {tTh,     tPicName, tFigName, comGroup, tX1,     tX2,         tX3,     tX4,
                                       tX5,     CheckX6,  CombX7,   tY1,      tY2,     tY3,         tY4,     tY5,
                                       CheckY6, CombY7,   CheckBorder, tSPCase, tComment, CheckVector, CheckBitmap};
    for (int cell = 1; cell <= controls.size(); ++cell)
        m_panel.bind(cell, controls[cell - 1]);
}
