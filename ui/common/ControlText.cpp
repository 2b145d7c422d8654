#include "ui/common/ControlText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

QString controlText(const QWidget *control)
{
    if (const auto *box = qobject_cast<const QCheckBox *>(control))
        return box->checkState() == Qt::Unchecked ? QStringLiteral("False") : QStringLiteral("True");
    if (const auto *combo = qobject_cast<const QComboBox *>(control))
        return combo->currentText();
    if (const auto *edit = qobject_cast<const QLineEdit *>(control))
        return edit->text();
    if (const auto *memo = qobject_cast<const QPlainTextEdit *>(control))
        return memo->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return QString();
}

void setControlText(QWidget *control, const QString &text)
{
    if (auto *box = qobject_cast<QCheckBox *>(control)) {
        box->setChecked(text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0);
    } else if (auto *combo = qobject_cast<QComboBox *>(control)) {
        combo->setCurrentText(text);
    } else if (auto *edit = qobject_cast<QLineEdit *>(control)) {
        edit->setText(text);
    } else if (auto *memo = qobject_cast<QPlainTextEdit *>(control)) {
        QString lines = text;
        lines.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        memo->setPlainText(lines);
    }
}
