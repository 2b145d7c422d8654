#pragma once

#include "platform/listview/ListModel.h"

#include <QObject>
#include <QPointer>
#include <QUndoStack>
#include <functional>
#include <map>
#include <vector>

// The undo history of one list since it was loaded or last saved. Every
// change the window makes to the rows is kept; the changes of one user
// action (everything up to the next turn of the event loop) are one step.
// A load, a save or a removal of rows ends the history: what the catalogue
// holds is never undone.
class ListHistory : public QObject, private RowChangeWatcher
{
    Q_OBJECT
public:
    // `showRow` makes a row current after an undo or redo and shows it in the
    // window's fields; -1 when the list has no row left to show.
    ListHistory(ListModel &list, std::function<void(int row)> showRow, QObject *parent = nullptr);
    ~ListHistory() override;

    bool canUndo();
    bool canRedo();
    void undo();
    void redo();
    // The action under way is one step; the next change starts another.
    void endStep();
    void clear();

    // While one stands the list changes through a save: nothing is kept, and
    // the history ends with it.
    class Save
    {
    public:
        explicit Save(ListHistory &history);
        ~Save();
        Save(const Save &) = delete;
        Save &operator=(const Save &) = delete;

    private:
        ListHistory &m_history;
    };

signals:
    void changed(); // undo or redo became possible or impossible

private:
    struct Step;
    class Command;

    void rowWillChange(int r) override;
    void rowWillBeAppended() override;
    void rowsWillBeDropped() override;
    Step &openStep();
    // Puts `step`'s rows back (`back`) or forward again.
    void apply(const Step &step, bool back);

    ListModel &m_list;
    // The list's view may take its model down before the history goes.
    QPointer<ListModel> m_watched;
    std::function<void(int)> m_showRow;
    QUndoStack m_stack;
    std::unique_ptr<Step> m_open;
    int m_saves = 0;
    bool m_applying = false;
};
