#include "platform/database/ColumnKind.h"

#include "platform/database/DbError.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

ColumnKind columnKindOf(const QString &declaredType)
{
    const QString t = declaredType.toUpper();
    if (t.contains(QLatin1String("BOOL")) || t == QLatin1String("BIT") || t == QLatin1String("YESNO"))
        return ColumnKind::Boolean;
    if (t.contains(QLatin1String("INT")) || t == QLatin1String("COUNTER"))
        return ColumnKind::Integer;
    if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("CLOB")) || t.contains(QLatin1String("TEXT"))
        || t.contains(QLatin1String("MEMO")))
        return ColumnKind::Text;
    if (t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")) || t.contains(QLatin1String("DOUB"))
        || t.contains(QLatin1String("NUM")) || t.contains(QLatin1String("DEC")) || t.contains(QLatin1String("CURRENCY")))
        return ColumnKind::Real;
    return ColumnKind::Untyped;
}

namespace {

bool isNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Double: case QMetaType::Float: case QMetaType::Short: case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

// Text read as a decimal number, blanks trimmed; empty or other text is no number.
std::optional<double> parseNumber(const QString &text)
{
    // Small whole numbers (flags, ticks, groups) fill most numeric cells.
    if (!text.isEmpty() && text.size() <= 15) {
        qint64 whole = 0;
        qsizetype i = 0;
        for (; i < text.size() && text[i].unicode() >= '0' && text[i].unicode() <= '9'; ++i)
            whole = whole * 10 + (text[i].unicode() - '0');
        if (i == text.size())
            return double(whole); // exact: below 2^53
    }
    // Plain ASCII numbers, nearly all a catalogue holds, skip the locale's parser.
    char ascii[32] = {};
    if (text.size() < qsizetype(sizeof ascii)) {
        qsizetype n = 0;
        for (QChar ch : text) {
            if (ch.unicode() > 127)
                break;
            ascii[n++] = char(ch.unicode());
        }
        double d = 0;
        const auto [end, error] = std::from_chars(ascii, ascii + n, d);
        if (n == text.size() && n > 0 && error == std::errc() && end == ascii + n && std::isfinite(d))
            return d;
    }
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double d = c.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(d))
        return std::nullopt;
    return d;
}

std::optional<double> numberOf(const QVariant &value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? -1.0 : 0.0; // the host's true is -1
    if (isNumber(value)) {
        const double d = value.toDouble();
        return std::isfinite(d) ? std::optional<double>(d) : std::nullopt;
    }
    return parseNumber(value.toString());
}

// d in the %.15g layout from its shortest round-trip digits, when there are
// at most 15 of them and d is a normal double.
std::optional<QString> shortGeneralText(double d)
{
    if (!std::isnormal(d)) // a subnormal's shortest digits can be fewer than its 15-digit rounding
        return std::nullopt;
    char scientific[32];
    const auto [end, error] = std::to_chars(scientific, scientific + sizeof scientific, d,
                                            std::chars_format::scientific);
    if (error != std::errc())
        return std::nullopt;
    const char *e = std::find(scientific, end, 'e');
    const bool negative = scientific[0] == '-';
    char digits[20];
    int count = 0;
    for (const char *c = scientific + (negative ? 1 : 0); c != e; ++c) {
        if (*c != '.') {
            if (count == 15)
                return std::nullopt;
            digits[count++] = *c;
        }
    }
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);
    if (exponent < -4 || exponent >= 15)
        return QString::fromLatin1(scientific, end - scientific);
    char text[40];
    int n = 0;
    if (negative)
        text[n++] = '-';
    if (exponent < 0) {
        text[n++] = '0';
        text[n++] = '.';
        for (int z = -1; z > exponent; --z)
            text[n++] = '0';
        for (int i = 0; i < count; ++i)
            text[n++] = digits[i];
    } else {
        for (int i = 0; i <= exponent; ++i)
            text[n++] = i < count ? digits[i] : '0';
        if (count > exponent + 1) {
            text[n++] = '.';
            for (int i = exponent + 1; i < count; ++i)
                text[n++] = digits[i];
        }
    }
    return QString::fromLatin1(text, n);
}

