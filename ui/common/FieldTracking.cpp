#include "ui/common/FieldTracking.h"

#include "platform/listview/ListView.h"
#include "ui/common/ControlText.h"
#include "ui/common/RowEditing.h"

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

FieldTracking::FieldTracking(ListView &list, QObject *parent) : QObject(parent), m_list(list) {}

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

void FieldTracking::TxtBoxesChange(int cell)
{
    const QString now = text(cell);
    if (TxtBoxesOld.value(cell) == now)
        return;
    TxtBoxesOld[cell] = now;
    if (CurItem < 0 || CurItem >= m_list.count())
        return;
    m_list.setCell(CurItem, cell, now);
    markRowChanged(m_list, CurItem);
}

bool FieldTracking::eventFilter(QObject *watched, QEvent *event)
{
    if ((event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) && movesWithinWindow(event)) {
        const int cell = watched->property("trackedCell").toInt();
        if (event->type() == QEvent::FocusIn)
            TxtBoxesOld[cell] = text(cell);
        else if (!(isPreparingNewRow && isPreparingNewRow()))
            TxtBoxesChange(cell);
    }
    return QObject::eventFilter(watched, event);
}
