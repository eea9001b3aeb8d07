#include "fitcheck.h"

#include <QTest>

using FitCheck::Device;
Q_DECLARE_METATYPE(FitCheck::Device)

class TestFitCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fits_data();
    void fits();
    void limits_data();
    void limits();
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
    QTest::addColumn<Device>("device");
    QTest::addColumn<TextOrNumber>("vertStep");
    QTest::addColumn<TextOrNumber>("horzStep");
    QTest::addColumn<QString>("spacer");
    QTest::addColumn<int>("count");
    QTest::addColumn<TextOrNumber>("leftBase");
    QTest::addColumn<TextOrNumber>("topBase");
    QTest::addColumn<bool>("fits");

    const TextOrNumber unset;
    // ppc, vertical: (VertStep + spacer) x count + LeftBase against 300.
    QTest::newRow("ppc vertical 304")
        << Device::Ppc << t("21") << n(0) << "0" << 14 << t("10") << t("10") << false;
    QTest::newRow("ppc vertical 283")
        << Device::Ppc << t("21") << n(0) << "0" << 13 << t("10") << t("10") << true;
    QTest::newRow("ppc vertical equal 300")
        << Device::Ppc << t("21") << n(0) << "0" << 14 << t("6") << unset << true;
    QTest::newRow("ppc vertical 301")
        << Device::Ppc << t("21") << n(0) << "0" << 14 << t("7") << unset << false;
    QTest::newRow("first generation, no bases")
        << Device::Ppc << t("21") << n(0) << "0" << 14 << unset << unset << true;
    QTest::newRow("ppc vertical with spacer 300")
        << Device::Ppc << n(25) << n(0) << "5" << 10 << unset << unset << true;
    QTest::newRow("ppc vertical with spacer 330")
        << Device::Ppc << n(25) << n(0) << "8" << 10 << unset << unset << false;
    QTest::newRow("spacer read as its leading number")
        << Device::Ppc << n(20) << n(0) << "10px" << 10 << unset << unset << true;
    // ppc, horizontal: (HorzStep + spacer) x count + TopBase against 210.
    QTest::newRow("ppc horizontal equal 210")
        << Device::Ppc << n(0) << t("70") << "0" << 3 << unset << n(0) << true;
    QTest::newRow("ppc horizontal 211")
        << Device::Ppc << n(0) << t("70") << "0" << 3 << unset << t("1") << false;
    QTest::newRow("ppc horizontal ignores LeftBase")
        << Device::Ppc << n(0) << t("70") << "0" << 3 << t("1000") << unset << true;
    QTest::newRow("ppc vertical ignores TopBase")
        << Device::Ppc << t("21") << n(0) << "0" << 1 << unset << t("1000") << true;
    // hpc: limits 200 (vertical) and 600 (horizontal).
    QTest::newRow("hpc horizontal 610")
        << Device::Hpc << n(0) << n(75) << "0" << 8 << unset << t("10") << false;
    QTest::newRow("hpc horizontal 535")
        << Device::Hpc << n(0) << n(75) << "0" << 7 << unset << t("10") << true;
    QTest::newRow("hpc horizontal equal 600")
        << Device::Hpc << n(0) << n(75) << "0" << 8 << unset << unset << true;
    QTest::newRow("hpc vertical equal 200")
        << Device::Hpc << t("20") << n(0) << "0" << 10 << unset << unset << true;
    QTest::newRow("hpc vertical 201")
        << Device::Hpc << t("20") << n(0) << "0" << 10 << t("1") << unset << false;
    QTest::newRow("ppc vertical 210")
        << Device::Ppc << t("21") << n(0) << "0" << 10 << unset << unset << true;
    QTest::newRow("hpc vertical 210")
        << Device::Hpc << t("21") << n(0) << "0" << 10 << unset << unset << false;
    // No layout yet: both steps 0, both tests of the device run on the spacer alone.
    QTest::newRow("both steps 0, within both")
        << Device::Ppc << unset << unset << "21" << 10 << unset << unset << true;
    QTest::newRow("both steps 0, beyond 210")
        << Device::Ppc << unset << unset << "21" << 11 << unset << unset << false;
    QTest::newRow("both steps 0, beyond 300")
        << Device::Ppc << unset << unset << "0" << 100 << t("301") << unset << false;
    // No device: always fits.
    QTest::newRow("no device") << Device::None << t("21") << n(0) << "0" << 1000 << t("10")
                               << t("10") << true;
    // Texts that are not numbers.
    QTest::newRow("letters in a step skip the other test")
        << Device::Ppc << t("abc") << n(0) << "0" << 100 << unset << t("1000") << true;
    QTest::newRow("letters in a step count 0 in the extent")
        << Device::Ppc << t("abc") << n(0) << "0" << 100 << t("301") << unset << false;
    QTest::newRow("base read as its leading number")
        << Device::Ppc << t("21") << n(0) << "0" << 14 << t("7abc") << unset << false;
    QTest::newRow("base of letters counts 0")
        << Device::Ppc << t("21") << n(0) << "0" << 14 << t("abc") << unset << true;
    QTest::newRow("no objects still add the base")
        << Device::Ppc << t("21") << n(0) << "0" << 0 << t("301") << unset << false;
}

void TestFitCheck::fits()
{
    QFETCH(Device, device);
    QFETCH(TextOrNumber, vertStep);
    QFETCH(TextOrNumber, horzStep);
    QFETCH(QString, spacer);
    QFETCH(int, count);
    QFETCH(TextOrNumber, leftBase);
    QFETCH(TextOrNumber, topBase);
    QFETCH(bool, fits);

    ArraySettings s;
    s.VertStep = vertStep;
    s.HorzStep = horzStep;
    s.LeftBase = leftBase;
    s.TopBase = topBase;
    QCOMPARE(FitCheck::fits(s, device, spacer, count), fits);
}

// The window and the command line both take a device's screen from here: the window also
// outlines it on the form picture, the horizontal limit as the width.
void TestFitCheck::limits_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Device>("device");
    QTest::addColumn<double>("vertical"); // 0: no limits
    QTest::addColumn<double>("horizontal");

    QTest::newRow("ppc") << "ppc" << Device::Ppc << 300.0 << 210.0;
    QTest::newRow("hpc") << "hpc" << Device::Hpc << 200.0 << 600.0;
    QTest::newRow("no device") << "" << Device::None << 0.0 << 0.0;
}

void TestFitCheck::limits()
{
    QFETCH(QString, name);
    QFETCH(Device, device);
    QFETCH(double, vertical);
    QFETCH(double, horizontal);

    QCOMPARE(QString(FitCheck::deviceName(device)), name);
    QCOMPARE(FitCheck::deviceNamed(name).value_or(Device::None), device);
    const std::optional<FitCheck::Limits> screen = FitCheck::limits(device);
    QCOMPARE(screen.has_value(), device != Device::None);
    if (screen) {
        QCOMPARE(screen->vertical, vertical);
        QCOMPARE(screen->horizontal, horizontal);
    }
}

void TestFitCheck::message()
{
    QCOMPARE(QString(FitCheck::exceedsDisplay), QStringLiteral("Objects or dimensions") +
                                                    QStringLiteral("\r\n") +
                                                    QStringLiteral("exceed display space"));
}

QTEST_APPLESS_MAIN(TestFitCheck)
#include "tst_fitcheck.moc"
