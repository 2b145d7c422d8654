#include "app/CatalogueStatements.h"

using namespace Qt::StringLiterals;

namespace CatalogueStatements {

SqlStatement figuresOfType(const QString &typeLetter)
{
    return SqlStatement::select(u"*"_s, u"picMain"_s).fixed(u" where LB = "_s).text(typeLetter).fixed(u" order by figName"_s);
}

SqlStatement deleteFigure(const QString &figureNumber)
{
    return SqlStatement(u"DELETE from picMain where th= "_s).text(figureNumber);
}

SqlStatement figureByNumber(const QString &figureNumber)
{
    return SqlStatement::select(u"*"_s, u"picMain"_s).fixed(u" where th= "_s).text(figureNumber);
}

SqlStatement allFigureNumbersAndThumbnails()
{
    return SqlStatement::select(u"th,figName"_s, u"picMain"_s);
}

SqlStatement figuresWithPoints()
{
    return SqlStatement::select(u"th"_s, u"pData"_s);
}

SqlStatement figuresWithLabels()
{
    return SqlStatement::select(u"th"_s, u"picLable"_s);
}

SqlStatement groupsInOrder()
{
    return SqlStatement::select(u"grp,grpName"_s, u"picType"_s).fixed(u" order by grp"_s);
}

SqlStatement deleteGroup(const QVariant &group)
{
    return SqlStatement(u"DELETE from picType where grp = "_s).key(group);
}

SqlStatement groupNameOf(const QVariant &group)
{
    return SqlStatement::select(u"grpName"_s, u"picType"_s).fixed(u" where grp = "_s).key(group);
}

SqlStatement groupByNumber(const QVariant &group)
{
    return SqlStatement::select(u"*"_s, u"picType"_s).fixed(u" where grp = "_s).key(group);
}

SqlStatement movePointsOfFigure(const QString &fromNumber, const QString &toNumber)
{
    return SqlStatement(u"UPDATE pData set th= "_s).text(toNumber).fixed(u" where th= "_s).text(fromNumber);
}

SqlStatement deletePointsOfFigure(const QString &figureNumber)
{
    return SqlStatement(u"DELETE from pData where th= "_s).text(figureNumber);
}

SqlStatement moveLabelsOfFigure(const QString &fromNumber, const QString &toNumber)
{
    return SqlStatement(u"UPDATE picLable set th= "_s).text(toNumber).fixed(u" where th= "_s).text(fromNumber);
}

SqlStatement deleteLabelsOfFigure(const QString &figureNumber)
{
    return SqlStatement(u"DELETE from picLable where th= "_s).text(figureNumber);
}

SqlStatement figuresInGroup(const QVariant &group)
{
    return SqlStatement::select(u"th"_s, u"picMain"_s).fixed(u" where grp = "_s).key(group);
}

SqlStatement pointsOfFigure(const QString &figureNumber)
{
    return SqlStatement::select(u"*"_s, u"pData"_s).fixed(u" where Th = "_s).text(figureNumber).fixed(u" order by ID"_s);
}

SqlStatement pointOfFigure(const QString &figureNumber, const QVariant &point)
{
    return SqlStatement::select(u"*"_s, u"pData"_s).fixed(u" where th= "_s).text(figureNumber).fixed(u" and ID="_s).key(point);
}

SqlStatement deletePoint(const QString &figureNumber, const QVariant &point)
{
    return SqlStatement(u"DELETE from pData where th= "_s).text(figureNumber).fixed(u" and ID="_s).key(point);
}

SqlStatement pointNumbersOfFigure(const QString &figureNumber)
{
    return SqlStatement::select(u"ID"_s, u"pData"_s).fixed(u" where th= "_s).text(figureNumber).fixed(u" order by ID"_s);
}

SqlStatement labelsOfFigure(const QString &figureNumber)
{
    return SqlStatement::select(u"*"_s, u"picLable"_s).fixed(u" where Th = "_s).text(figureNumber).fixed(u" order by ID"_s);
}

SqlStatement labelNumbersOfFigure(const QString &figureNumber)
{
    return SqlStatement::select(u"ID"_s, u"picLable"_s).fixed(u" where th= "_s).text(figureNumber);
}

SqlStatement deleteLabel(const QString &figureNumber, const QVariant &label)
{
    return SqlStatement(u"DELETE from picLable where th= "_s).text(figureNumber).fixed(u" and ID="_s).key(label);
}

SqlStatement labelOfFigure(const QString &figureNumber, const QVariant &label)
{
    return SqlStatement::select(u"*"_s, u"picLable"_s).fixed(u" where th= "_s).text(figureNumber).fixed(u" and ID="_s).key(label);
}

} // namespace CatalogueStatements
