#include "ui/groups/fGroup.h"

#include "app/CatalogueStatements.h"
#include "app/mQuillar.h"
#include "platform/database/DbError.h"
#include "platform/database/Recordset.h"
#include "platform/messages/MessageBox.h"
#include "platform/listview/ListView.h"
#include "ui/common/FieldTracking.h"
#include "ui/common/ListCommands.h"
#include "ui/common/NumberText.h"
#include "ui/common/NumberedRows.h"
#include "ui/common/WriteConflicts.h"
#include "ui/common/RowEditing.h"
#include "ui/common/UnsavedWork.h"
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
    ListCommandHooks hooks;
    hooks.forgetCurrentRow = [this] { m_name->CurItem = -1; };
    hooks.deleteRows = [this] { cmdDeleteGroup_Click(); };
    hooks.canDelete = [this] { return m_name->CurItem >= 0; };
    m_commands = new ListCommands(*LvGroup, std::move(hooks));
    connect(cmdAddGroup, &QPushButton::clicked, this, &fGroup::cmdAddGroup_Click);
    connect(cmdDeleteGroup, &QPushButton::clicked, this, &fGroup::cmdDeleteGroup_Click);
    connect(cmdGrpUpdata, &QPushButton::clicked, this, &fGroup::cmdGrpUpdata_Click);
    new UnsavedWorkGuard(*this, [this] {
        return mayDiscardUnsaved(this, m_name->hasUnsavedWork(), [this] {
            m_name->leaveFocusedField();
            return saveList();
        });
    });
}

void fGroup::Form_Load()
{
    LvGroup->setColumns({{QStringLiteral("序号"), 600}, {QStringLiteral("分组名称"), 3200}});
    setGroup();
}

void fGroup::setGroup()
{
    const QString failure = OpenDatabase();
    if (!failure.isEmpty())
        ReportOpenFailure(failure, this);
    showLoadedRows(*LvGroup, loadNumberedRows(CatalogueStatements::groupsInOrder(), QStringLiteral("grp"),
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
    const double number = newRowNumber(LvGroup->items(), CatalogueStatements::groupsInOrder(), QStringLiteral("grp"));
    const int row = appendNewRow(LvGroup->items(), numberText(number));
    LvGroup->setCell(row, kNameCell, QStringLiteral("在此输入新的组名"));
}

void fGroup::cmdDeleteGroup_Click()
{
    if (m_name->CurItem < 0 || !confirmDeletion(m_name->CurItem))
        return;
    markRowDeleted(LvGroup->items(), m_name->CurItem, kDeletedMark);
}

bool fGroup::confirmDeletion(int row)
{
    const QVariant group = LvGroup->storedKey(row);
    if (!group.isValid() || LvGroup->tag(row) == RowState::Deleted)
        return true;
    int figures = 0;
    try {
        Recordset users;
        users.open(CatalogueStatements::figuresInGroup(group), gConn);
        figures = users.recordCount();
    } catch (const DbError &) {
        // Not known now; the deletion itself is only a mark until the save.
    }
    if (figures == 0)
        return true;
    MessageRequest request;
    request.icon = QMessageBox::Question;
    request.text = QStringLiteral("分组 %1 有 %2 个图版在用（直角坐标图和三角形图），仍要删除这个分组吗？")
                       .arg(numberText(leadingNumber(LvGroup->text(row))))
                       .arg(figures);
    request.buttons = QMessageBox::Ok | QMessageBox::Cancel;
    request.buttonTexts = {{QMessageBox::Ok, QStringLiteral("删除")}, {QMessageBox::Cancel, QStringLiteral("取消")}};
    return MessageBox::show(this, request) == QMessageBox::Ok;
}

void fGroup::cmdGrpUpdata_Click()
{
    saveList();
}

bool fGroup::saveList()
{
    const ListHistory::Save saving(m_commands->history());
    const bool saved = saveAskingAtConflicts(this, LvGroup->items(), [this] { return saveGroupList(LvGroup->items(), m_name->CurItem); },
                                             [this](int row) { m_name->showReloadedRow(row); });
    if (saved)
        setGroup();
    return saved;
}
