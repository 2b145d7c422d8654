#include "ui/common/ListHistory.h"

#include <QTimer>
#include <algorithm>

namespace {

bool sameRow(const ListRow &a, const ListRow &b)
{
    return a.text == b.text && a.cells == b.cells && a.tag == b.tag && a.storedKey == b.storedKey
        && a.readCells == b.readCells && a.copiedFrom == b.copiedFrom;
}

} // namespace

// What one action changed: the rows it found as they were before and as it
// left them, and the rows it appended.
struct ListHistory::Step
{
    int countBefore = 0;
    std::map<int, ListRow> before, after;
    std::vector<ListRow> appended;

    int firstRow() const
    {
        const int first = before.empty() ? countBefore : before.begin()->first;
        return appended.empty() ? first : std::min(first, countBefore);
    }
};

class ListHistory::Command : public QUndoCommand
{
public:
    Command(ListHistory &history, std::unique_ptr<Step> step) : m_history(history), m_step(std::move(step)) {}
    void undo() override { m_history.apply(*m_step, true); }
    // Pushing the step runs redo once: the rows already are as it left them.
    void redo() override
    {
        if (!std::exchange(m_pushed, true))
            return;
        m_history.apply(*m_step, false);
    }

private:
    ListHistory &m_history;
    std::unique_ptr<Step> m_step;
    bool m_pushed = false;
};

ListHistory::ListHistory(ListModel &list, std::function<void(int)> showRow, QObject *parent)
    : QObject(parent), m_list(list), m_watched(&list), m_showRow(std::move(showRow))
{
    m_list.setWatcher(this);
    connect(&m_stack, &QUndoStack::canUndoChanged, this, &ListHistory::changed);
    connect(&m_stack, &QUndoStack::canRedoChanged, this, &ListHistory::changed);
}

ListHistory::~ListHistory()
{
    if (m_watched)
        m_watched->setWatcher(nullptr);
}

bool ListHistory::canUndo()
{
    endStep();
    return m_stack.canUndo();
}

bool ListHistory::canRedo()
{
    endStep();
    return m_stack.canRedo();
}

void ListHistory::undo()
{
    if (canUndo())
        m_stack.undo();
}

void ListHistory::redo()
{
    if (canRedo())
        m_stack.redo();
}

void ListHistory::endStep()
{
    if (!m_open)
        return;
    std::unique_ptr<Step> step = std::move(m_open);
    // A row set to what it held is no change: an undo neither shows it nor
    // stops at a step that changed nothing, and such a step keeps what was undone.
    for (auto it = step->before.begin(); it != step->before.end();) {
        const ListRow &now = m_list.row(it->first);
        if (sameRow(now, it->second)) {
            it = step->before.erase(it);
            continue;
        }
        step->after[it->first] = now;
        ++it;
    }
    for (int r = step->countBefore; r < m_list.count(); ++r)
        step->appended.push_back(m_list.row(r));
    if (step->before.empty() && step->appended.empty())
        return;
    m_stack.push(new Command(*this, std::move(step))); // a new step drops what was undone
}

void ListHistory::clear()
{
    m_open.reset();
    m_stack.clear();
}

ListHistory::Step &ListHistory::openStep()
{
    if (!m_open) {
        m_open = std::make_unique<Step>();
        m_open->countBefore = m_list.count();
        QTimer::singleShot(0, this, &ListHistory::endStep);
    }
    return *m_open;
}

void ListHistory::rowWillChange(int r)
{
    if (m_applying || m_saves > 0)
        return;
    Step &step = openStep();
    if (r < step.countBefore && !step.before.count(r))
        step.before.emplace(r, m_list.row(r));
}

void ListHistory::rowWillBeAppended()
{
    if (!m_applying && m_saves == 0)
        openStep();
}

void ListHistory::rowsWillBeDropped()
{
    if (!m_applying)
        clear();
}

void ListHistory::apply(const Step &step, bool back)
{
    m_applying = true;
    {
        const ListModel::HeldChanges held(m_list);
        if (back && !step.appended.empty())
            m_list.removeRows(step.countBefore, static_cast<int>(step.appended.size()));
        for (const auto &[r, row] : back ? step.before : step.after)
            m_list.putRow(r, row);
        if (!back) {
            for (const ListRow &row : step.appended)
                m_list.appendRow(row);
        }
    }
    m_applying = false;
    m_showRow(std::min(step.firstRow(), m_list.count() - 1));
}

ListHistory::Save::Save(ListHistory &history) : m_history(history)
{
    m_history.endStep();
    ++m_history.m_saves;
}

ListHistory::Save::~Save()
{
    --m_history.m_saves;
    m_history.clear();
}
