#include "platform/database/SqlText.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

QString sqlQuoted(const QString &text)
{
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

QString sqlKey(const QVariant &key)
{
    switch (key.typeId()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Short: case QMetaType::UShort:
        return key.toString();
    case QMetaType::Double: case QMetaType::Float: {
        const double d = key.toDouble();
        if (!std::isfinite(d))
            return QStringLiteral("NULL"); // matches nothing
        if (d == std::trunc(d) && std::fabs(d) < 9.0e15)
            return QString::number(static_cast<qlonglong>(d));
        return QString::number(d, 'g', QLocale::FloatingPointShortest);
    }
    default:
        return sqlQuoted(key.toString());
    }
}

QString selectHead(const QString &sql)
{
    static const QRegularExpression re(QStringLiteral("^\\s*select\\s.+?\\sfrom\\s+([A-Za-z_][A-Za-z0-9_]*)"),
                                       QRegularExpression::CaseInsensitiveOption
                                           | QRegularExpression::DotMatchesEverythingOption);
    const auto m = re.match(sql);
    return m.hasMatch() ? sql.left(m.capturedEnd(1)) : QString();
}

QString tableOfSelectHead(const QString &head)
{
    static const QRegularExpression blank(QStringLiteral("\\s"));
    return head.mid(head.lastIndexOf(blank) + 1);
}
