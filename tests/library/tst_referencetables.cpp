#include "referencetables.h"
#include "storedcode.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestReferenceTables : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void categories();
    void tables_data();
    void tables();
    void tableIsBarSeparatedList();
    void noTableOutsideTheReference();
};

void TestReferenceTables::categories()
{
    const QStringList expected = {
        QStringLiteral("Color              Costants"),
        QStringLiteral("Comparison    Constant"),
        QStringLiteral("Date/Time     Costants"),
        QStringLiteral("Date Format   Costants"),
        QStringLiteral("String             Costants"),
        QStringLiteral("Vartype          Costants"),
        QStringLiteral("Global             Costants"),
        QStringLiteral("--ERROR Codes--"),
        QStringLiteral("*MY CODE*"),
    };
    QCOMPARE(ReferenceTables::categoryCount, int(expected.size()));
    for (int i = 0; i < ReferenceTables::categoryCount; ++i)
        QCOMPARE(ReferenceTables::category(i), expected.at(i));
    QCOMPARE(ReferenceTables::category(ReferenceTables::errorCodesPosition), expected.at(7));
    QCOMPARE(ReferenceTables::category(ReferenceTables::myCodePosition), expected.at(8));
}

void TestReferenceTables::tables_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<int>("probeIndex");
    QTest::addColumn<QString>("probe");

    QTest::newRow("colour") << 0 << 8 << u"vbBlack"_s << u"vbWhite"_s << 4 << u"vbYellow"_s;
    QTest::newRow("comparison") << 1 << 2 << u"vbBinarycompare"_s << u"vbTextcompare"_s << 1
                                << u"vbTextcompare"_s;
    QTest::newRow("date/time") << 2 << 12 << u"vbSunday"_s << u"vbUsesystemdayofweek"_s << 7
                               << u"vbFirstjani"_s;
    QTest::newRow("date format") << 3 << 5 << u"vbGeneraldate"_s << u"vbShorttime"_s << 2
                                 << u"vbShortdate"_s;
    QTest::newRow("string") << 4 << 9 << u"vbCr"_s << u"vbVerticaltab"_s << 7 << u"vbNullstring"_s;
    QTest::newRow("vartype") << 5 << 17 << u"vbEmpty"_s << u"vbArray"_s << 13 << u"vbDataobject"_s;
    QTest::newRow("global") << 6 << 2 << u"CurrentPath"_s << u"NSBVersion"_s << 1
                            << u"NSBVersion"_s;
    QTest::newRow("error codes") << 7 << 54 << u" 5 Invalid procedure call"_s
                                 << u"32811 Element not found"_s << 4
                                 << u"10 Array Fixed orTemporarily locked"_s;
    QTest::newRow("error codes, blank of 9")
        << 7 << 54 << u" 5 Invalid procedure call"_s << u"32811 Element not found"_s << 3
        << u" 9 Subscript out of range"_s;
    QTest::newRow("error codes, own spelling")
        << 7 << 54 << u" 5 Invalid procedure call"_s << u"32811 Element not found"_s << 36
        << u"438 Object does nnot support property or method"_s;
}

void TestReferenceTables::tables()
{
    QFETCH(int, position);
    QFETCH(int, count);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(int, probeIndex);
    QFETCH(QString, probe);

    // What the code box shows: the table's list, one entry per line.
    const QStringList lines =
        StoredCode::listToLines(ReferenceTables::table(position)).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), count + 1);
    QCOMPARE(lines.constLast(), QString());
    QCOMPARE(lines.constFirst(), first);
    QCOMPARE(lines.at(count - 1), last);
    QCOMPARE(lines.at(probeIndex), probe);
    QVERIFY(!lines.mid(0, count).contains(QString()));
    QCOMPARE(lines.mid(0, count), ReferenceTables::entries(position));
}

void TestReferenceTables::tableIsBarSeparatedList()
{
    QCOMPARE(ReferenceTables::table(0),
             QStringLiteral("vbBlack|vbRed|vbGreen|vbBlue|vbYellow|vbMagenta|vbCyan|vbWhite"));
    QCOMPARE(ReferenceTables::table(6), QStringLiteral("CurrentPath|NSBVersion"));
    for (int i = 0; i < ReferenceTables::tableCount; ++i) {
        const QString t = ReferenceTables::table(i);
        QVERIFY(!t.startsWith(QLatin1Char('|')));
        QVERIFY(!t.endsWith(QLatin1Char('|')));
        QVERIFY(!t.contains(QStringLiteral("||")));
    }
}

void TestReferenceTables::noTableOutsideTheReference()
{
    for (int position : {-1, 8, 9, 100}) {
        QVERIFY(ReferenceTables::entries(position).isEmpty());
        QVERIFY(ReferenceTables::table(position).isEmpty());
    }
    QVERIFY(ReferenceTables::category(-1).isEmpty());
    QVERIFY(ReferenceTables::category(9).isEmpty());
}

QTEST_APPLESS_MAIN(TestReferenceTables)
#include "tst_referencetables.moc"
