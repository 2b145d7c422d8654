#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <vector>

// One table of an Access file as read, ready to be written into SQLite.
// Values: QString for texts (an empty text is a non-null empty string),
// double for reals, qlonglong for whole numbers and Yes/No (1 or 0),
// QByteArray for binary data, an invalid QVariant for NULL.
struct AccessColumn
{
    QString name;
    QString sqlType;    // the SQLite declared type that keeps the column's kind
    QString accessType; // "Text(10)", "Double", "Yes/No": for messages
};

struct AccessTable
{
    QString name;
    QVector<AccessColumn> columns;
    QStringList primaryKey;
    std::vector<QVector<QVariant>> rows;
};
