#pragma once

#include <QString>

// Every statement the program sends to the catalogue. Texts are joined in
// through sqlQuoted(), numbers in their shortest decimal form.
namespace CatalogueStatements {

QString figuresOfType(const QString &typeLetter);
QString deleteFigure(const QString &figureNumber);
QString figureByNumber(const QString &figureNumber);

} // namespace CatalogueStatements
