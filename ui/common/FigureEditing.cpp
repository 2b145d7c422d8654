#include "ui/common/FigureEditing.h"

#include "app/mQuillar.h"

#include <QWidget>

QString openFigureForEditing(QWidget &window, const QString &captionHead)
{
    if (gFigNo.isEmpty())
        gFigNo = QStringLiteral("B001");
    const QString figure = gFigNo;
    window.setWindowTitle(captionHead + figure + QStringLiteral("    "));
    // The list then opens empty; without a word the user would take it for a figure without records.
    const QString failure = OpenDatabase();
    if (!failure.isEmpty())
        ReportOpenFailure(failure, &window);
    return figure;
}
