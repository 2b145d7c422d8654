#pragma once

#include <QVariant>

// How SQLite stores a value the program hands it: whole numbers and booleans
// as integers, numbers with a fraction as reals, bytes as a blob, NULL as
// NULL, anything else as its text.
enum class StorageClass { Null, Integer, Real, Text, Blob };

inline StorageClass storageClassOf(const QVariant &value)
{
    if (value.isNull())
        return StorageClass::Null;
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::UChar:
        return StorageClass::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return StorageClass::Real;
    case QMetaType::QByteArray:
        return StorageClass::Blob;
    default:
        return StorageClass::Text;
    }
}
