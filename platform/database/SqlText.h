#pragma once

#include <QString>
#include <QVariant>

// A text value as an SQL literal: between single quotes, quotes inside doubled,
// so a figure number such as O'Hara's touches no record but its own.
QString sqlQuoted(const QString &text);

// A key value as an SQL literal: a number in its shortest form that reads back
// as the same number (7, 2.5, 0.30000000000000004), so it finds exactly the
// record it was read from; any other stored value as quoted text.
QString sqlKey(const QVariant &key);

// A select up to and including its table name ("select * from picMain"): it
// alone decides the fields of the result. Empty for anything else.
QString selectHead(const QString &sql);

// The table a select head names: "picMain" of "select * from picMain".
QString tableOfSelectHead(const QString &head);
