#pragma once

#include <QString>
#include <QVariant>

// Every statement the program sends to the catalogue. Figure numbers are
// joined in through sqlQuoted(), group, point and label numbers through
// sqlKey(), so a number finds exactly the record it names.
namespace CatalogueStatements {

QString figuresOfType(const QString &typeLetter);
QString deleteFigure(const QString &figureNumber);
QString figureByNumber(const QString &figureNumber);
// Every figure's number and thumbnail name, of both types.
QString allFigureNumbersAndThumbnails();
// The figure numbers that points or labels are kept under.
QString figuresWithPoints();
QString figuresWithLabels();

QString groupsInOrder();
QString deleteGroup(const QVariant &group);
QString groupNameOf(const QVariant &group);
QString groupByNumber(const QVariant &group);
QString figuresInGroup(const QVariant &group);

// A figure's points and labels follow it when it is renumbered or deleted.
QString movePointsOfFigure(const QString &fromNumber, const QString &toNumber);
QString deletePointsOfFigure(const QString &figureNumber);
QString moveLabelsOfFigure(const QString &fromNumber, const QString &toNumber);
QString deleteLabelsOfFigure(const QString &figureNumber);

QString pointsOfFigure(const QString &figureNumber);
QString pointOfFigure(const QString &figureNumber, const QVariant &point);
QString pointNumbersOfFigure(const QString &figureNumber);

QString labelsOfFigure(const QString &figureNumber);
QString deleteLabel(const QString &figureNumber, const QVariant &label);
QString labelOfFigure(const QString &figureNumber, const QVariant &label);

} // namespace CatalogueStatements