// The number to 15 significant digits, as QString::number(d, 'g', 15) writes
// it. Both round correctly; they differ only on an exact tie at the 16th
// digit, where Qt rounds up. A tie shows as "50" in digits 16 and 17, and
// those rare numbers go through Qt.
QString fifteenDigits(double d)
{
    // Most stored numbers are short (0.1, 2.5): when the shortest text that
    // reads back as d has at most 15 digits, those are its 15-digit rounding
    // too, since 15-digit decimals lie further apart than doubles do. They
    // are then laid out as %.15g does.
    if (const auto text = shortGeneralText(d))
        return *text;
    char digits17[32];
    const auto [end17, error17] = std::to_chars(digits17, digits17 + sizeof digits17, d,
                                                std::chars_format::scientific, 16);
    const char *exponent = std::find(digits17, end17, 'e');
    if (error17 != std::errc() || exponent - digits17 < 3 || (exponent[-2] == '5' && exponent[-1] == '0'))
        return QString::number(d, 'g', 15);
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, d, std::chars_format::general, 15);
    if (error != std::errc())
        return QString::number(d, 'g', 15);
    return QString::fromLatin1(text, end - text);
}

} // namespace

QString integerValueText(qlonglong n)
{
    // Small whole numbers fill most cells of a catalogue (ticks, flags, line
    // types); shared texts spare a list of 100,000 figures a million allocations.
    constexpr int kLowest = -128, kHighest = 1023;
    static const std::vector<QString> small = [] {
        std::vector<QString> texts;
        for (int i = kLowest; i <= kHighest; ++i)
            texts.push_back(QString::number(i));
        return texts;
    }();
    if (n >= kLowest && n <= kHighest)
        return small[size_t(n - kLowest)];
    char text[24];
    const auto end = std::to_chars(text, text + sizeof text, n).ptr;
    return QString::fromLatin1(text, end - text);
}

QString realValueText(double d)
{
    if (d == 0.0)
        return QStringLiteral("0"); // no "-0"
    if (std::fabs(d) < 1e15 && d == std::trunc(d))
        return integerValueText(static_cast<qlonglong>(d));
    QString s = fifteenDigits(d);
    return s.replace(QLatin1Char('e'), QLatin1Char('E'));
}

