#pragma once

#include "ui/common/ListHistory.h"

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPoint>
#include <functional>

class ListView;
class QAction;

// What a window does for the list's commands. A command without its hook is
// not offered.
struct ListCommandHooks
{
    // After an undo or redo the first row it touched is picked as a click
    // would pick it; when the list has no row left, the window forgets its
    // current row.
    std::function<void()> forgetCurrentRow;
    // Before an undo or redo changes the rows: false leaves them as they are
    // (edits the window holds outside the list are settled first).
    std::function<bool()> mayChangeRows;
    // Del: the window's own deletion, on the selected rows or its current one.
    std::function<void()> deleteRows;
    std::function<bool()> canDelete;
    // Ctrl+V: the clipboard's text added as rows; empty: the list takes no paste.
    std::function<void(const QString &text)> paste;
    // A window's own commands, after the shared ones in the menu.
    struct Command
    {
        QString text;
        QKeySequence key;
        std::function<void()> run;
        std::function<bool()> canRun;
    };
    QList<Command> more;
};

// The keys and the context menu of a list: 撤销 (Ctrl+Z), 重做 (Ctrl+Y or
// Ctrl+Shift+Z), 复制 (Ctrl+C), 粘贴 (Ctrl+V), 删除 (Del). The keys act while
// the list has the focus; in an edit field they keep their own meaning.
class ListCommands : public QObject
{
    Q_OBJECT
public:
    ListCommands(ListView &list, ListCommandHooks hooks);

    ListHistory &history() { return m_history; }

    void undo();
    void redo();
    void copy();
    void paste();
    void deleteRows();

private:
    QAction *addCommand(const QString &text, const QList<QKeySequence> &keys, std::function<void()> run);
    void showMenu(const QPoint &globalPos);
    void pickRow(int row);

    ListView &m_list;
    ListCommandHooks m_hooks;
    ListHistory m_history;
    QAction *m_undo, *m_redo, *m_copy, *m_paste = nullptr, *m_delete = nullptr;
    QList<QAction *> m_more; // with m_hooks.more, in order
};
