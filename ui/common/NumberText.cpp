#include "ui/common/NumberText.h"

#include "platform/database/ColumnKind.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

} // namespace

double leadingNumber(const QString &text)
{
    // Most texts are plain counters, perhaps with a row's mark after them:
    // those are read without building a string.
    qint64 whole = 0;
    int length = 0;
    while (length < text.size() && length < 15 && text[length].unicode() >= '0' && text[length].unicode() <= '9')
        whole = whole * 10 + (text[length++].unicode() - '0');
    if (length > 0 && length < 15) {
        const QChar next = length < text.size() ? text[length] : QChar();
        if (next.isNull() || (!isBlank(next) && next != QLatin1Char('.') && next != QLatin1Char('e') && next != QLatin1Char('E')))
            return double(whole);
    }
    // Collect the characters of the number, passing over blanks inside it too.
    std::string number;
    bool digits = false, point = false, exponent = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isBlank(c))
            continue;
        const bool atStart = number.empty() || number.back() == 'e';
        if (c.isDigit() && c.unicode() < 128) {
            number += char(c.unicode());
            digits = true;
        } else if ((c == QLatin1Char('+') || c == QLatin1Char('-')) && atStart) {
            number += char(c.unicode());
        } else if (c == QLatin1Char('.') && !point && !exponent) {
            number += '.';
            point = true;
        } else if ((c == QLatin1Char('e') || c == QLatin1Char('E')) && digits && !exponent) {
            number += 'e';
            exponent = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0.0;
    // A dangling exponent or sign is not part of the number.
    while (!number.empty() && (number.back() == 'e' || number.back() == '+' || number.back() == '-'))
        number.pop_back();
    // from_chars reads C-locale numbers without the cost of QLocale; it takes no '+'.
    const char *first = number.data() + (number[0] == '+' ? 1 : 0);
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, number.data() + number.size(), value);
    return error == std::errc() && std::isfinite(value) ? value : 0.0;
}

QString numberText(double value)
{
    return realValueText(value); // valueText() of the number, without the QVariant
}

std::optional<double> storedNumber(const QVariant &value)
{
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (value.isNull() || !ok)
        return std::nullopt;
    return number;
}
