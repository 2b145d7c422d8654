#include "ui/groups/fGroup.h"

#include "app/CatalogueStatements.h"
#include "app/mQuillar.h"
#include "platform/geometry/Twips.h"
#include "platform/listview/ListView.h"
#include "ui/common/FieldTracking.h"
#include "ui/common/NumberText.h"
#include "ui/common/NumberedRows.h"
#include "ui/common/RowEditing.h"
#include "ui/groups/GroupListSave.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kNameCell = 1;
const QString kDeletedMark = QStringLiteral("d");

} // namespace

fGroup::fGroup(QWidget *parent) : QWidget(parent)
{
    buildControls();
    m_name = new FieldTracking(*LvGroup, this);
    m_name->add(kNameCell, TextBox1);
    connect(LvGroup, &ListView::rowClicked, this, &fGroup::LvGroup_Click);
    connect(cmdAddGroup, &QPushButton::clicked, this, &fGroup::cmdAddGroup_Click);
    connect(cmdDeleteGroup, &QPushButton::clicked, this, &fGroup::cmdDeleteGroup_Click);
    connect(cmdGrpUpdata, &QPushButton::clicked, this, &fGroup::cmdGrpUpdata_Click);
}

void fGroup::Form_Load()
{
    LvGroup->setColumns({{QStringLiteral("序号"), 600}, {QStringLiteral("分组名称"), 3200}});
    placeInTwips(LvGroup, 120, 120, 4120, 3020);
    setGroup();
}

void fGroup::setGroup()
{
    const QString failure = OpenDatabase();
    if (!failure.isEmpty())
        ReportOpenFailure(failure, this);
    LvGroup->setRows(loadNumberedRows(CatalogueStatements::groupsInOrder(), QStringLiteral("grp"),
                                      {QStringLiteral("grpName")}));
    // The rows the last click referred to are gone; no row looks current
    // until the user clicks one.
    LvGroup->clearSelection();
    m_name->CurItem = -1;
}

void fGroup::LvGroup_Click()
{
    m_name->takeSelectedRow(true);
}

void fGroup::cmdAddGroup_Click()
{
    const double number = newRowNumber(*LvGroup, CatalogueStatements::groupsInOrder(), QStringLiteral("grp"));
    const int row = appendNewRow(*LvGroup, numberText(number));
    LvGroup->setCell(row, kNameCell, QStringLiteral("在此输入新的组名"));
}

void fGroup::cmdDeleteGroup_Click()
{
    if (m_name->CurItem < 0)
        return;
    markRowDeleted(*LvGroup, m_name->CurItem, kDeletedMark);
}

void fGroup::cmdGrpUpdata_Click()
{
    const QString failure = saveGroupList(*LvGroup, m_name->CurItem);
    if (failure.isEmpty())
        setGroup();
    else
        ReportError(failure, this);
}
