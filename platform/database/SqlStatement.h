#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

// A statement as the program builds it, piece by piece: fixed text and the
// values between. Two texts are made from the same pieces: the prepared one
// SQLite runs, with a ? for each value, bound by its type; and the one a
// person reads (gSql, the details of an error), with each value written in as
// a literal. Neither is ever taken apart again.
class SqlStatement
{
public:
    SqlStatement() = default;
    // A statement without values, run and shown as it stands.
    explicit SqlStatement(const QString &fixed);
    // "select <fields> from <table>", its condition and order to follow. Only
    // a select built so can open a record set: it names its table and fields.
    static SqlStatement select(const QString &fields, const QString &table);

    // Fixed text, such as " where th= ".
    SqlStatement &fixed(const QString &sql);
    // A text value: bound as text, shown between single quotes with quotes
    // inside doubled, so a figure number such as O'Hara's finds only its own.
    SqlStatement &text(const QString &value);
    // A key as it was read: a whole number is bound as an integer, another
    // number as a real (shown in its shortest form that reads back as the same
    // number), anything else as text; a number that is no number (infinite,
    // NaN) as NULL, which matches nothing.
    SqlStatement &key(const QVariant &value);

    QString shown() const;
    QString prepared() const;
    // A select's prepared text with `fields` put in front of its own fields.
    QString preparedWithFieldsInFront(QStringView fields) const;
    const QVariantList &values() const { return m_values; }

    bool isSelect() const { return !m_table.isEmpty(); }
    const QString &table() const { return m_table; }
    const QString &fields() const { return m_fields; }
    // "select <fields> from <table>": every select with this head gives
    // results of the same fields.
    QString head() const;
    // The same select with another field list in front of it.
    SqlStatement withFields(const QString &fields) const;

private:
    QString preparedText(QStringView fieldsInFront) const;

    QString m_fields, m_table; // a select's; empty for any other statement
    QStringList m_pieces;      // fixed text; a value stands between each two
    QVariantList m_values;
};