namespace {

StoredValue integerValue(qint64 n)
{
    StoredValue v;
    v.storage = StorageClass::Integer;
    v.integer = n;
    return v;
}

StoredValue realValue(double d)
{
    StoredValue v;
    v.storage = StorageClass::Real;
    v.real = d;
    return v;
}

StoredValue textValue(const QString &text)
{
    StoredValue v;
    v.storage = StorageClass::Text;
    v.text = text;
    return v;
}

QVariant variantOf(const StoredValue &v)
{
    switch (v.storage) {
    case StorageClass::Integer:
        return v.integer;
    case StorageClass::Real:
        return v.real;
    case StorageClass::Text:
        return v.text;
    case StorageClass::Null:
    case StorageClass::Blob: // never made here
        break;
    }
    return QVariant();
}

// A number for a numeric column; `shown()` names the value in a refusal,
// made only for one.
StoredValue numericValue(ColumnKind kind, std::optional<double> n, const QString &column, const auto &shown)
{
    if (!n)
        throw DbError(QStringLiteral("字段 %1 需要数值，“%2”不是数值").arg(column, shown()));
    if (kind == ColumnKind::Real)
        return realValue(*n);
    if (std::fabs(*n) > 9.0e18)
        throw DbError(QStringLiteral("字段 %1 放不下数值 %2").arg(column, shown()));
    return integerValue(static_cast<qlonglong>(std::nearbyint(*n))); // halves to the even neighbour
}

// The host's words for a boolean, blanks around them allowed.
std::optional<bool> booleanWord(const QString &text)
{
    const QStringView trimmed = QStringView(text).trimmed();
    if (trimmed.size() != 4 && trimmed.size() != 5) // most such cells hold 0 or 1
        return std::nullopt;
    if (trimmed == u"True") // as a read shows them
        return true;
    if (trimmed == u"False")
        return false;
    if (trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

StoredValue booleanValue(std::optional<bool> word, std::optional<double> n, const QString &column, const auto &shown)
{
    if (word)
        return integerValue(*word ? 1 : 0);
    if (!n)
        throw DbError(QStringLiteral("字段 %1 需要 True 或 False，“%2”不是").arg(column, shown()));
    return integerValue(*n != 0.0 ? 1 : 0);
}

} // namespace

StoredValue storedValueOfText(ColumnKind kind, const QString &text, const QString &column)
{
    const auto shown = [&text] { return text; };
    switch (kind) {
    case ColumnKind::Integer:
    case ColumnKind::Real:
        return numericValue(kind, parseNumber(text), column, shown);
    case ColumnKind::Boolean: {
        const std::optional<bool> word = booleanWord(text);
        return booleanValue(word, word ? std::nullopt : parseNumber(text), column, shown);
    }
    case ColumnKind::Text:
    case ColumnKind::Untyped:
        break;
    }
    return textValue(text);
}

StoredValue storedValueOfNumber(ColumnKind kind, double number, const QString &column)
{
    const auto shown = [number] { return QVariant(number).toString(); };
    const std::optional<double> n = std::isfinite(number) ? std::optional<double>(number) : std::nullopt;
    switch (kind) {
    case ColumnKind::Integer:
    case ColumnKind::Real:
        return numericValue(kind, n, column, shown);
    case ColumnKind::Boolean:
        return booleanValue(std::nullopt, n, column, shown);
    case ColumnKind::Text:
        return textValue(realValueText(number));
    case ColumnKind::Untyped:
        break;
    }
    return realValue(number);
}

QVariant toStoredValue(ColumnKind kind, const QVariant &value, const QString &column)
{
    if (value.isNull())
        return QVariant();
    if (value.typeId() == QMetaType::QString)
        return variantOf(storedValueOfText(kind, *static_cast<const QString *>(value.constData()), column));
    if (value.typeId() == QMetaType::Double)
        return variantOf(storedValueOfNumber(kind, value.toDouble(), column));
    const auto shown = [&value] { return value.toString(); };
    switch (kind) {
    case ColumnKind::Integer:
    case ColumnKind::Real:
        return variantOf(numericValue(kind, numberOf(value), column, shown));
    case ColumnKind::Boolean:
        if (value.typeId() == QMetaType::Bool)
            return value.toBool() ? 1 : 0;
        return variantOf(booleanValue(booleanWord(value.toString()), numberOf(value), column, shown));
    case ColumnKind::Text:
        return valueText(value);
    case ColumnKind::Untyped:
        break;
    }
    return value;
}

QVariant toReadValue(ColumnKind kind, const QVariant &stored)
{
    if (stored.isNull())
        return QVariant();
    if (kind == ColumnKind::Boolean) {
        if (isNumber(stored))
            return stored.toDouble() != 0.0;
        const QString text = stored.toString().trimmed();
        if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return false;
        if (const auto n = parseNumber(text))
            return *n != 0.0;
    }
    return stored;
}

QString valueText(const QVariant &value)
{
    // Lists of thousands of figures are made of these texts: the usual types
    // skip QVariant's general conversion. A NULL read from a column keeps the
    // column's type, so it is looked at first.
    if (value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::QString:
        return *static_cast<const QString *>(value.constData());
    case QMetaType::LongLong:
        return integerValueText(value.toLongLong());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
    case QMetaType::Float:
        return realValueText(value.toDouble());
    default:
        return value.toString();
    }
}
