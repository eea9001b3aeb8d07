#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <variant>

// Numbers read from and written into texts the way the generated code needs them.
//   numericValue(u"  72.5cm") == 72.5, numericValue(u"abc") == 0
//   plainDecimal(75.0) == "75", plainDecimal(-1.0) == "-1", plainDecimal(0.1 + 0.2) == "0.3"
//   wholeNumber16(u"21.5") == 22, wholeNumber16(u"22.5") == 22, wholeNumber16(u"") == nullopt
namespace TextNumber {

// The text's longest leading number: blanks skipped, then an optional sign, digits and at
// most one decimal point. Empty when the text starts with no digit.
std::optional<double> leadingNumber(QStringView text);
// The leading number, or 0 when there is none.
double numericValue(QStringView text);
// The number in plain decimal: no exponent, no blanks, no needless zeros, at most 15
// significant digits (what a double holds exactly).
QString plainDecimal(double number);
// The whole text, blanks around it allowed, as a number rounded to a whole one (halves
// to even) that fits 16 bits; empty when the text is no number or out of range.
std::optional<qint16> wholeNumber16(QStringView text);

} // namespace TextNumber

// A value that is unset, a text exactly as read from a box, or a number.
// Unset counts as 0 and is written as nothing; a text counts as its leading number and
// is written unchanged; a number is written in plain decimal.
//   fromText("70").toNumber() == 70, fromText("abc").toNumber() == 0, fromNumber(75).toText() ==
//   "75"
class TextOrNumber
{
public:
    TextOrNumber() = default;
    static TextOrNumber fromText(const QString &text);
    static TextOrNumber fromNumber(double number);

    bool isUnset() const { return std::holds_alternative<std::monostate>(m_value); }
    bool isText() const { return std::holds_alternative<QString>(m_value); }
    bool isNumber() const { return std::holds_alternative<double>(m_value); }

    double toNumber() const;
    QString toText() const;
    // Whether the value is numerically 0. Unset is 0; a text that starts with no number
    // is not, so that letters typed into a box never pass for a zero.
    bool isZero() const;

    friend bool operator==(const TextOrNumber &, const TextOrNumber &) = default;

private:
    std::variant<std::monostate, QString, double> m_value;
};
