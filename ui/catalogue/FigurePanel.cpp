#include "ui/catalogue/FigurePanel.h"

#include "platform/listview/ListView.h"
#include "ui/catalogue/FigureColumns.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

QString FigurePanel::controlText(const QWidget *control)
{
    if (const auto *box = qobject_cast<const QCheckBox *>(control))
        return box->checkState() == Qt::Unchecked ? QStringLiteral("False") : QStringLiteral("True");
    if (const auto *combo = qobject_cast<const QComboBox *>(control))
        return combo->currentText();
    if (const auto *edit = qobject_cast<const QLineEdit *>(control))
        return edit->text();
    if (const auto *memo = qobject_cast<const QPlainTextEdit *>(control))
        return memo->toPlainText();
    return QString();
}

void FigurePanel::setControlText(QWidget *control, const QString &text)
{
    if (auto *box = qobject_cast<QCheckBox *>(control))
        box->setChecked(text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0);
    else if (auto *combo = qobject_cast<QComboBox *>(control))
        combo->setCurrentText(text);
    else if (auto *edit = qobject_cast<QLineEdit *>(control))
        edit->setText(text);
    else if (auto *memo = qobject_cast<QPlainTextEdit *>(control))
        memo->setPlainText(text);
}

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
