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
