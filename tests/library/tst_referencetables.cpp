#include "referencetables.h"
#include "storedcode.h"

#include <QSet>
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
    void everyConstantHasValueAndMeaning();
    void descriptions_data();
    void descriptions();
    void filter_data();
    void filter();
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
                               << u"vbFirstjan1"_s;
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

void TestReferenceTables::everyConstantHasValueAndMeaning()
{
    const QStringList runtime = {u"CurrentPath"_s, u"NSBVersion"_s};
    int seen = 0;
    // One constant a name, in any letter case, as the command line looks them up.
    QSet<QString> distinct;
    QList<QStringList> tables{ReferenceTables::messageBoxEntries()};
    for (int position = 0; position < ReferenceTables::errorCodesPosition; ++position)
        tables.append(ReferenceTables::entries(position));
    for (const QStringList &table : tables) {
        for (const QString &name : table) {
            ++seen;
            distinct.insert(name.toLower());
            const QString line = ReferenceTables::describe(name);
            const QString value = ReferenceTables::value(name);
            QVERIFY2(runtime.contains(name) == value.isEmpty(), qPrintable(name));
            const QString head = value.isEmpty() ? name : name + u" = "_s + value;
            QVERIFY2(line.startsWith(head + u": "_s), qPrintable(line));
            // A meaning of its own, one line, of a few words at least.
            const QString meaning = line.mid(head.size() + 2);
            QVERIFY2(meaning.size() >= 5 && !meaning.contains(u'\n'), qPrintable(line));
        }
    }
    QCOMPARE(seen, 8 + 2 + 12 + 5 + 9 + 17 + 2 + 23);
    QCOMPARE(distinct.size(), seen);
    // Error entries and unknown names have no description.
    for (const QString &name :
         {u" 5 Invalid procedure call"_s, u"vbFirstjani"_s, u"vbred"_s, QString(), u"*MY CODE*"_s})
        QVERIFY2(ReferenceTables::describe(name).isEmpty(), qPrintable(name));
}

void TestReferenceTables::descriptions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("line");
    QTest::newRow("colour") << u"vbRed"_s << u"vbRed = 255 (&HFF): red, as a colour value"_s;
    QTest::newRow("white") << u"vbWhite"_s
                           << u"vbWhite = 16777215 (&HFFFFFF): white, as a colour value"_s;
    QTest::newRow("string") << u"vbCrlf"_s
                            << u"vbCrlf = Chr(13) & Chr(10): carriage return and line feed"_s;
    QTest::newRow("first week")
        << u"vbFirstjan1"_s
        << u"vbFirstjan1 = 1: the first week of the year is the one holding 1 January"_s;
    QTest::newRow("text compare")
        << u"vbTextcompare"_s << u"vbTextcompare = 1: compare texts as words, ignoring capitals"_s;
    QTest::newRow("saturday") << u"vbSaturday"_s
                              << u"vbSaturday = 7: Saturday, as a day of the week"_s;
    QTest::newRow("short time")
        << u"vbShorttime"_s << u"vbShorttime = 4: show a time as hours and minutes, on 24 hours"_s;
    QTest::newRow("byte") << u"vbByte"_s << u"vbByte = 17: VarType of a byte"_s;
    QTest::newRow("array")
        << u"vbArray"_s
        << u"vbArray = 8192 (&H2000): added to the VarType of an array's elements"_s;
    QTest::newRow("runtime") << u"CurrentPath"_s
                             << u"CurrentPath: the folder the running program was started from, "
                                "read at run time"_s;
}

void TestReferenceTables::descriptions()
{
    QFETCH(QString, name);
    QFETCH(QString, line);
    QCOMPARE(ReferenceTables::describe(name), line);
}

void TestReferenceTables::filter_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("kept");
    QTest::newRow("empty keeps the table") << 0 << QString() << ReferenceTables::entries(0);
    QTest::newRow("name, any case") << 0 << u"RED"_s << QStringList{u"vbRed"_s};
    QTest::newRow("hex value") << 0 << u"ff00"_s
                               << QStringList{u"vbGreen"_s, u"vbBlue"_s, u"vbMagenta"_s,
                                              u"vbCyan"_s};
    QTest::newRow("decimal value") << 5 << u"8192"_s << QStringList{u"vbArray"_s};
    QTest::newRow("string value") << 4 << u"chr(10)"_s
                                  << QStringList{u"vbCrlf"_s, u"vbLf"_s, u"vbNewline"_s};
    QTest::newRow("first week") << 2 << u"first"_s
                                << QStringList{u"vbFirstjan1"_s, u"vbFirstfourdays"_s,
                                               u"vbFirstfullweek"_s};
    QTest::newRow("error number") << 7 << u"445"_s
                                  << QStringList{u"445 Object does not support action"_s};
    QTest::newRow("error message, any case")
        << 7 << u"DISK"_s << QStringList{u"61 Disk full"_s, u"71 Disk not ready"_s};
    QTest::newRow("nothing matches") << 1 << u"zzz"_s << QStringList();
    QTest::newRow("no table") << 8 << u"a"_s << QStringList();
}

void TestReferenceTables::filter()
{
    QFETCH(int, position);
    QFETCH(QString, text);
    QFETCH(QStringList, kept);
    QCOMPARE(ReferenceTables::filtered(position, text), kept);
}

QTEST_APPLESS_MAIN(TestReferenceTables)
#include "tst_referencetables.moc"
