#include "ui/common/ListCommands.h"

#include "platform/listview/ListView.h"
#include "ui/common/RowsAsTable.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

ListCommands::ListCommands(ListView &list, ListCommandHooks hooks)
    : QObject(&list), m_list(list), m_hooks(std::move(hooks)), m_history(list.items(), [this](int row) { pickRow(row); })
{
    m_undo = addCommand(QStringLiteral("撤销"), {QKeySequence(Qt::CTRL | Qt::Key_Z)}, [this] { undo(); });
    m_redo = addCommand(QStringLiteral("重做"),
                        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
                        [this] { redo(); });
    m_copy = addCommand(QStringLiteral("复制"), {QKeySequence(Qt::CTRL | Qt::Key_C)}, [this] { copy(); });
    if (m_hooks.paste)
        m_paste = addCommand(QStringLiteral("粘贴"), {QKeySequence(Qt::CTRL | Qt::Key_V)}, [this] { paste(); });
    if (m_hooks.deleteRows)
        m_delete = addCommand(QStringLiteral("删除"), {QKeySequence(Qt::Key_Delete)}, [this] { deleteRows(); });
    for (const ListCommandHooks::Command &command : m_hooks.more) {
        m_more << addCommand(command.text, {command.key}, [run = command.run, canRun = command.canRun] {
            if (!canRun || canRun())
                run();
        });
    }
    connect(&m_list, &ListView::contextMenuWanted, this, &ListCommands::showMenu);
}

QAction *ListCommands::addCommand(const QString &text, const QList<QKeySequence> &keys, std::function<void()> run)
{
    auto *action = new QAction(text, &m_list);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, [this, run = std::move(run)] {
        m_history.endStep(); // each command is a step of its own
        run();
        m_history.endStep();
    });
    m_list.addAction(action);
    return action;
}

void ListCommands::pickRow(int row)
{
    if (row < 0) {
        m_list.clearSelection();
        m_hooks.forgetCurrentRow();
        return;
    }
    m_list.selectOnly(row);
    emit m_list.rowClicked();
}

void ListCommands::undo()
{
    if (m_history.canUndo() && (!m_hooks.mayChangeRows || m_hooks.mayChangeRows()))
        m_history.undo();
}

void ListCommands::redo()
{
    if (m_history.canRedo() && (!m_hooks.mayChangeRows || m_hooks.mayChangeRows()))
        m_history.redo();
}

void ListCommands::copy()
{
    const std::vector<int> rows = m_list.selectedRows();
    if (!rows.empty())
        QGuiApplication::clipboard()->setText(rowsAsTable(m_list.items(), rows));
}

void ListCommands::paste()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty())
        m_hooks.paste(text);
}

void ListCommands::deleteRows()
{
    if (!m_hooks.canDelete || m_hooks.canDelete())
        m_hooks.deleteRows();
}

void ListCommands::showMenu(const QPoint &globalPos)
{
    QMenu menu(&m_list);
    menu.setObjectName(QStringLiteral("ListMenu"));
    m_undo->setEnabled(m_history.canUndo());
    m_redo->setEnabled(m_history.canRedo());
    m_copy->setEnabled(!m_list.selectedRows().empty());
    menu.addAction(m_undo);
    menu.addAction(m_redo);
    menu.addSeparator();
    menu.addAction(m_copy);
    if (m_paste) {
        m_paste->setEnabled(!QGuiApplication::clipboard()->text().isEmpty());
        menu.addAction(m_paste);
    }
    if (m_delete) {
        m_delete->setEnabled(!m_hooks.canDelete || m_hooks.canDelete());
        menu.addAction(m_delete);
    }
    for (int i = 0; i < m_more.size(); ++i) {
        if (i == 0)
            menu.addSeparator();
        const auto &canRun = m_hooks.more[i].canRun;
        m_more[i]->setEnabled(!canRun || canRun());
        menu.addAction(m_more[i]);
    }
    menu.exec(globalPos);
    // Outside the menu the keys stay live; each command checks for itself.
    for (QAction *action : m_list.actions())
        action->setEnabled(true);
}
