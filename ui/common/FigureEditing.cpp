#include "ui/common/FigureEditing.h"

#include "app/CatalogueStatements.h"
#include "app/mQuillar.h"
#include "platform/database/DbError.h"
#include "platform/database/Recordset.h"

#include <QWidget>

namespace {

bool isCatalogued(const QString &number)
{
    Recordset figure;
    figure.open(CatalogueStatements::figureByNumber(number), gConn);
    return figure.recordCount() > 0;
}

} // namespace

QString handedOverFigure()
{
    return gFigNo.isEmpty() ? QStringLiteral("B001") : gFigNo;
}

void captionEditor(QWidget &window, const QString &captionHead, const QString &figure)
{
    window.setWindowTitle(captionHead + figure + QStringLiteral("    "));
}

EditedFigure openFigureForEditing(QWidget &window, const QString &captionHead)
{
    gFigNo = handedOverFigure();
    EditedFigure figure{gFigNo};
    captionEditor(window, captionHead, figure.number);
    // The list then opens empty; without a word the user would take it for a figure without records.
    const QString failure = OpenDatabase();
    if (!failure.isEmpty()) {
        ReportOpenFailure(failure, &window);
        return figure;
    }
    try {
        figure.catalogued = isCatalogued(figure.number);
    } catch (const DbError &) {
        // Unknown: the editor saves as for a figure not yet in the catalogue.
    }
    return figure;
}

void requireFigureStillThere(const EditedFigure &figure)
{
    if (figure.catalogued && !isCatalogued(figure.number))
        throw DbError(QStringLiteral("图版 %1 已被删除或改号").arg(figure.number));
}
