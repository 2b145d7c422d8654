#include "platform/database/StatementForm.h"

namespace {

bool isIdentifierChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

bool isComparison(QChar c)
{
    return c == QLatin1Char('=') || c == QLatin1Char('<') || c == QLatin1Char('>');
}

// The end of the quoted run starting at `at` (one past its closing quote; a
// doubled closing quote stays inside), or -1 when it is not closed.
qsizetype endOfQuoted(const QString &sql, qsizetype at, QChar close)
{
    for (qsizetype i = at + 1; i < sql.size(); ++i) {
        if (sql[i] != close)
            continue;
        if (close != QLatin1Char(']') && i + 1 < sql.size() && sql[i + 1] == close) {
            ++i;
            continue;
        }
        return i + 1;
    }
    return -1;
}

// The end of a plain decimal number at `at` ("5", "-2.5", "1E+20"), or -1
// when what is there is no such number on its own (hex, "5abc", "1.2.3").
qsizetype endOfNumber(const QString &sql, qsizetype at)
{
    qsizetype i = at;
    auto digits = [&] {
        const qsizetype start = i;
        while (i < sql.size() && sql[i].isDigit() && sql[i].unicode() < 128)
            ++i;
        return i > start;
    };
    if (i < sql.size() && sql[i] == QLatin1Char('-'))
        ++i;
    if (!digits())
        return -1;
    if (i < sql.size() && sql[i] == QLatin1Char('.') && (++i, !digits()))
        return -1;
    if (i < sql.size() && (sql[i] == QLatin1Char('e') || sql[i] == QLatin1Char('E'))) {
        ++i;
        if (i < sql.size() && (sql[i] == QLatin1Char('+') || sql[i] == QLatin1Char('-')))
            ++i;
        if (!digits())
            return -1;
    }
    if (i < sql.size() && (isIdentifierChar(sql[i]) || sql[i] == QLatin1Char('.')))
        return -1;
    return i;
}

QVariant numberValue(QStringView token)
{
    bool isInteger = false;
    const qlonglong whole = token.toLongLong(&isInteger); // too big for 64 bits: a real, as SQLite reads it
    return isInteger ? QVariant(whole) : QVariant(token.toDouble());
}

} // namespace

StatementForm statementForm(const QString &sql, qsizetype from)
{
    // Only these take bound values (a pragma, for one, does not).
    static const QStringList kBindable = {QStringLiteral("select"), QStringLiteral("insert"),
                                          QStringLiteral("update"), QStringLiteral("delete")};
    const QString trimmed = sql.trimmed();
    qsizetype letters = 0;
    while (letters < trimmed.size() && trimmed[letters].isLetter())
        ++letters;
    const QString verb = trimmed.left(letters).toLower();
    if (!kBindable.contains(verb))
        return {sql, {}};
    StatementForm form;
    form.sql.reserve(sql.size());
    form.sql += QStringView(sql).left(from);
    QChar last; // the last character outside blanks and literals
    for (qsizetype i = from; i < sql.size();) {
        const QChar c = sql[i];
        const QChar next = i + 1 < sql.size() ? sql[i + 1] : QChar();
        if ((c == QLatin1Char('-') && next == QLatin1Char('-')) || (c == QLatin1Char('/') && next == QLatin1Char('*')))
            return {sql, {}};
        const bool compared = isComparison(last);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('[')) {
            const qsizetype end = endOfQuoted(sql, i, c == QLatin1Char('[') ? QLatin1Char(']') : c);
            if (end < 0)
                return {sql, {}};
            if (c == QLatin1Char('\'') && compared) {
                form.sql += QLatin1Char('?');
                form.values << sql.mid(i + 1, end - i - 2).replace(QLatin1String("''"), QLatin1String("'"));
            } else {
                form.sql += QStringView(sql).mid(i, end - i);
            }
            last = c;
            i = end;
            continue;
        }
        if (compared && (c.isDigit() || c == QLatin1Char('-'))) {
            const qsizetype end = endOfNumber(sql, i);
            if (end > 0) {
                form.sql += QLatin1Char('?');
                form.values << numberValue(QStringView(sql).mid(i, end - i));
                last = QLatin1Char('0');
                i = end;
                continue;
            }
        }
        form.sql += c;
        if (!c.isSpace())
            last = c;
        ++i;
    }
    return form;
}
