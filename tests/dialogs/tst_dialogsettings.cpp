#include "dialogsettings.h"

#include <QTest>

class TestDialogSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void listEntries();
    void buttonSet_data();
    void buttonSet();
    void okOnlyAfterAnotherSetEmptiesTests();
    void defaultButtonAndIcon_data();
    void defaultButtonAndIcon();
};

namespace {

DialogSettings loaded()
{
    DialogSettings s;
    s.RisLine = DialogOptions::answerTestLines();
    return s;
}

QString test(int answer, const char *name)
{
    return QStringLiteral("If Ris = ") % QString::number(answer) %
           QStringLiteral(" then : End if  '(") % QLatin1String(name) %
           QStringLiteral(" code here)\r\n");
}

} // namespace

void TestDialogSettings::listEntries()
{
    QCOMPARE(DialogOptions::buttonSetEntries(),
             (QStringList{QStringLiteral("OK only"), QStringLiteral("Ok Cancel"),
                          QStringLiteral("Abort Retry Ignore"), QStringLiteral("Yes No Cancel"),
                          QStringLiteral("Yes No"), QStringLiteral("Retry Cancel")}));
    QCOMPARE(DialogOptions::defaultButtonEntries(),
             (QStringList{QStringLiteral("First Butt."), QStringLiteral("Second Butt."),
                          QStringLiteral("Third Butt."), QStringLiteral("Fourth Butt.")}));
    QCOMPARE(DialogOptions::iconEntries(),
             (QStringList{QStringLiteral("Critical icon"), QStringLiteral("Query icon"),
                          QStringLiteral("Warning icon"), QStringLiteral("Inform. icon")}));
}

void TestDialogSettings::buttonSet_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("value");
    QTest::addColumn<QStringList>("tests");

    QTest::newRow("OK only") << 0 << 0 << QStringList{QString(), QString(), QString()};
    QTest::newRow("Ok Cancel") << 1 << 1
                               << QStringList{test(1, "OK"), test(2, "CANCEL"), QString()};
    QTest::newRow("Abort Retry Ignore")
        << 2 << 2 << QStringList{test(3, "ABORT"), test(4, "RETRY"), test(5, "IGNORE")};
    QTest::newRow("Yes No Cancel")
        << 3 << 3 << QStringList{test(6, "YES"), test(7, "NO"), test(2, "CANCEL")};
    QTest::newRow("Yes No") << 4 << 4 << QStringList{test(6, "YES"), test(7, "NO"), QString()};
    QTest::newRow("Retry Cancel") << 5 << 5
                                  << QStringList{test(4, "RETRY"), test(2, "CANCEL"), QString()};
}

void TestDialogSettings::buttonSet()
{
    QFETCH(int, index);
    QFETCH(int, value);
    QFETCH(QStringList, tests);

    DialogSettings s = loaded();
    // Three test lines first, so that a set with fewer must empty the rest.
    DialogOptions::pickButtonSet(s, 2);
    s.codeLine(1) = QStringLiteral("one");
    s.codeLine(2) = QStringLiteral("two");
    DialogOptions::pickButtonSet(s, index);
    QCOMPARE(s.BtnValue, std::optional<int>(value));
    QCOMPARE((QStringList{s.codeLine(3), s.codeLine(4), s.codeLine(5)}), tests);
    QCOMPARE(s.codeLine(1), QStringLiteral("one"));
    QCOMPARE(s.codeLine(2), QStringLiteral("two"));
    QVERIFY(!s.DefBtnValue && !s.IconValue);
}

void TestDialogSettings::okOnlyAfterAnotherSetEmptiesTests()
{
    DialogSettings s = loaded();
    DialogOptions::pickButtonSet(s, 4);
    DialogOptions::pickButtonSet(s, 0);
    QCOMPARE(s.BtnValue, std::optional<int>(0));
    for (int n = 1; n <= 5; ++n)
        QVERIFY(s.codeLine(n).isEmpty());
    // An index outside the list changes nothing.
    DialogOptions::pickButtonSet(s, 3);
    DialogOptions::pickButtonSet(s, 6);
    DialogOptions::pickButtonSet(s, -1);
    QCOMPARE(s.BtnValue, std::optional<int>(3));
    QCOMPARE(s.codeLine(5), test(2, "CANCEL"));
}

void TestDialogSettings::defaultButtonAndIcon_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("defaultButton");
    QTest::addColumn<int>("icon");
    QTest::newRow("0") << 0 << 0 << 16;
    QTest::newRow("1") << 1 << 256 << 32;
    QTest::newRow("2") << 2 << 512 << 48;
    QTest::newRow("3") << 3 << 768 << 64;
}

void TestDialogSettings::defaultButtonAndIcon()
{
    QFETCH(int, index);
    QFETCH(int, defaultButton);
    QFETCH(int, icon);

    DialogSettings s = loaded();
    DialogOptions::pickDefaultButton(s, index);
    QCOMPARE(s.DefBtnValue, std::optional<int>(defaultButton));
    QVERIFY(!s.IconValue);
    DialogOptions::pickIcon(s, index);
    QCOMPARE(s.IconValue, std::optional<int>(icon));
    // Out of range: the last pick stays.
    DialogOptions::pickDefaultButton(s, 4);
    DialogOptions::pickIcon(s, 4);
    QCOMPARE(s.DefBtnValue, std::optional<int>(defaultButton));
    QCOMPARE(s.IconValue, std::optional<int>(icon));
}

QTEST_APPLESS_MAIN(TestDialogSettings)
#include "tst_dialogsettings.moc"
