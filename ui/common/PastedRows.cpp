#include "ui/common/PastedRows.h"

#include "ui/common/NumberText.h"
#include "ui/common/PastedTable.h"

#include <QLocale>
#include <cmath>
#include <optional>

namespace {

std::optional<double> numberIn(const QString &cell)
{
    static const QLocale c = [] {
        QLocale locale = QLocale::c();
        locale.setNumberOptions(QLocale::RejectGroupSeparator);
        return locale;
    }();
    bool ok = false;
    const double value = c.toDouble(cell.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool hasLineBreak(const QString &cell)
{
    return cell.contains(QLatin1Char('\n')) || cell.contains(QLatin1Char('\r'));
}

bool isNumberColumn(const PastedColumn &column)
{
    return column.kind == PastedCell::Number || column.kind == PastedCell::WholeNumber;
}

// The cell as its list cell takes it, or nothing with `fault` saying why not.
std::optional<QString> listCellText(const QString &cell, PastedCell kind, QString &fault)
{
    if (kind == PastedCell::Skipped)
        return cell;
    if (kind == PastedCell::Text) {
        // Line breaks as a typed label stores them, whatever the clipboard held.
        QString text = cell;
        return text.replace(QLatin1String("\r\n"), QLatin1String("\n"))
            .replace(QLatin1Char('\r'), QLatin1Char('\n'))
            .replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    }
    if (hasLineBreak(cell)) {
        fault = QStringLiteral("含有换行");
        return std::nullopt;
    }
    switch (kind) {
    case PastedCell::Number:
        if (numberIn(cell))
            return cell.trimmed();
        fault = QStringLiteral("不是数值");
        return std::nullopt;
    case PastedCell::WholeNumber:
        if (const auto value = numberIn(cell); value && *value == std::trunc(*value))
            return numberText(*value);
        fault = QStringLiteral("不是整数");
        return std::nullopt;
    case PastedCell::Flag: {
        const QString flag = cell.trimmed();
        if (flag.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return QStringLiteral("True");
        if (flag.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return QStringLiteral("False");
        if (const auto value = numberIn(flag))
            return *value != 0 ? QStringLiteral("True") : QStringLiteral("False");
        fault = QStringLiteral("不是 True 或 False");
        return std::nullopt;
    }
    default:
        return cell;
    }
}

const PastedForm *formWith(const QList<PastedForm> &forms, qsizetype columns)
{
    for (const PastedForm &form : forms) {
        if (form.columns.size() == columns)
            return &form;
    }
    return nullptr;
}

// "2 列（X-值、Y-值）或 6 列（点号、…）"
QString formsText(const QList<PastedForm> &forms)
{
    QStringList shapes;
    for (const PastedForm &form : forms) {
        QStringList captions;
        for (const PastedColumn &column : form.columns)
            captions << column.caption;
        shapes << QStringLiteral("%1 列（%2）").arg(form.columns.size()).arg(captions.join(QStringLiteral("、")));
    }
    return shapes.join(QStringLiteral("或 "));
}

bool isHeader(const QStringList &line, const PastedForm &form)
{
    bool hasNumberColumn = false;
    for (qsizetype i = 0; i < form.columns.size(); ++i) {
        if (!isNumberColumn(form.columns[i]))
            continue;
        hasNumberColumn = true;
        if (numberIn(line[i]))
            return false;
    }
    return hasNumberColumn;
}

PastedRows refused(const QString &why)
{
    return {{}, QStringLiteral("没有粘贴任何行：") + why};
}

} // namespace

PastedRows readPastedRows(const QString &text, const QList<PastedForm> &forms, int cellCount)
{
    const QList<QStringList> lines = readPastedTable(text);
    if (lines.isEmpty())
        return {};
    const PastedForm *form = formWith(forms, lines.first().size());
    if (!form)
        return refused(QStringLiteral("第 1 行有 %1 列，能粘贴的表格有 %2").arg(lines.first().size()).arg(formsText(forms)));
    const qsizetype first = isHeader(lines.first(), *form) ? 1 : 0;
    if (lines.size() - first > kMostPastedRows)
        return refused(QStringLiteral("一次最多粘贴 %1 行，表格从第 %2 行起超出")
                           .arg(kMostPastedRows).arg(first + kMostPastedRows + 1));

    PastedRows pasted;
    pasted.rows.reserve(lines.size() - first);
    for (qsizetype l = first; l < lines.size(); ++l) {
        const QStringList &line = lines[l];
        const qsizetype lineNumber = l + 1;
        if (line.isEmpty())
            return refused(QStringLiteral("第 %1 行是空行").arg(lineNumber));
        if (line.size() != form->columns.size())
            return refused(QStringLiteral("第 %1 行有 %2 列，第 1 行有 %3 列")
                               .arg(lineNumber).arg(line.size()).arg(form->columns.size()));
        QStringList cells(cellCount);
        for (auto it = form->otherCells.cbegin(); it != form->otherCells.cend(); ++it)
            cells[it.key() - 1] = it.value();
        for (qsizetype i = 0; i < line.size(); ++i) {
            const PastedColumn &column = form->columns[i];
            QString fault;
            const std::optional<QString> cell = listCellText(line[i], column.kind, fault);
            if (!cell)
                return refused(QStringLiteral("第 %1 行“%2”一列的“%3”%4")
                                   .arg(lineNumber).arg(column.caption, line[i], fault));
            if (column.kind != PastedCell::Skipped)
                cells[column.listCell - 1] = *cell;
        }
        pasted.rows << std::move(cells);
    }
    return pasted;
}
