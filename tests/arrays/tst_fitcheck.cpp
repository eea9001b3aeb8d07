#include "fitcheck.h"

#include <QTest>

class TestFitCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fits_data();
    void fits();
    void message();
};

namespace {

TextOrNumber n(double v)
{
    return TextOrNumber::fromNumber(v);
}

TextOrNumber t(const char *text)
{
    return TextOrNumber::fromText(QString::fromLatin1(text));
}

} // namespace

void TestFitCheck::fits_data()
{
    QTest::addColumn<bool>("ppc");
    QTest::addColumn<bool>("hpc");
    QTest::addColumn<TextOrNumber>("vertStep");
    QTest::addColumn<TextOrNumber>("horzStep");
    QTest::addColumn<QString>("spacer");
    QTest::addColumn<QString>("count");
    QTest::addColumn<TextOrNumber>("leftBase");
    QTest::addColumn<TextOrNumber>("topBase");
    QTest::addColumn<bool>("fits");

    const TextOrNumber unset;
    // ppc, vertical: (VertStep + spacer) x count + LeftBase against 300.
    QTest::newRow("ppc vertical 304") << true << false << t("21") << n(0) << "0"
                                      << "14" << t("10") << t("10") << false;
    QTest::newRow("ppc vertical 283") << true << false << t("21") << n(0) << "0"
                                      << "13" << t("10") << t("10") << true;
    QTest::newRow("ppc vertical equal 300") << true << false << t("21") << n(0) << "0"
                                            << "14" << t("6") << unset << true;
    QTest::newRow("ppc vertical 301") << true << false << t("21") << n(0) << "0"
                                      << "14" << t("7") << unset << false;
    QTest::newRow("first generation, no bases") << true << false << t("21") << n(0) << "0"
                                                << "14" << unset << unset << true;
    QTest::newRow("ppc vertical with spacer 300") << true << false << n(25) << n(0) << "5"
                                                  << "10" << unset << unset << true;
    QTest::newRow("ppc vertical with spacer 330") << true << false << n(25) << n(0) << "8"
                                                  << "10" << unset << unset << false;
    QTest::newRow("spacer read as its leading number") << true << false << n(20) << n(0) << "10px"
                                                       << "10" << unset << unset << true;
    // ppc, horizontal: (HorzStep + spacer) x count + TopBase against 210.
    QTest::newRow("ppc horizontal equal 210") << true << false << n(0) << t("70") << "0"
                                              << "3" << unset << n(0) << true;
    QTest::newRow("ppc horizontal 211") << true << false << n(0) << t("70") << "0"
                                        << "3" << unset << t("1") << false;
    QTest::newRow("ppc horizontal ignores LeftBase") << true << false << n(0) << t("70") << "0"
                                                     << "3" << t("1000") << unset << true;
    QTest::newRow("ppc vertical ignores TopBase") << true << false << t("21") << n(0) << "0"
                                                  << "1" << unset << t("1000") << true;
    // hpc: limits 200 (vertical) and 600 (horizontal).
    QTest::newRow("hpc horizontal 610") << false << true << n(0) << n(75) << "0"
                                        << "8" << unset << t("10") << false;
    QTest::newRow("hpc horizontal 535") << false << true << n(0) << n(75) << "0"
                                        << "7" << unset << t("10") << true;
    QTest::newRow("hpc horizontal equal 600") << false << true << n(0) << n(75) << "0"
                                              << "8" << unset << unset << true;
    QTest::newRow("hpc vertical equal 200") << false << true << t("20") << n(0) << "0"
                                            << "10" << unset << unset << true;
    QTest::newRow("hpc vertical 201") << false << true << t("20") << n(0) << "0"
                                      << "10" << t("1") << unset << false;
    QTest::newRow("ppc vertical 210") << true << false << t("21") << n(0) << "0"
                                      << "10" << unset << unset << true;
    QTest::newRow("hpc vertical 210") << false << true << t("21") << n(0) << "0"
                                      << "10" << unset << unset << false;
    // No layout yet: both steps 0, both tests of the device run on the spacer alone.
    QTest::newRow("both steps 0, within both") << true << false << unset << unset << "21"
                                               << "10" << unset << unset << true;
    QTest::newRow("both steps 0, beyond 210") << true << false << unset << unset << "21"
                                              << "11" << unset << unset << false;
    QTest::newRow("both steps 0, beyond 300") << true << false << unset << unset << "0"
                                              << "100" << t("301") << unset << false;
    // No device: always fits.
    QTest::newRow("no device") << false << false << t("21") << n(0) << "0"
                               << "1000" << t("10") << t("10") << true;
    // Texts that are not numbers.
    QTest::newRow("letters in a step skip the other test")
        << true << false << t("abc") << n(0) << "0"
        << "100" << unset << t("1000") << true;
    QTest::newRow("letters in a step count 0 in the extent")
        << true << false << t("abc") << n(0) << "0"
        << "100" << t("301") << unset << false;
    QTest::newRow("base read as its leading number") << true << false << t("21") << n(0) << "0"
                                                     << "14" << t("7abc") << unset << false;
    QTest::newRow("base of letters counts 0") << true << false << t("21") << n(0) << "0"
                                              << "14" << t("abc") << unset << true;
    QTest::newRow("empty count") << true << false << t("21") << n(0) << "0"
                                 << "" << t("301") << unset << false;
}

void TestFitCheck::fits()
{
    QFETCH(bool, ppc);
    QFETCH(bool, hpc);
    QFETCH(TextOrNumber, vertStep);
    QFETCH(TextOrNumber, horzStep);
    QFETCH(QString, spacer);
    QFETCH(QString, count);
    QFETCH(TextOrNumber, leftBase);
    QFETCH(TextOrNumber, topBase);
    QFETCH(bool, fits);

    ArraySettings s;
    s.VertStep = vertStep;
    s.HorzStep = horzStep;
    s.LeftBase = leftBase;
    s.TopBase = topBase;
    QCOMPARE(FitCheck::fits(s, ppc, hpc, spacer, count), fits);
}

void TestFitCheck::message()
{
    QCOMPARE(QString(FitCheck::exceedsDisplay), QStringLiteral("Objects or dimensions") +
                                                    QStringLiteral("\r\n") +
                                                    QStringLiteral("exceed display space"));
}

QTEST_APPLESS_MAIN(TestFitCheck)
#include "tst_fitcheck.moc"
