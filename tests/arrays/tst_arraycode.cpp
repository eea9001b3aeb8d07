#include "arraycode.h"

#include <QTest>

using namespace ArrayCode;

namespace {

// The standard code for command buttons Abutt1 (first kind selection), three objects,
// "Horizontal" with width 70 and spacer 5, left 5, top 40, size 70 by 21.
const QStringList standardExample = {
    QStringLiteral("Vc=0:Oc=75"),
    QStringLiteral("Dim Iar1,Abutt1(2),Abutt1val"),
    QStringLiteral("For Iar1= 0 to UBOUND(Abutt1)"),
    QStringLiteral(
        "ADDOBJECT \"CommandButton\",\"Abutt1\" & Iar1,5+ ( Iar1 * Oc ),40+ ( Iar1 * Vc ),70,21"),
    QStringLiteral("EXECUTE(\"SET Abutt1(\" & Iar1 & \") = Abutt1\" & Iar1)"),
    QStringLiteral("EXECUTE(\"SUB Abutt1\"& Iar1 &\"_Click\" _"),
    QStringLiteral("& vbCrLf & \"Abutt1_Click(\"& Iar1 &\")\" _"),
    QStringLiteral("& vbCrLf &\"END SUB\")"),
    QStringLiteral("Abutt1( Iar1 ).BackColor = Output.BackColor"),
    QStringLiteral("Next"),
    QStringLiteral(" Rem Your Customized Properties here [example] Abutt1(1).FontBold = 1"),
    QStringLiteral("SUB Abutt1_Click(num)"),
    QStringLiteral("Select case num"),
    QStringLiteral(" Rem Case ....."),
    QStringLiteral(" Rem Your code here "),
    QStringLiteral("End Select"),
    QStringLiteral("End Sub"),
};

// The customized code for Abutt1 with two objects typed as top 40, left 5, 70 by 21 and
// top 70, left 5, 70 by 21.
const QStringList customizedExample = {
    QStringLiteral("Dim Abutt1(2)"),
    QStringLiteral("Dim ObjPos,PosObj,xar,par,zar,Iar,yar"),
    QStringLiteral("Dim Lar,Tar,War,Har"),
    QStringLiteral("Yar=0"),
    QStringLiteral("ObjPos = \"40,5,70,21|70,5,70,21|\""),
    QStringLiteral("Iar=0"),
    QStringLiteral("Do While Len(ObjPos)"),
    QStringLiteral("zar=Instr(ObjPos + \"|\",\"|\")"),
    QStringLiteral("PosObj=Left(ObjPos,zar-1)"),
    QStringLiteral("xar=0"),
    QStringLiteral("Do While Len(PosObj)"),
    QStringLiteral("par=Instr(PosObj + \",\",\",\")"),
    QStringLiteral("If xar=0 Then Tar=Left(PosObj,par-1)"),
    QStringLiteral("If xar=1 Then Lar=Left(PosObj,par-1)"),
    QStringLiteral("If xar=2 Then War=Left(PosObj,par-1)"),
    QStringLiteral("If xar=3 Then Har=Left(PosObj,par-1)"),
    QStringLiteral("PosObj=Mid(PosObj,par+1):xar=xar+1"),
    QStringLiteral("Loop"),
    QStringLiteral("ADDOBJECT \"CommandButton\",\"Abutt1\" & Iar ,Lar,Tar,War,Har"),
    QStringLiteral("EXECUTE(\"SET Abutt1(\" & Iar & \") = Abutt1\" & Iar)"),
    QStringLiteral("EXECUTE(\"SUB Abutt1\"& Iar &\"_Click\" _"),
    QStringLiteral("& vbCrLf & \"Abutt1_Click(\"& Iar &\")\" _"),
    QStringLiteral("& vbCrLf & \"END SUB\")"),
    QStringLiteral("Abutt1( Iar ).BackColor = Output.BackColor"),
    QStringLiteral("ObjPos=Mid(ObjPos,zar+1):Iar=Iar+1"),
    QStringLiteral("Loop"),
    QStringLiteral(" Rem Your Customized Properties here [example] Abutt1(1).FontBold = 1"),
    QStringLiteral("SUB Abutt1_Click(num)"),
    QStringLiteral("Select case num"),
    QStringLiteral(" Rem Case ....."),
    QStringLiteral(" Rem Your code here "),
    QStringLiteral("End Select"),
    QStringLiteral("End Sub"),
};

QString crlf(const QStringList &lines)
{
    return lines.join(QStringLiteral("\r\n"));
}

ArraySettings selections(const QList<int> &kinds)
{
    ArraySettings s;
    for (int kind : kinds)
        ArraySetup::selectKind(s, kind);
    return s;
}

ArraySettings standardSettings(const QList<int> &kinds = {2})
{
    ArraySettings s = selections(kinds);
    s.VertStep = TextOrNumber::fromNumber(0);
    s.HorzStep = TextOrNumber::fromNumber(75);
    s.LeftBase = TextOrNumber::fromText(QStringLiteral("5"));
    s.TopBase = TextOrNumber::fromText(QStringLiteral("40"));
    s.ObjWidth = TextOrNumber::fromText(QStringLiteral("70"));
    s.ObjHeight = TextOrNumber::fromText(QStringLiteral("21"));
    return s;
}

ArraySettings customizedSettings()
{
    ArraySettings s = selections({2});
    s.PosCount = 2;
    s.PosString = QStringLiteral("40,5,70,21|70,5,70,21|");
    return s;
}

} // namespace

