#include "formplace.h"
#include "taborder.h"

#include <QTest>

class TestFormPlace : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data();
    void parse();
    void objectsOfARange();
    void shownName_data();
    void shownName();
    void gridCell_data();
    void gridCell();
    void byPosition_data();
    void byPosition();
};

void TestFormPlace::parse_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("placed");
    QTest::addColumn<QRect>("place");

    const auto row = [](const char *name, const char *line, const char *kind, bool placed,
                        QRect place = {}) {
        QTest::newRow(name) << QByteArray(line) << QString::fromLatin1(kind) << placed << place;
    };
    // Present.
    row("designer line", "AddObject \"TextBox\",\"QtyBox\",10,40,60,21", "TextBox", true,
        QRect(10, 40, 60, 21));
    row("blanks around", "  ADDOBJECT  \"Label\" , \"Title\" ,\t0 , 5,100, 12  ", "Label", true,
        QRect(0, 5, 100, 12));
    row("off the screen", "addobject \"ListBox\",\"L\",-30,-4,400,900", "ListBox", true,
        QRect(-30, -4, 400, 900));
    row("empty name", "AddObject \"Label\",\"\",1,2,3,4", "Label", true, QRect(1, 2, 3, 4));
    // Absent.
    row("plain opening line", "New object", "", false);
    row("empty line", "", "", false);
    row("kind and name only", "AddObject \"CommandButton\",\"Ok\"", "CommandButton", false);
    row("keyword in another word", "MyAddObject \"Label\",\"T\",1,2,3,4", "", false);
    // Malformed.
    row("three numbers", "AddObject \"Label\",\"T\",1,2,3", "Label", false);
    row("five numbers", "AddObject \"Label\",\"T\",1,2,3,4,5", "Label", false);
    row("letters for a number", "AddObject \"Label\",\"T\",1,x,3,4", "Label", false);
    row("decimal number", "AddObject \"Label\",\"T\",1.5,2,3,4", "Label", false);
    row("expression", "AddObject \"Label\",\"T\" & i,5+i*70,40,70,21", "Label", false);
    row("zero width", "AddObject \"Label\",\"T\",1,2,0,4", "Label", false);
    row("negative height", "AddObject \"Label\",\"T\",1,2,3,-4", "Label", false);
    row("too long a number", "AddObject \"Label\",\"T\",1,2,3,12345678", "Label", false);
    row("unclosed kind", "AddObject \"Label,\"T\",1,2,3,4", "Label,", false);
    row("unquoted kind", "AddObject Label,\"T\",1,2,3,4", "", false);
    row("missing comma", "AddObject \"Label\" \"T\",1,2,3,4", "Label", false);
    row("text after the height", "AddObject \"Label\",\"T\",1,2,3,4 : x = 1", "Label", false);
}

void TestFormPlace::parse()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, kind);
    QFETCH(bool, placed);
    QFETCH(QRect, place);
    const FormPlace::Opening opening = FormPlace::parse(line);
    QCOMPARE(opening.kind, kind);
    QCOMPARE(opening.placed, placed);
    if (placed)
        QCOMPARE(opening.place, place);
}

void TestFormPlace::objectsOfARange()
{
    const QList<QByteArray> section =
        QByteArray("' Begin Gen|Dim Form1|'|AddObject \"TextBox\",\"Qty\",10,40,60,21|"
                   " Set Ctl(1) =  Qty Box|'|New object| SET Ctl(2) = Ok|'|' End Generated")
            .split('|');
    const QList<FormPlace::Object> objects = FormPlace::objects(section, 1, 9);
    QCOMPARE(objects.size(), 2);
    QCOMPARE(objects.at(0).name, QStringLiteral("Qty Box"));
    QCOMPARE(objects.at(0).opening.place, QRect(10, 40, 60, 21));
    QCOMPARE(objects.at(1).name, QStringLiteral("Ok"));
    QVERIFY(!objects.at(1).opening.placed);
}

