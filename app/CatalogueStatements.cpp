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

QString allFigureNumbersAndThumbnails()
{
    return QStringLiteral("select th,figName from picMain");
}

QString figuresWithPoints()
{
    return QStringLiteral("select th from pData");
}

QString figuresWithLabels()
{
    return QStringLiteral("select th from picLable");
}

QString groupsInOrder()
{
    return QStringLiteral("select grp,grpName from picType order by grp");
}

QString deleteGroup(const QVariant &group)
{
    return QStringLiteral("DELETE from picType where grp = ") + sqlKey(group);
}

QString groupNameOf(const QVariant &group)
{
    return QStringLiteral("select grpName from picType where grp = ") + sqlKey(group);
}

QString groupByNumber(const QVariant &group)
{
    return QStringLiteral("select * from picType where grp = ") + sqlKey(group);
}

QString movePointsOfFigure(const QString &fromNumber, const QString &toNumber)
{
    return QStringLiteral("UPDATE pData set th= %1 where th= %2").arg(sqlQuoted(toNumber), sqlQuoted(fromNumber));
}

QString deletePointsOfFigure(const QString &figureNumber)
{
    return QStringLiteral("DELETE from pData where th= %1").arg(sqlQuoted(figureNumber));
}

QString moveLabelsOfFigure(const QString &fromNumber, const QString &toNumber)
{
    return QStringLiteral("UPDATE picLable set th= %1 where th= %2").arg(sqlQuoted(toNumber), sqlQuoted(fromNumber));
}

QString deleteLabelsOfFigure(const QString &figureNumber)
{
    return QStringLiteral("DELETE from picLable where th= %1").arg(sqlQuoted(figureNumber));
}

QString figuresInGroup(const QVariant &group)
{
    return QStringLiteral("select th from picMain where grp = ") + sqlKey(group);
}

QString pointsOfFigure(const QString &figureNumber)
{
    return QStringLiteral("select * from pData where Th = %1 order by ID").arg(sqlQuoted(figureNumber));
}

QString pointOfFigure(const QString &figureNumber, const QVariant &point)
{
    return QStringLiteral("select * from pData where th= %1 and ID=").arg(sqlQuoted(figureNumber)) + sqlKey(point);
}

QString pointNumbersOfFigure(const QString &figureNumber)
{
    return QStringLiteral("select ID from pData where th= %1 order by ID").arg(sqlQuoted(figureNumber));
}

QString labelsOfFigure(const QString &figureNumber)
{
    return QStringLiteral("select * from picLable where Th = %1 order by ID").arg(sqlQuoted(figureNumber));
}

QString deleteLabel(const QString &figureNumber, const QVariant &label)
{
    return QStringLiteral("DELETE from picLable where th= %1 and ID=").arg(sqlQuoted(figureNumber)) + sqlKey(label);
}

QString labelOfFigure(const QString &figureNumber, const QVariant &label)
{
    return QStringLiteral("select * from picLable where th= %1 and ID=").arg(sqlQuoted(figureNumber))
           + sqlKey(label);
}

} // namespace CatalogueStatements
