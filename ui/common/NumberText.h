#pragma once

#include <QString>
#include <QVariant>
#include <optional>

// The number at the start of a text: blanks, tabs and line feeds skipped,
// optional sign, digits, period as decimal point, optional exponent; 0 when
// the text does not start with a number. Reads a row's number back from its
// marked text: 12*, 12# and 12★ all give 12.
double leadingNumber(const QString &text);

// A number in its shortest decimal form, at most 15 significant digits, no
// leading blank: 7 gives "7", 7.5 gives "7.5".
QString numberText(double value);

// A stored value as a number: nothing for NULL or a value that is no number.
std::optional<double> storedNumber(const QVariant &value);
