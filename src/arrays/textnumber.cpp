#include "textnumber.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace TextNumber {

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Reads "[sign]digits[.digits]" at the start of text. Returns the number of characters
// read, 0 when no digit was found.
qsizetype scanNumber(QStringView text, std::string &number)
{
    qsizetype i = 0;
    number.clear();
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        if (text[i] == QLatin1Char('-'))
            number += '-';
        ++i;
    }
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isDigit(c)) {
            digits = true;
            number += char(c.unicode());
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
            number += '.';
        } else {
            break;
        }
    }
    return digits ? i : 0;
}

double toDouble(const std::string &number)
{
    double value = 0;
    const char *first = number.data();
    const char *last = first + number.size();
    const bool negative = number.front() == '-';
    if (negative)
        ++first;
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
    Q_UNUSED(ptr);
    if (ec == std::errc::result_out_of_range) {
        // Too many whole digits for a double: held as the largest one. Too small: 0.
        const std::string unsignedNumber(first, last);
        const std::string whole = unsignedNumber.substr(0, unsignedNumber.find('.'));
        const bool large = whole.find_first_not_of('0') != std::string::npos;
        value = large ? std::numeric_limits<double>::max() : 0.0;
    }
    return negative ? -value : value;
}

} // namespace

std::optional<double> leadingNumber(QStringView text)
{
    qsizetype start = 0;
    while (start < text.size() && isBlank(text[start]))
        ++start;
    std::string number;
    if (scanNumber(text.mid(start), number) == 0)
        return std::nullopt;
    return toDouble(number);
}

double numericValue(QStringView text)
{
    return leadingNumber(text).value_or(0.0);
}

QString plainDecimal(double number)
{
    if (number == 0 || !std::isfinite(number))
        return QStringLiteral("0");
    // d.dddddddddddddde±x: 15 significant digits, then the decimal exponent.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::scientific, 14);
    const std::string text(buffer, result.ptr);
    const bool negative = text.front() == '-';
    const std::size_t e = text.find('e');
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < e; ++i) {
        if (text[i] != '.')
            digits += text[i];
    }
    const int exponent = std::stoi(text.substr(e + 1));
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent < 0) {
        out += "0.";
        out.append(std::size_t(-exponent - 1), '0');
        out += digits;
    } else {
        const std::size_t whole = std::size_t(exponent) + 1;
        if (digits.size() <= whole) {
            out += digits;
            out.append(whole - digits.size(), '0');
        } else {
            out += digits.substr(0, whole);
            out += '.';
            out += digits.substr(whole);
        }
    }
    return QString::fromLatin1(out.data(), qsizetype(out.size()));
}

std::optional<qint16> wholeNumber16(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    std::string number;
    if (trimmed.isEmpty() || scanNumber(trimmed, number) != trimmed.size())
        return std::nullopt;
    // The default rounding mode rounds halves to even.
    const double rounded = std::nearbyint(toDouble(number));
    if (rounded < std::numeric_limits<qint16>::min() ||
        rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(rounded);
}

} // namespace TextNumber

TextOrNumber TextOrNumber::fromText(const QString &text)
{
    TextOrNumber value;
    value.m_value = text;
    return value;
}

TextOrNumber TextOrNumber::fromNumber(double number)
{
    TextOrNumber value;
    value.m_value = number;
    return value;
}

double TextOrNumber::toNumber() const
{
    if (const auto *number = std::get_if<double>(&m_value))
        return *number;
    if (const auto *text = std::get_if<QString>(&m_value))
        return TextNumber::numericValue(*text);
    return 0;
}

QString TextOrNumber::toText() const
{
    if (const auto *number = std::get_if<double>(&m_value))
        return TextNumber::plainDecimal(*number);
    if (const auto *text = std::get_if<QString>(&m_value))
        return *text;
    return {};
}

bool TextOrNumber::isZero() const
{
    if (const auto *text = std::get_if<QString>(&m_value)) {
        const std::optional<double> number = TextNumber::leadingNumber(*text);
        return number && *number == 0;
    }
    return toNumber() == 0;
}
