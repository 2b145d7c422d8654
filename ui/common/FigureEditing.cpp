#include "ui/common/FigureEditing.h"

#include "app/mQuillar.h"

QString figureToEdit()
{
    if (gFigNo.isEmpty())
        gFigNo = QStringLiteral("B001");
    return gFigNo;
}
