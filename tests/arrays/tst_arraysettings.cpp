#include "arraysettings.h"

#include <QTest>

using namespace ArraySetup;

class TestArraySettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void kindSelections_data();
    void kindSelections();
    void kindOutsideRangeChangesNothing();
    void formBackground_data();
    void formBackground();
    void layoutTakesTextUnchanged();
    void spacerChange_data();
    void spacerChange();
    void listCount_data();
    void listCount();
    void listOfTwoEntries();
    void entryIgnoredWhileABoxIsEmpty_data();
    void entryIgnoredWhileABoxIsEmpty();
    void emptyListCompletesAtOnce();
    void secondListReplacesFirst();
    void restartedListForgetsUnfinishedEntries();
};

void TestArraySettings::kindSelections_data()
{
    QTest::addColumn<QList<int>>("kinds");
    QTest::addColumn<QStringList>("arrayNames");
    QTest::addColumn<QStringList>("classes");

    QTest::newRow("button, labels, button")
        << QList<int>{2, 3, 2} << QStringList{"Abutt1", "Alabel2", "Abutt3"}
        << QStringList{"CommandButton", "Label", "CommandButton"};
    QTest::newRow("every kind in order")
        << QList<int>{0, 1, 2, 3, 4, 5}
        << QStringList{"Radio1", "Acheck2", "Abutt3", "Alabel4", "Atext5", "Alist6"}
        << QStringList{"OptionButton", "CheckBox", "CommandButton", "Label", "TextBox", "ListBox"};
    QTest::newRow("same kind again")
        << QList<int>{5, 5} << QStringList{"Alist1", "Alist2"} << QStringList{"ListBox", "ListBox"};
}

void TestArraySettings::kindSelections()
{
    QFETCH(QList<int>, kinds);
    QFETCH(QStringList, arrayNames);
    QFETCH(QStringList, classes);

    ArraySettings s;
    for (int n = 0; n < kinds.size(); ++n) {
        selectKind(s, kinds[n]);
        const QString suffix = QString::number(n + 1);
        QCOMPARE(s.ArrayName, arrayNames[n]);
        QCOMPARE(s.ObjectClass, classes[n]);
        QCOMPARE(s.KindClicks, n + 1);
        QCOMPARE(s.KindSuffix, suffix);
        QCOMPARE(s.LoopVarName, QStringLiteral("Iar") + suffix);
    }
}

void TestArraySettings::kindOutsideRangeChangesNothing()
{
    ArraySettings s;
    selectKind(s, 2);
    selectKind(s, 6);
    selectKind(s, -1);
    QCOMPARE(s.ArrayName, QStringLiteral("Abutt1"));
    QCOMPARE(s.KindClicks, 1);
}

void TestArraySettings::formBackground_data()
{
    QTest::addColumn<QString>("arrayName");
    QTest::addColumn<bool>("form");

    QTest::newRow("option buttons") << QStringLiteral("Radio1") << true;
    QTest::newRow("check boxes") << QStringLiteral("Acheck12") << true;
    QTest::newRow("command buttons") << QStringLiteral("Abutt3") << true;
    QTest::newRow("labels") << QStringLiteral("Alabel2") << false;
    QTest::newRow("text boxes") << QStringLiteral("Atext1") << false;
    QTest::newRow("list boxes") << QStringLiteral("Alist9") << false;
}

void TestArraySettings::formBackground()
{
    QFETCH(QString, arrayName);
    QFETCH(bool, form);
    QCOMPARE(hasFormBackground(arrayName), form);
}

void TestArraySettings::layoutTakesTextUnchanged()
{
    ArraySettings s;
    selectHorizontal(s, QStringLiteral("70"));
    QVERIFY(s.HorzStep == TextOrNumber::fromText(QStringLiteral("70")));
    QVERIFY(s.VertStep == TextOrNumber::fromNumber(0));

    selectVertical(s, QStringLiteral(" 2x1"));
    QVERIFY(s.VertStep == TextOrNumber::fromText(QStringLiteral(" 2x1")));
    QVERIFY(s.HorzStep == TextOrNumber::fromNumber(0));
}

void TestArraySettings::spacerChange_data()
{
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("spacer");
    QTest::addColumn<QString>("vertStep"); // as written into the code
    QTest::addColumn<QString>("horzStep");

    // Before the change VertStep holds the text "V" and HorzStep the text "H".
    QTest::newRow("horizontal 70 + 5") << false << true << "21"
                                       << "70"
                                       << "5"
                                       << "V"
                                       << "75";
    QTest::newRow("horizontal + 2.5") << false << true << "21"
                                      << "70"
                                      << "2.5"
                                      << "V"
                                      << "72.5";
    QTest::newRow("vertical 21 + 3") << true << false << "21"
                                     << "70"
                                     << "3"
                                     << "24"
                                     << "H";
    QTest::newRow("letters in spacer count 0") << true << false << "21"
                                               << "70"
                                               << "abc"
                                               << "21"
                                               << "H";
    QTest::newRow("leading number of spacer") << true << false << "21"
                                              << "70"
                                              << "4mm"
                                              << "25"
                                              << "H";
    QTest::newRow("negative spacer") << true << false << "21"
                                     << "70"
                                     << "-1"
                                     << "20"
                                     << "H";
    QTest::newRow("height rounded to even") << true << false << "20.5"
                                            << "70"
                                            << "0"
                                            << "20"
                                            << "H";
    QTest::newRow("empty height keeps step") << true << false << ""
                                             << "70"
                                             << "5"
                                             << "V"
                                             << "H";
    QTest::newRow("letters in width keep step") << false << true << "21"
                                                << "7o"
                                                << "5"
                                                << "V"
                                                << "H";
    QTest::newRow("width beyond 16 bits keeps step") << false << true << "21"
                                                     << "40000"
                                                     << "5"
                                                     << "V"
                                                     << "H";
    QTest::newRow("no standard layout") << false << false << "21"
                                        << "70"
                                        << "5"
                                        << "V"
                                        << "H";
}

