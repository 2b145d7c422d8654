#pragma once

#include <QString>

// A text value as an SQL literal: between single quotes, quotes inside doubled,
// so a figure number such as O'Hara's touches no record but its own.
QString sqlQuoted(const QString &text);
