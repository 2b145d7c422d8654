#pragma once

#include <QSet>
#include <QString>
#include <functional>

// The number proposed for a new figure after `lastNumber`: its first
// character, then the numeric value of its last three characters plus one,
// padded to three digits (A012 gives A013, B999 gives B1000, AB gives A001).
// Characters between the first and the last three are dropped (A1234 gives A235).
QString nextFigureNumber(const QString &lastNumber);

// The thumbnail name belonging to a figure number: B013 gives BP013.
QString thumbnailNameFor(const QString &figureNumber);

// Figure numbers and thumbnail names already taken, wherever they are kept.
struct TakenFigureNames
{
    QSet<QString> numbers;
    QSet<QString> thumbnails;
    std::function<bool(const QString &thumbnail)> thumbnailFileExists;
};

struct FigureProposal
{
    QString number;
    QString thumbnail;
};

// What "新建" proposes: `proposal` and its thumbnail name when both are free;
// otherwise `typeLetter` followed by the counter after the largest one in use
// for that letter (at least three digits), counting on while that number or
// its thumbnail name is taken.
FigureProposal freeFigureProposal(const QString &proposal, const QString &typeLetter, const TakenFigureNames &taken);