void TestArraySettings::spacerChange()
{
    QFETCH(bool, vertical);
    QFETCH(bool, horizontal);
    QFETCH(QString, height);
    QFETCH(QString, width);
    QFETCH(QString, spacer);
    QFETCH(QString, vertStep);
    QFETCH(QString, horzStep);

    ArraySettings s;
    s.VertStep = TextOrNumber::fromText(QStringLiteral("V"));
    s.HorzStep = TextOrNumber::fromText(QStringLiteral("H"));
    changeSpacer(s, vertical, horizontal, height, width, spacer);
    QCOMPARE(s.VertStep.toText(), vertStep);
    QCOMPARE(s.HorzStep.toText(), horzStep);
    // A computed step is a number, no longer the text of a box.
    QCOMPARE(s.VertStep.isNumber(), vertStep != QLatin1String("V"));
    QCOMPARE(s.HorzStep.isNumber(), horzStep != QLatin1String("H"));
}

void TestArraySettings::listCount_data()
{
    QTest::addColumn<int>("objects");
    QTest::addColumn<int>("count"); // -1: refused

    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("three") << 3 << 3;
    QTest::newRow("largest") << 32767 << 32767;
    QTest::newRow("too many") << 32768 << -1;
    QTest::newRow("far too many") << 65539 << -1;
    QTest::newRow("negative") << -1 << -1;
}

void TestArraySettings::listCount()
{
    QFETCH(int, objects);
    QFETCH(int, count);

    const std::optional<qint16> n = ArraySetup::listCount(objects);
    QCOMPARE(n ? int(*n) : -1, count);
}

void TestArraySettings::listOfTwoEntries()
{
    ArraySettings s;
    startList(s, 2);
    QCOMPARE(s.PosEntries.size(), 3);
    QCOMPARE(entryCaption(s.PosIndex), QStringLiteral("Object 1"));
    QVERIFY(!listComplete(s));

    QCOMPARE(storeEntry(s, "40", "5", "70", "21"), Entry::Stored);
    QCOMPARE(entryCaption(s.PosIndex), QStringLiteral("Object 2"));
    QVERIFY(!listComplete(s));
    QCOMPARE(storeEntry(s, "70", "5", "70", "21"), Entry::Stored);
    QVERIFY(listComplete(s));
    QVERIFY(s.PosString.isEmpty());
    // A complete list takes no further entry.
    QCOMPARE(storeEntry(s, "1", "1", "1", "1"), Entry::ListComplete);
    QCOMPARE(s.PosIndex, 2);

    completeList(s);
    QCOMPARE(s.PosString, QStringLiteral("40,5,70,21|70,5,70,21|"));
    QCOMPARE(s.PosEntries.last(), QString());
}

void TestArraySettings::entryIgnoredWhileABoxIsEmpty_data()
{
    QTest::addColumn<QStringList>("boxes");

    QTest::newRow("top") << QStringList{"", "5", "70", "21"};
    QTest::newRow("left") << QStringList{"40", "", "70", "21"};
    QTest::newRow("width") << QStringList{"40", "5", "", "21"};
    QTest::newRow("height") << QStringList{"40", "5", "70", ""};
}

void TestArraySettings::entryIgnoredWhileABoxIsEmpty()
{
    QFETCH(QStringList, boxes);

    ArraySettings s;
    startList(s, 1);
    QCOMPARE(storeEntry(s, boxes[0], boxes[1], boxes[2], boxes[3]), Entry::MissingValue);
    QCOMPARE(s.PosIndex, 0);
    QCOMPARE(s.PosEntries, QStringList(2));
    // A blank is not empty: it is stored as typed.
    QCOMPARE(storeEntry(s, " ", "5", "70", "21"), Entry::Stored);
    QCOMPARE(s.PosEntries.first(), QStringLiteral(" ,5,70,21|"));
}

void TestArraySettings::emptyListCompletesAtOnce()
{
    ArraySettings s;
    s.PosString = QStringLiteral("1,1,1,1|");
    startList(s, 0);
    QVERIFY(listComplete(s));
    completeList(s);
    QCOMPARE(s.PosString, QString());
}

void TestArraySettings::secondListReplacesFirst()
{
    ArraySettings s;
    startList(s, 2);
    QCOMPARE(storeEntry(s, "40", "5", "70", "21"), Entry::Stored);
    QCOMPARE(storeEntry(s, "70", "5", "70", "21"), Entry::Stored);
    completeList(s);

    startList(s, 1);
    QVERIFY(s.PosString.isEmpty());
    QCOMPARE(storeEntry(s, "1", "2", "3", "4"), Entry::Stored);
    QVERIFY(listComplete(s));
    completeList(s);
    QCOMPARE(s.PosString, QStringLiteral("1,2,3,4|"));
}

void TestArraySettings::restartedListForgetsUnfinishedEntries()
{
    ArraySettings s;
    startList(s, 2);
    QCOMPARE(storeEntry(s, "40", "5", "70", "21"), Entry::Stored);
    startList(s, 2);
    QCOMPARE(s.PosIndex, 0);
    QCOMPARE(s.PosEntries, QStringList(3));
    QVERIFY(s.PosString.isEmpty());
}

QTEST_APPLESS_MAIN(TestArraySettings)
#include "tst_arraysettings.moc"
