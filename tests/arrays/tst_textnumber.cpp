#include "textnumber.h"

#include <QTest>

#include <limits>

class TestTextNumber : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void numericValue_data();
    void numericValue();
    void plainDecimal_data();
    void plainDecimal();
    void wholeNumber16_data();
    void wholeNumber16();
    void textOrNumber_data();
    void textOrNumber();
    void unsetValue();
};

void TestTextNumber::numericValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("holdsNumber");
    QTest::addColumn<double>("value");

    QTest::newRow("whole") << QStringLiteral("5") << true << 5.0;
    QTest::newRow("decimal") << QStringLiteral("2.5") << true << 2.5;
    QTest::newRow("letters") << QStringLiteral("abc") << false << 0.0;
    QTest::newRow("empty") << QString() << false << 0.0;
    QTest::newRow("blanks only") << QStringLiteral("   ") << false << 0.0;
    QTest::newRow("leading blanks and tab") << QStringLiteral(" \t 42") << true << 42.0;
    QTest::newRow("trailing text") << QStringLiteral("72.5cm") << true << 72.5;
    QTest::newRow("second point ends") << QStringLiteral("1.2.3") << true << 1.2;
    QTest::newRow("point first") << QStringLiteral(".5") << true << 0.5;
    QTest::newRow("point last") << QStringLiteral("7.") << true << 7.0;
    QTest::newRow("point alone") << QStringLiteral(".") << false << 0.0;
    QTest::newRow("negative") << QStringLiteral("-1") << true << -1.0;
    QTest::newRow("plus") << QStringLiteral("+3") << true << 3.0;
    QTest::newRow("sign alone") << QStringLiteral("-") << false << 0.0;
    QTest::newRow("blank inside ends") << QStringLiteral("1 2") << true << 1.0;
    QTest::newRow("blank after sign") << QStringLiteral("- 2") << false << 0.0;
    QTest::newRow("zero with text") << QStringLiteral("0abc") << true << 0.0;
    QTest::newRow("comma is no point") << QStringLiteral("2,5") << true << 2.0;
    QTest::newRow("leading zeros") << QStringLiteral("007") << true << 7.0;
    QTest::newRow("exponent not read") << QStringLiteral("1e3") << true << 1.0;
    QTest::newRow("arabic digit is no digit") << QStringLiteral("\u0663") << false << 0.0;
    QTest::newRow("too large") << (QStringLiteral("1") + QString(400, QLatin1Char('0'))) << true
                               << std::numeric_limits<double>::max();
    QTest::newRow("too small") << (QStringLiteral("0.") + QString(400, QLatin1Char('0')) +
                                   QStringLiteral("1"))
                               << true << 0.0;
}

void TestTextNumber::numericValue()
{
    QFETCH(QString, text);
    QFETCH(bool, holdsNumber);
    QFETCH(double, value);

    const std::optional<double> leading = TextNumber::leadingNumber(text);
    QCOMPARE(leading.has_value(), holdsNumber);
    QCOMPARE(TextNumber::numericValue(text), value);
}

void TestTextNumber::plainDecimal_data()
{
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero") << 0.0 << QStringLiteral("0");
    QTest::newRow("negative zero") << -0.0 << QStringLiteral("0");
    QTest::newRow("whole") << 75.0 << QStringLiteral("75");
    QTest::newRow("half") << 72.5 << QStringLiteral("72.5");
    QTest::newRow("minus one") << -1.0 << QStringLiteral("-1");
    QTest::newRow("ten") << 10.0 << QStringLiteral("10");
    QTest::newRow("thousand") << 1000.0 << QStringLiteral("1000");
    QTest::newRow("small") << 0.05 << QStringLiteral("0.05");
    QTest::newRow("negative fraction") << -0.25 << QStringLiteral("-0.25");
    QTest::newRow("sum of tenths") << 0.1 + 0.2 << QStringLiteral("0.3");
    QTest::newRow("step plus fraction") << 70 + 0.1 << QStringLiteral("70.1");
    QTest::newRow("large, no exponent") << 1e20 << QStringLiteral("100000000000000000000");
    QTest::newRow("tiny, no exponent") << 1.5e-7 << QStringLiteral("0.00000015");
    QTest::newRow("fifteen digits") << 123456789012345.0 << QStringLiteral("123456789012345");
    QTest::newRow("rounded to fifteen") << 2.0 / 3.0 << QStringLiteral("0.666666666666667");
}

