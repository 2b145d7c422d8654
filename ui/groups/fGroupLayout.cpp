// The group manager's controls, placed in twips as the window was designed.
#include "ui/groups/fGroup.h"

#include "platform/listview/ListView.h"
#include "ui/common/FormControls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

void fGroup::buildControls()
{
    designWindow(this, "fGroup", 4428, 4344, QStringLiteral("Strativa-Orrisplot-分组管理"));
    LvGroup = makeList(this, "LvGroup", 120, 120, 4120, 3020);
    Label1 = makeControl<QLabel>(this, "Label1", QStringLiteral("编 辑"), 180, 3360, 615, 255);
    TextBox1 = makeControl<QLineEdit>(this, "TextBox1", QStringLiteral("Text1"), 720, 3240, 3500, 375);
    cmdAddGroup = makeControl<QPushButton>(this, "cmdAddGroup", QStringLiteral("添 加"), 840, 3840, 855, 375);
    cmdDeleteGroup = makeControl<QPushButton>(this, "cmdDeleteGroup", QStringLiteral("删 除"), 2080, 3840, 855, 375);
    cmdGrpUpdata = makeControl<QPushButton>(this, "cmdGrpUpdata", QStringLiteral("保 存"), 3320, 3840, 855, 375);
    setTabOrderOf({LvGroup, TextBox1, cmdAddGroup, cmdDeleteGroup, cmdGrpUpdata});
    addSaveKey(this, cmdGrpUpdata);
}
