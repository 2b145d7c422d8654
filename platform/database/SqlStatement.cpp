#include "platform/database/SqlStatement.h"

#include <QLocale>
#include <cmath>
#include <cstring>

namespace {

QString quoted(const QString &text)
{
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

// A value as the literal that stands for it in the text a person reads.
QString literal(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::LongLong:
        return QString::number(value.toLongLong());
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QMetaType::QString:
        return quoted(value.toString());
    default:
        return QStringLiteral("NULL");
    }
}

QVariant boundKey(const QVariant &key)
{
    switch (key.typeId()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Short: case QMetaType::UShort:
        return key.toLongLong();
    case QMetaType::Double: case QMetaType::Float: {
        const double d = key.toDouble();
        if (!std::isfinite(d))
            return QVariant();
        if (d == std::trunc(d) && std::fabs(d) < 9.0e15)
            return qlonglong(d);
        return d;
    }
    default:
        return key.toString();
    }
}

} // namespace

SqlStatement::SqlStatement(const QString &fixed) : m_pieces{fixed} {}

SqlStatement SqlStatement::select(const QString &fields, const QString &table)
{
    SqlStatement statement;
    statement.m_fields = fields;
    statement.m_table = table;
    statement.m_pieces.reserve(4); // its condition and a value or two: one allocation
    statement.m_pieces << QString();
    return statement;
}

SqlStatement &SqlStatement::fixed(const QString &sql)
{
    if (m_pieces.isEmpty())
        m_pieces << sql;
    else
        m_pieces.last() += sql;
    return *this;
}

SqlStatement &SqlStatement::text(const QString &value)
{
    if (m_pieces.isEmpty())
        m_pieces << QString();
    m_values << value;
    m_pieces << QString();
    return *this;
}

SqlStatement &SqlStatement::key(const QVariant &value)
{
    if (m_pieces.isEmpty())
        m_pieces << QString();
    m_values << boundKey(value);
    m_pieces << QString();
    return *this;
}

QString SqlStatement::head() const
{
    return isSelect() ? QStringLiteral("select ") + m_fields + QStringLiteral(" from ") + m_table : QString();
}

QString SqlStatement::shown() const
{
    QString sql = head();
    for (qsizetype i = 0; i < m_pieces.size(); ++i) {
        if (i > 0)
            sql += literal(m_values[i - 1]);
        sql += m_pieces[i];
    }
    return sql;
}

QString SqlStatement::prepared() const
{
    if (!isSelect() && m_pieces.size() == 1)
        return m_pieces.front(); // a statement without values is its own text
    return preparedText({});
}

QString SqlStatement::preparedWithFieldsInFront(QStringView fields) const
{
    return preparedText(fields);
}

// Built in one piece: a save builds one for every row it writes.
QString SqlStatement::preparedText(QStringView fieldsInFront) const
{
    constexpr QStringView select = u"select ", from = u" from ", mark = u"?";
    qsizetype size = m_pieces.isEmpty() ? 0 : m_pieces.size() - 1; // a ? between each two pieces
    for (const QString &piece : m_pieces)
        size += piece.size();
    if (isSelect())
        size += select.size() + fieldsInFront.size() + m_fields.size() + from.size() + m_table.size();
    QString sql(size, Qt::Uninitialized);
    QChar *out = sql.data();
    const auto put = [&out](QStringView text) {
        if (text.isEmpty())
            return;
        std::memcpy(out, text.data(), size_t(text.size()) * sizeof(QChar));
        out += text.size();
    };
    if (isSelect()) {
        put(select);
        put(fieldsInFront);
        put(m_fields);
        put(from);
        put(m_table);
    }
    for (qsizetype i = 0; i < m_pieces.size(); ++i) {
        if (i > 0)
            put(mark);
        put(m_pieces[i]);
    }
    return sql;
}

SqlStatement SqlStatement::withFields(const QString &fields) const
{
    SqlStatement narrowed = *this;
    narrowed.m_fields = fields;
    return narrowed;
}