void TestTextNumber::plainDecimal()
{
    QFETCH(double, number);
    QFETCH(QString, text);
    QCOMPARE(TextNumber::plainDecimal(number), text);
}

void TestTextNumber::wholeNumber16_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");

    QTest::newRow("whole") << QStringLiteral("21") << true << 21;
    QTest::newRow("blanks around") << QStringLiteral("  70 ") << true << 70;
    QTest::newRow("half to even, up") << QStringLiteral("21.5") << true << 22;
    QTest::newRow("half to even, down") << QStringLiteral("22.5") << true << 22;
    QTest::newRow("below half") << QStringLiteral("21.49") << true << 21;
    QTest::newRow("above half") << QStringLiteral("21.51") << true << 22;
    QTest::newRow("negative half") << QStringLiteral("-2.5") << true << -2;
    QTest::newRow("largest") << QStringLiteral("32767") << true << 32767;
    QTest::newRow("smallest") << QStringLiteral("-32768") << true << -32768;
    QTest::newRow("rounds out of range") << QStringLiteral("32767.5") << false << 0;
    QTest::newRow("too large") << QStringLiteral("32768") << false << 0;
    QTest::newRow("too small") << QStringLiteral("-32769") << false << 0;
    QTest::newRow("empty") << QString() << false << 0;
    QTest::newRow("letters") << QStringLiteral("abc") << false << 0;
    QTest::newRow("trailing letters") << QStringLiteral("21px") << false << 0;
    QTest::newRow("blank inside") << QStringLiteral("2 1") << false << 0;
}

void TestTextNumber::wholeNumber16()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);

    const std::optional<qint16> whole = TextNumber::wholeNumber16(text);
    QCOMPARE(whole.has_value(), valid);
    if (valid)
        QCOMPARE(int(*whole), value);
}

void TestTextNumber::textOrNumber_data()
{
    QTest::addColumn<bool>("isText");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("written");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("zero");

    QTest::newRow("text number") << true << QStringLiteral("70") << 0.0 << QStringLiteral("70")
                                 << 70.0 << false;
    QTest::newRow("text zero") << true << QStringLiteral("0") << 0.0 << QStringLiteral("0") << 0.0
                               << true;
    QTest::newRow("text kept as typed")
        << true << QStringLiteral(" 07 ") << 0.0 << QStringLiteral(" 07 ") << 7.0 << false;
    QTest::newRow("letters are not zero")
        << true << QStringLiteral("abc") << 0.0 << QStringLiteral("abc") << 0.0 << false;
    QTest::newRow("empty text is not zero")
        << true << QString() << 0.0 << QString() << 0.0 << false;
    QTest::newRow("number") << false << QString() << 75.0 << QStringLiteral("75") << 75.0 << false;
    QTest::newRow("number zero") << false << QString() << 0.0 << QStringLiteral("0") << 0.0 << true;
    QTest::newRow("number fraction")
        << false << QString() << 72.5 << QStringLiteral("72.5") << 72.5 << false;
}

void TestTextNumber::textOrNumber()
{
    QFETCH(bool, isText);
    QFETCH(QString, text);
    QFETCH(double, number);
    QFETCH(QString, written);
    QFETCH(double, value);
    QFETCH(bool, zero);

    const TextOrNumber v = isText ? TextOrNumber::fromText(text) : TextOrNumber::fromNumber(number);
    QCOMPARE(v.isText(), isText);
    QCOMPARE(v.isNumber(), !isText);
    QVERIFY(!v.isUnset());
    QCOMPARE(v.toText(), written);
    QCOMPARE(v.toNumber(), value);
    QCOMPARE(v.isZero(), zero);
}

void TestTextNumber::unsetValue()
{
    const TextOrNumber unset;
    QVERIFY(unset.isUnset());
    QVERIFY(unset.toText().isEmpty());
    QCOMPARE(unset.toNumber(), 0.0);
    QVERIFY(unset.isZero());
    QVERIFY(unset == TextOrNumber());
    QVERIFY(!(unset == TextOrNumber::fromNumber(0)));
    QVERIFY(!(TextOrNumber::fromText(QStringLiteral("0")) == TextOrNumber::fromNumber(0)));
}

QTEST_APPLESS_MAIN(TestTextNumber)
#include "tst_textnumber.moc"
