#include "ui/common/RowsAsTable.h"

#include "platform/listview/ListModel.h"
#include "ui/common/RowEditing.h"

#include <QStringList>

namespace {

QString tableCell(QString text)
{
    if (!text.contains(QLatin1Char('\t')) && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'))
        && !text.startsWith(QLatin1Char('"')))
        return text;
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString line(const QStringList &cells)
{
    QStringList quoted;
    for (const QString &cell : cells)
        quoted << tableCell(cell);
    return quoted.join(QLatin1Char('\t'));
}

} // namespace

QString rowsAsTable(const ListModel &list, const std::vector<int> &rows)
{
    QStringList captions;
    for (int column = 0; column < list.columnCount(); ++column)
        captions << list.caption(column);
    QString table = line(captions) + QLatin1Char('\n');
    for (int r : rows) {
        QStringList cells{unmarkedText(list.text(r), list.tag(r))};
        for (int cell = 1; cell < list.columnCount(); ++cell)
            cells << list.cell(r, cell);
        table += line(cells) + QLatin1Char('\n');
    }
    return table;
}
