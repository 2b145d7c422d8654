#pragma once

#include "platform/database/SqlStatement.h"

#include <QString>
#include <QVariant>

// Every statement the program sends to the catalogue. Figure numbers go in
// as text values, group, point and label numbers as keys, so a number finds
// exactly the record it names.
namespace CatalogueStatements {

SqlStatement figuresOfType(const QString &typeLetter);
SqlStatement deleteFigure(const QString &figureNumber);
SqlStatement figureByNumber(const QString &figureNumber);
// Every figure's number and thumbnail name, of both types.
SqlStatement allFigureNumbersAndThumbnails();
// The figure numbers that points or labels are kept under.
SqlStatement figuresWithPoints();
SqlStatement figuresWithLabels();

SqlStatement groupsInOrder();
SqlStatement deleteGroup(const QVariant &group);
SqlStatement groupNameOf(const QVariant &group);
SqlStatement groupByNumber(const QVariant &group);
SqlStatement figuresInGroup(const QVariant &group);

// A figure's points and labels follow it when it is renumbered or deleted.
SqlStatement movePointsOfFigure(const QString &fromNumber, const QString &toNumber);
SqlStatement deletePointsOfFigure(const QString &figureNumber);
SqlStatement moveLabelsOfFigure(const QString &fromNumber, const QString &toNumber);
SqlStatement deleteLabelsOfFigure(const QString &figureNumber);

SqlStatement pointsOfFigure(const QString &figureNumber);
SqlStatement pointOfFigure(const QString &figureNumber, const QVariant &point);
SqlStatement pointNumbersOfFigure(const QString &figureNumber);
SqlStatement deletePoint(const QString &figureNumber, const QVariant &point);

SqlStatement labelsOfFigure(const QString &figureNumber);
SqlStatement labelNumbersOfFigure(const QString &figureNumber);
SqlStatement deleteLabel(const QString &figureNumber, const QVariant &label);
SqlStatement labelOfFigure(const QString &figureNumber, const QVariant &label);

} // namespace CatalogueStatements
