#include "app/CatalogueStatements.h"

#include "platform/database/SqlText.h"

namespace CatalogueStatements {

QString figuresOfType(const QString &typeLetter)
{
    return QStringLiteral("select * from picMain where LB = %1 order by figName").arg(sqlQuoted(typeLetter));
}

QString deleteFigure(const QString &figureNumber)
{
    return QStringLiteral("DELETE from picMain where th= %1").arg(sqlQuoted(figureNumber));
}

QString figureByNumber(const QString &figureNumber)
{
    return QStringLiteral("select * from picMain where th= %1").arg(sqlQuoted(figureNumber));
}

} // namespace CatalogueStatements
