#pragma once

#include "platform/database/StorageClass.h"

#include <QString>
#include <QVariant>

// How a catalogue column converts values, decided by its declared type the way
// the host database does it: numbers must be numbers, booleans take True/False
// or a number, text is taken as it is.
enum class ColumnKind { Integer, Real, Boolean, Text, Untyped };

ColumnKind columnKindOf(const QString &declaredType);

// The value to store for `value` in a column of `kind`; throws DbError naming
// `column` when the column cannot take it.
QVariant toStoredValue(ColumnKind kind, const QVariant &value, const QString &column);

// A value as a column stores it, for writers that bind it by its type.
struct StoredValue
{
    StorageClass storage = StorageClass::Null;
    qint64 integer = 0;
    double real = 0;
    QString text;
};
// What toStoredValue() makes of a text and of a number, without a QVariant.
StoredValue storedValueOfText(ColumnKind kind, const QString &text, const QString &column);
StoredValue storedValueOfNumber(ColumnKind kind, double number, const QString &column);

// The value as the program sees it: booleans as bool, numbers as numbers,
// NULL stays NULL.
QVariant toReadValue(ColumnKind kind, const QVariant &stored);

// The standard value-to-text conversion: "True"/"False", numbers in their
// general decimal form (0.1, 100, -2.5), text as stored, NULL as empty text.
QString valueText(const QVariant &value);

// valueText() of an integer and of a real, for readers that hold no QVariant.
QString integerValueText(qlonglong n);
QString realValueText(double d);
