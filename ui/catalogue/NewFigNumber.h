#pragma once

#include <QString>

// The number proposed for a new figure after `lastNumber`: its first
// character, then the numeric value of its last three characters plus one,
// padded to three digits (A012 gives A013, B999 gives B1000, AB gives A001).
// Characters between the first and the last three are dropped (A1234 gives A235).
QString nextFigureNumber(const QString &lastNumber);

// The thumbnail name belonging to a figure number: B013 gives BP013.
QString thumbnailNameFor(const QString &figureNumber);