class TestArrayCode : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void standardWorkedExample();
    void standardVertical();
    void standardVariants_data();
    void standardVariants();
    void labelArray();
    void standardRefusals_data();
    void standardRefusals();
    void customizedWorkedExample();
    void customizedVariants_data();
    void customizedVariants();
    void customizedRefusal();
    void backgroundLineOfEveryKind_data();
    void backgroundLineOfEveryKind();
};

void TestArrayCode::standardWorkedExample()
{
    const QString text = standardCode(standardSettings(), 3);
    QCOMPARE(text, crlf(standardExample));
    QCOMPARE(text.count(QStringLiteral("\r\n")), 16);
    QVERIFY(!text.endsWith(QLatin1Char('\n')));
    QVERIFY(checkStandard(standardSettings()).ok());
}

void TestArrayCode::standardVertical()
{
    ArraySettings s = standardSettings();
    ArraySetup::selectVertical(s, QStringLiteral("21"));
    QStringList expected = standardExample;
    expected[0] = QStringLiteral("Vc=21:Oc=0");
    QCOMPARE(standardCode(s, 3), crlf(expected));
}

void TestArrayCode::standardVariants_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("width");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("expectedLine");

    QTest::newRow("count 0") << 0 << "70" << 1 << "Dim Iar1,Abutt1(-1),Abutt1val";
    QTest::newRow("count 1") << 1 << "70" << 1 << "Dim Iar1,Abutt1(0),Abutt1val";
    QTest::newRow("count 12") << 12 << "70" << 1 << "Dim Iar1,Abutt1(11),Abutt1val";
    QTest::newRow("empty width")
        << 3 << "" << 3
        << "ADDOBJECT \"CommandButton\",\"Abutt1\" & Iar1,5+ ( Iar1 * Oc ),40+ ( Iar1 * Vc ),,21";
    QTest::newRow("width as typed") << 3 << " 7o" << 3
                                    << "ADDOBJECT \"CommandButton\",\"Abutt1\" & Iar1,5+ ( Iar1 * "
                                       "Oc ),40+ ( Iar1 * Vc ), 7o,21";
}

void TestArrayCode::standardVariants()
{
    QFETCH(int, count);
    QFETCH(QString, width);
    QFETCH(int, line);
    QFETCH(QString, expectedLine);

    ArraySettings s = standardSettings();
    s.ObjWidth = TextOrNumber::fromText(width);
    QStringList expected = standardExample;
    expected[line] = expectedLine;
    QCOMPARE(standardCode(s, count), crlf(expected));
}

void TestArrayCode::labelArray()
{
    const ArraySettings s = standardSettings({2, 3});

    QString expected = crlf(standardExample);
    expected.replace(QStringLiteral("Abutt1"), QStringLiteral("Alabel2"))
        .replace(QStringLiteral("Iar1"), QStringLiteral("Iar2"))
        .replace(QStringLiteral("\"CommandButton\""), QStringLiteral("\"Label\""))
        .replace(QStringLiteral("Alabel2( Iar2 ).BackColor = Output.BackColor"),
                 QStringLiteral("Alabel2( Iar2 ).BackColor = vbWhite  'Output.BackColor"));
    QVERIFY(expected.contains(
        QStringLiteral("\r\nAlabel2( Iar2 ).BackColor = vbWhite  'Output.BackColor\r\n")));
    QCOMPARE(standardCode(s, 3), expected);
}

void TestArrayCode::standardRefusals_data()
{
    QTest::addColumn<bool>("kindChosen");
    QTest::addColumn<TextOrNumber>("vertStep");
    QTest::addColumn<TextOrNumber>("horzStep");
    QTest::addColumn<QString>("message");

    const TextOrNumber unset;
    const TextOrNumber zero = TextOrNumber::fromNumber(0);
    const auto text = [](const char *t) { return TextOrNumber::fromText(QString::fromLatin1(t)); };

    QTest::newRow("nothing chosen") << false << unset << unset << "Objects' type not selected";
    QTest::newRow("no kind, layout chosen")
        << false << zero << text("70") << "Objects' type not selected";
    QTest::newRow("no layout yet") << true << unset << unset << "Not selected display mode";
    QTest::newRow("layout took a size of 0")
        << true << text("0") << zero << "Not selected display mode";
    QTest::newRow("spacer made the step 0") << true << zero << zero << "Not selected display mode";
    QTest::newRow("horizontal") << true << zero << TextOrNumber::fromNumber(75) << "";
    QTest::newRow("vertical") << true << text("21") << zero << "";
    QTest::newRow("letters are a step") << true << text("abc") << zero << "";
    QTest::newRow("empty size is a step") << true << zero << text("") << "";
}