void TestFormPlace::shownName_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    const QString sixty(FormPlace::shownNameLength, QLatin1Char('n'));
    QTest::newRow("short") << QByteArray("  OkButton") << QStringLiteral("OkButton");
    QTest::newRow("exactly the length") << QByteArray(FormPlace::shownNameLength, 'n') << sixty;
    QTest::newRow("one more") << QByteArray(FormPlace::shownNameLength + 1, 'n')
                              << sixty.left(FormPlace::shownNameLength - 1) + QChar(0x2026);
    QTest::newRow("twenty megabytes")
        << QByteArray(20 << 20, 'n') << sixty.left(FormPlace::shownNameLength - 1) + QChar(0x2026);
    QTest::newRow("empty") << QByteArray("   ") << QString();
}

// Names are cut to a length the picture can draw at once.
void TestFormPlace::shownName()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    QCOMPARE(FormPlace::shownName(bytes), shown);
}

void TestFormPlace::gridCell_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QPoint>("cell");
    QTest::newRow("first") << 0 << 10 << QPoint(0, 0);
    QTest::newRow("end of the first column") << 9 << 10 << QPoint(0, 9);
    QTest::newRow("second column") << 10 << 10 << QPoint(1, 0);
    QTest::newRow("worked example") << 5 << 2 << QPoint(2, 1);
    QTest::newRow("no room: one row") << 3 << 0 << QPoint(3, 0);
}

void TestFormPlace::gridCell()
{
    QFETCH(int, index);
    QFETCH(int, rows);
    QFETCH(QPoint, cell);
    QCOMPARE(FormPlace::gridCell(index, rows), cell);
}

// Objects as "left top width height" (or "-" for no place), in their present order; then the
// order by position.
void TestFormPlace::byPosition_data()
{
    QTest::addColumn<QStringList>("places");
    QTest::addColumn<QList<int>>("order");

    QTest::newRow("one row, right to left")
        << QStringList{"90 0 20 10", "50 2 20 10", "10 4 20 10"} << QList<int>{3, 2, 1};
    QTest::newRow("a column, bottom to top")
        << QStringList{"0 60 20 10", "0 30 20 10", "0 0 20 10"} << QList<int>{3, 2, 1};
    // Less than half of the smaller height below joins the row; half of it begins the next.
    QTest::newRow("just under half the height")
        << QStringList{"50 0 20 10", "0 4 20 10"} << QList<int>{2, 1};
    QTest::newRow("half the height begins a row")
        << QStringList{"50 0 20 10", "0 5 20 10"} << QList<int>{1, 2};
    QTest::newRow("the smaller height counts")
        << QStringList{"50 0 20 100", "0 8 20 14"} << QList<int>{1, 2};
    QTest::newRow("measured from the row's first object")
        << QStringList{"0 0 20 10", "40 4 20 10", "80 8 20 10"} << QList<int>{1, 2, 3};
    QTest::newRow("no place after the placed ones, in their order")
        << QStringList{"-", "30 0 20 10", "-", "0 0 20 10"} << QList<int>{4, 2, 1, 3};
    QTest::newRow("same place keeps the present order")
        << QStringList{"5 5 20 10", "5 5 20 10"} << QList<int>{1, 2};
    QTest::newRow("nothing placed") << QStringList{"-", "-"} << QList<int>{1, 2};
}

void TestFormPlace::byPosition()
{
    QFETCH(QStringList, places);
    QFETCH(QList<int>, order);

    QList<FormPlace::Object> objects;
    for (const QString &place : places) {
        FormPlace::Object object;
        const QStringList n = place.split(QLatin1Char(' '));
        if (n.size() == 4) {
            object.opening.placed = true;
            object.opening.place =
                QRect(n.at(0).toInt(), n.at(1).toInt(), n.at(2).toInt(), n.at(3).toInt());
        }
        objects.append(object);
    }
    QCOMPARE(TabOrder::byPosition(objects), order);
}

QTEST_GUILESS_MAIN(TestFormPlace)
#include "tst_formplace.moc"
