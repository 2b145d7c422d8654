#include "ui/common/FigureEditing.h"

#include "app/mQuillar.h"

#include <QWidget>

QString openFigureForEditing(QWidget &window, const QString &captionHead)
{
    if (gFigNo.isEmpty())
        gFigNo = QStringLiteral("B001");
    const QString figure = gFigNo;
    window.setWindowTitle(captionHead + figure + QStringLiteral("    "));
    OpenDatabase();
    return figure;
}