void TestArrayCode::standardRefusals()
{
    QFETCH(bool, kindChosen);
    QFETCH(TextOrNumber, vertStep);
    QFETCH(TextOrNumber, horzStep);
    QFETCH(QString, message);

    ArraySettings s = kindChosen ? selections({0}) : ArraySettings();
    s.VertStep = vertStep;
    s.HorzStep = horzStep;
    const Result<> check = checkStandard(s);
    QCOMPARE(check.ok(), message.isEmpty());
    QCOMPARE(check.message(), message);
}

void TestArrayCode::customizedWorkedExample()
{
    const QString text = customizedCode(customizedSettings());
    QCOMPARE(text, crlf(customizedExample));
    QCOMPARE(text.count(QStringLiteral("\r\n")), 32);
    QVERIFY(ArrayCode::checkCustomized(customizedSettings()).ok());
}

void TestArrayCode::customizedVariants_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("positions");
    QTest::addColumn<QString>("line1");
    QTest::addColumn<QString>("line5");

    QTest::newRow("list not completed") << 2 << ""
                                        << "Dim Abutt1(2)"
                                        << "ObjPos = \"\"";
    QTest::newRow("count 0") << 0 << ""
                             << "Dim Abutt1(0)"
                             << "ObjPos = \"\"";
    QTest::newRow("one object") << 1 << "1,2,3,4|"
                                << "Dim Abutt1(1)"
                                << "ObjPos = \"1,2,3,4|\"";
    QTest::newRow("largest count") << 32767 << ""
                                   << "Dim Abutt1(32767)"
                                   << "ObjPos = \"\"";
}

void TestArrayCode::customizedVariants()
{
    QFETCH(int, count);
    QFETCH(QString, positions);
    QFETCH(QString, line1);
    QFETCH(QString, line5);

    ArraySettings s = customizedSettings();
    s.PosCount = qint16(count);
    s.PosString = positions;
    QStringList expected = customizedExample;
    expected[0] = line1;
    expected[4] = line5;
    QCOMPARE(customizedCode(s), crlf(expected));
}

void TestArrayCode::customizedRefusal()
{
    ArraySettings s;
    s.PosCount = 2;
    s.PosString = QStringLiteral("40,5,70,21|70,5,70,21|");
    const Result<> check = ArrayCode::checkCustomized(s);
    QVERIFY(!check.ok());
    QCOMPARE(check.message(), QStringLiteral("Objects' type not selected"));
}

void TestArrayCode::backgroundLineOfEveryKind_data()
{
    QTest::addColumn<QList<int>>("kinds");
    QTest::addColumn<QString>("standardLine");
    QTest::addColumn<QString>("customizedLine");

    QTest::newRow("option buttons")
        << QList<int>{0} << "Radio1( Iar1 ).BackColor = Output.BackColor"
        << "Radio1( Iar ).BackColor = Output.BackColor";
    QTest::newRow("check boxes") << QList<int>{1} << "Acheck1( Iar1 ).BackColor = Output.BackColor"
                                 << "Acheck1( Iar ).BackColor = Output.BackColor";
    QTest::newRow("labels, second selection")
        << QList<int>{2, 3} << "Alabel2( Iar2 ).BackColor = vbWhite  'Output.BackColor"
        << "Alabel2( Iar ).BackColor = vbWhite  'Output.BackColor";
    QTest::newRow("text boxes") << QList<int>{4}
                                << "Atext1( Iar1 ).BackColor = vbWhite  'Output.BackColor"
                                << "Atext1( Iar ).BackColor = vbWhite  'Output.BackColor";
    QTest::newRow("list boxes") << QList<int>{5}
                                << "Alist1( Iar1 ).BackColor = vbWhite  'Output.BackColor"
                                << "Alist1( Iar ).BackColor = vbWhite  'Output.BackColor";
}

void TestArrayCode::backgroundLineOfEveryKind()
{
    QFETCH(QList<int>, kinds);
    QFETCH(QString, standardLine);
    QFETCH(QString, customizedLine);

    ArraySettings s = selections(kinds);
    s.VertStep = TextOrNumber::fromNumber(21);
    const QStringList standard = standardCode(s, 2).split(QStringLiteral("\r\n"));
    QCOMPARE(standard.size(), 17);
    QCOMPARE(standard[8], standardLine);
    const QStringList customized = customizedCode(s).split(QStringLiteral("\r\n"));
    QCOMPARE(customized.size(), 33);
    QCOMPARE(customized[23], customizedLine);
}

QTEST_APPLESS_MAIN(TestArrayCode)
#include "tst_arraycode.moc"
