#include "ui/catalogue/FigurePanel.h"

#include "platform/listview/ListView.h"
#include "ui/catalogue/FigureColumns.h"
#include "ui/common/ControlText.h"

void FigurePanel::showRow(const ListView &list, int row, bool cartesian) const
{
    for (const Field &field : m_fields) {
        if (cartesian || !FigureColumns::isCartesianOnly(field.cell))
            setControlText(field.control, list.cell(row, field.cell));
    }
}

void FigurePanel::writeRow(ListView &list, int row, bool cartesian) const
{
    for (const Field &field : m_fields) {
        if (cartesian || !FigureColumns::isCartesianOnly(field.cell))
            list.setCell(row, field.cell, controlText(field.control));
    }
}

QStringList FigurePanel::texts() const
{
    QStringList shown;
    for (const Field &field : m_fields)
        shown << controlText(field.control);
    return shown;
}

void FigurePanel::setTexts(const QStringList &texts) const
{
    for (int i = 0; i < m_fields.size() && i < texts.size(); ++i)
        setControlText(m_fields[i].control, texts[i]);
}

bool FigurePanel::differsFrom(const QStringList &texts, bool cartesian) const
{
    for (int i = 0; i < m_fields.size(); ++i) {
        const Field &field = m_fields[i];
        if ((cartesian || !FigureColumns::isCartesianOnly(field.cell)) && controlText(field.control) != texts.value(i))
            return true;
    }
    return false;
}
