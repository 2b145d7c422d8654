#include "ui/common/FieldTracking.h"

#include "platform/listview/ListView.h"
#include "ui/common/ControlText.h"
#include "ui/common/RowEditing.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>

namespace {

// Focus that moves inside the window; a window switch or an opened drop-down
// list takes it away only for a while.
bool movesWithinWindow(const QEvent *event)
{
    const Qt::FocusReason reason = static_cast<const QFocusEvent *>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace

FieldTracking::FieldTracking(ListView &list, QObject *parent) : QObject(parent), m_list(list)
{
    // Sees the first press or focus in this window after it was left with
    // an edit pending.
    qApp->installEventFilter(this);
}

void FieldTracking::add(int cell, QWidget *field)
{
    TxtBoxes.insert(cell, field);
    field->setProperty("trackedCell", cell);
    field->installEventFilter(this);
}

QString FieldTracking::text(int cell) const
{
    return controlText(TxtBoxes.value(cell));
}

void FieldTracking::setText(int cell, const QString &text)
{
    setControlText(TxtBoxes.value(cell), text);
}

void FieldTracking::showRow(int row, bool asBaseline)
{
    for (auto it = TxtBoxes.cbegin(); it != TxtBoxes.cend(); ++it) {
        const QString cellText = m_list.cell(row, it.key());
        setControlText(it.value(), cellText);
        if (asBaseline)
            TxtBoxesOld[it.key()] = text(it.key());
    }
}

void FieldTracking::showReloadedRow(int row)
{
    if (row == CurItem && !preparingNewRow())
        showRow(row, true);
}

int FieldTracking::takeSelectedRow(bool asBaseline)
{
    const int row = m_list.selectedRow();
    if (row < 0)
        return -1;
    CurItem = row;
    showRow(row, asBaseline);
    return row;
}

void FieldTracking::TxtBoxesChange(int cell)
{
    const QString now = text(cell);
    if (TxtBoxesOld.value(cell) == now)
        return;
    TxtBoxesOld[cell] = now;
    if (CurItem < 0 || CurItem >= m_list.count())
        return;
    m_list.setCell(CurItem, cell, now);
    markRowChanged(m_list.items(), CurItem);
}

void FieldTracking::leaveFocusedField()
{
    const int cell = fieldWithFocus();
    if (cell >= 0)
        leaveField(cell);
}

int FieldTracking::fieldWithFocus() const
{
    const QWidget *focused = m_list.window()->focusWidget();
    for (auto it = TxtBoxes.cbegin(); it != TxtBoxes.cend(); ++it) {
        if (focused && (it.value() == focused || it.value()->isAncestorOf(focused)))
            return it.key();
    }
    return -1;
}

void FieldTracking::holdNewRowProposal()
{
    for (auto it = TxtBoxes.cbegin(); it != TxtBoxes.cend(); ++it)
        m_newRowProposal[it.key()] = text(it.key());
}

bool FieldTracking::hasPendingEdit() const
{
    if (preparingNewRow()) {
        for (auto it = TxtBoxes.cbegin(); it != TxtBoxes.cend(); ++it) {
            if (text(it.key()) != m_newRowProposal.value(it.key()))
                return true;
        }
        return false;
    }
    // Without a row to go to, leaving the field writes nothing either.
    const int cell = fieldWithFocus();
    return cell >= 0 && CurItem >= 0 && CurItem < m_list.count() && text(cell) != TxtBoxesOld.value(cell);
}

bool FieldTracking::hasUnsavedWork() const
{
    return hasUnsavedRows(m_list.items()) || hasPendingEdit();
}

void FieldTracking::leaveField(int cell)
{
    m_leftWithWindow = -1;
    if (!preparingNewRow())
        TxtBoxesChange(cell);
}

bool FieldTracking::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::FocusIn && type != QEvent::FocusOut && type != QEvent::MouseButtonPress)
        return false;
    const bool isField = watched->property("trackedCell").isValid() && TxtBoxes.values().contains(watched);
    const int leftPending = m_leftWithWindow;
    if (m_leftWithWindow >= 0 && type != QEvent::FocusOut && watched->isWidgetType()) {
        // Back in the window after another one had the focus. A press or the
        // focus landing elsewhere leaves the field, before the press acts: an
        // inactive window moves its focus without telling the field.
        auto *widget = static_cast<QWidget *>(watched);
        if (widget->window() == m_list.window()) {
            if (widget == TxtBoxes.value(m_leftWithWindow))
                m_leftWithWindow = -1;
            else
                leaveField(m_leftWithWindow);
        }
    }
    if (!isField || type == QEvent::MouseButtonPress)
        return false;
    const int cell = watched->property("trackedCell").toInt();
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason && type == QEvent::FocusOut)
        m_leftWithWindow = cell;
    // A window that gets the focus back starts a fresh visit of the field,
    // unless the field was left with an edit pending when the window lost it.
    const bool freshVisit = movesWithinWindow(event) || (reason == Qt::ActiveWindowFocusReason && leftPending != cell);
    if (type == QEvent::FocusIn && freshVisit)
        TxtBoxesOld[cell] = text(cell);
    else if (type == QEvent::FocusOut && movesWithinWindow(event))
        leaveField(cell);
    return false;
}
