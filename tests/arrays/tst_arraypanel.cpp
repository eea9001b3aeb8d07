#include "arraypanel.h"
#include "uitest.h"
#include "workedexamples.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

namespace {

const QString standardExample = standardArrayExample();

const QString customizedExample =
    QStringLiteral("Dim Abutt1(2)\r\n"
                   "Dim ObjPos,PosObj,xar,par,zar,Iar,yar\r\n"
                   "Dim Lar,Tar,War,Har\r\n"
                   "Yar=0\r\n"
                   "ObjPos = \"40,5,70,21|70,5,70,21|\"\r\n"
                   "Iar=0\r\n"
                   "Do While Len(ObjPos)\r\n"
                   "zar=Instr(ObjPos + \"|\",\"|\")\r\n"
                   "PosObj=Left(ObjPos,zar-1)\r\n"
                   "xar=0\r\n"
                   "Do While Len(PosObj)\r\n"
                   "par=Instr(PosObj + \",\",\",\")\r\n"
                   "If xar=0 Then Tar=Left(PosObj,par-1)\r\n"
                   "If xar=1 Then Lar=Left(PosObj,par-1)\r\n"
                   "If xar=2 Then War=Left(PosObj,par-1)\r\n"
                   "If xar=3 Then Har=Left(PosObj,par-1)\r\n"
                   "PosObj=Mid(PosObj,par+1):xar=xar+1\r\n"
                   "Loop\r\n"
                   "ADDOBJECT \"CommandButton\",\"Abutt1\" & Iar ,Lar,Tar,War,Har\r\n"
                   "EXECUTE(\"SET Abutt1(\" & Iar & \") = Abutt1\" & Iar)\r\n"
                   "EXECUTE(\"SUB Abutt1\"& Iar &\"_Click\" _\r\n"
                   "& vbCrLf & \"Abutt1_Click(\"& Iar &\")\" _\r\n"
                   "& vbCrLf & \"END SUB\")\r\n"
                   "Abutt1( Iar ).BackColor = Output.BackColor\r\n"
                   "ObjPos=Mid(ObjPos,zar+1):Iar=Iar+1\r\n"
                   "Loop\r\n"
                   " Rem Your Customized Properties here [example] Abutt1(1).FontBold = 1\r\n"
                   "SUB Abutt1_Click(num)\r\n"
                   "Select case num\r\n"
                   " Rem Case .....\r\n"
                   " Rem Your code here \r\n"
                   "End Select\r\n"
                   "End Sub");

const QString fitMessage = QStringLiteral("Objects or dimensions\r\nexceed display space");

void setText(const UiFixture &ui, const char *box, const QString &text)
{
    ui.w<QLineEdit>(box)->setText(text);
}

void clickTimes(const UiFixture &ui, const char *button, int times)
{
    for (int i = 0; i < times; ++i)
        ui.click(button);
}

const ArraySettings &settings(const UiFixture &ui)
{
    return ui.w<ArrayPanel>("ArrayPanel")->settings();
}

} // namespace

class TestArrayPanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void standardCycleThroughButtons();
    void customizedCycleThroughButtons();
    void copyTakesEditsAndRegenerationKeepsSteps();
    void kindSuffixRunsOverTheWholeRun();
    void countArrows();
    void layoutAndSpacerSetTheSteps();
    void fitCheckRefusesAndThenPasses();
    void copyAfterRefusal_data();
    void copyAfterRefusal();
    void noLayoutChosen();
    void customizedRefusesTooManyObjects();
    void customizedWithCountZero();
    void tabChain_data();
    void tabChain();
    void accessibleNames_data();
    void accessibleNames();
    void controlsShowWhole_data();
    void controlsShowWhole();
};

void TestArrayPanel::standardCycleThroughButtons()
{
    UiFixture ui;
    ui.start();
    auto *cbut2 = ui.w<QPushButton>("Cbut2");
    auto *copy = ui.w<QLineEdit>("Texttocopy");

    ui.click("OptionObject_2");
    clickTimes(ui, "Command2", 3);
    QCOMPARE(ui.caption("Textnum"), QStringLiteral("3"));
    ui.click("OptionDislpay_1");
    QVERIFY(!ui.w("spcr")->isHidden());
    QVERIFY(!ui.w("Spacelbl")->isHidden());
    QVERIFY(ui.w("Custins")->isHidden());
    setText(ui, "spcr", QStringLiteral("5"));
    setText(ui, "Topbox", QStringLiteral("5"));
    setText(ui, "Leftbox", QStringLiteral("40"));
    ui.click("Option2");

    ui.click("Cbut2");
    QCOMPARE(copy->text(), standardExample);
    QCOMPARE(copy->selectedText(), standardExample);
    QCOMPARE(cbut2->text(), QStringLiteral("COPY"));
    QVERIFY(ui.platform.messages().isEmpty());
    QCOMPARE(ui.note(), QStringLiteral("Created 17 lines of code, ready to COPY"));

    ui.click("Cbut2");
    QCOMPARE(ui.platform.clipboard, standardExample);
    QCOMPARE(cbut2->text(), QStringLiteral("CREATE Code"));
    QVERIFY(!cbut2->isEnabled());
    QCOMPARE(ui.note(), QStringLiteral("Copied 17 lines to the clipboard"));

    ui.click("Command1");
    QVERIFY(cbut2->isEnabled());
    QCOMPARE(cbut2->text(), QStringLiteral("CREATE Code"));
    QCOMPARE(ui.caption("Topbox"), QStringLiteral("10"));
    QCOMPARE(ui.caption("Leftbox"), QStringLiteral("10"));
    QCOMPARE(ui.caption("Widthbox"), QStringLiteral("70"));
    QCOMPARE(ui.caption("Highbox"), QStringLiteral("21"));
    QCOMPARE(ui.caption("Textnum"), QStringLiteral("0"));
    QCOMPARE(ui.caption("spcr"), QStringLiteral("0"));
    QVERIFY(ui.w("spcr")->isHidden());
    QVERIFY(ui.w("Spacelbl")->isHidden());
    QVERIFY(ui.w("Custins")->isHidden());
    QVERIFY(copy->text().isEmpty());
    for (const char *name :
         {"OptionObject_0", "OptionObject_1", "OptionObject_2", "OptionObject_3", "OptionObject_4",
          "OptionObject_5", "OptionDislpay_0", "OptionDislpay_1", "OptionDislpay_2"})
        QVERIFY2(!ui.w<QRadioButton>(name)->isChecked(), name);
    // The choices made stay in the settings; the spacer's reset did not touch the step.
    QCOMPARE(settings(ui).ArrayName, QStringLiteral("Abutt1"));
    QCOMPARE(settings(ui).HorzStep.toText(), QStringLiteral("75"));
    QCOMPARE(settings(ui).LeftBase.toText(), QStringLiteral("5"));
    QCOMPARE(settings(ui).TopBase.toText(), QStringLiteral("40"));
}

void TestArrayPanel::customizedCycleThroughButtons()
{
    UiFixture ui;
    ui.start();
    auto *custins = ui.w<QPushButton>("Custins");

    ui.click("OptionObject_2");
    clickTimes(ui, "Command2", 2);
    ui.click("OptionDislpay_2");
    QVERIFY(!custins->isHidden());
    QVERIFY(ui.w("spcr")->isHidden());
    QVERIFY(ui.w("Spacelbl")->isHidden());
    QCOMPARE(custins->text(), QStringLiteral("Object 1"));
    for (const char *box : {"Leftbox", "Topbox", "Widthbox", "Highbox"})
        QVERIFY2(ui.caption(box).isEmpty(), box);

    // A click while a box is empty is ignored.
    ui.click("Custins");
    setText(ui, "Leftbox", QStringLiteral("40"));
    setText(ui, "Topbox", QStringLiteral("5"));
    setText(ui, "Widthbox", QStringLiteral("70"));
    ui.click("Custins");
    QCOMPARE(custins->text(), QStringLiteral("Object 1"));
    QCOMPARE(ui.caption("Leftbox"), QStringLiteral("40"));
    QCOMPARE(settings(ui).PosIndex, 0);

    setText(ui, "Highbox", QStringLiteral("21"));
    ui.click("Custins");
    QCOMPARE(custins->text(), QStringLiteral("Object 2"));
    QVERIFY(!custins->isHidden());
    for (const char *box : {"Leftbox", "Topbox", "Widthbox", "Highbox"})
        QVERIFY2(ui.caption(box).isEmpty(), box);
    QCOMPARE(ui.caption("spcr"), QStringLiteral("1"));

    setText(ui, "Leftbox", QStringLiteral("70"));
    setText(ui, "Topbox", QStringLiteral("5"));
    setText(ui, "Widthbox", QStringLiteral("70"));
    setText(ui, "Highbox", QStringLiteral("21"));
    ui.click("Custins");
    QVERIFY(custins->isHidden());
    QCOMPARE(settings(ui).PosString, QStringLiteral("40,5,70,21|70,5,70,21|"));

    ui.click("Cbut2");
    QCOMPARE(ui.caption("Texttocopy"), customizedExample);
    QCOMPARE(ui.caption("Cbut2"), QStringLiteral("COPY"));
    ui.click("Cbut2");
    QCOMPARE(ui.platform.clipboard, customizedExample);
    QVERIFY(ui.platform.messages().isEmpty());
}

void TestArrayPanel::copyTakesEditsAndRegenerationKeepsSteps()
{
    UiFixture ui;
    ui.start();
    auto *copy = ui.w<QLineEdit>("Texttocopy");
    ui.click("OptionObject_2");
    clickTimes(ui, "Command2", 3);
    ui.click("OptionDislpay_1");
    setText(ui, "spcr", QStringLiteral("5"));
    setText(ui, "Topbox", QStringLiteral("5"));
    setText(ui, "Leftbox", QStringLiteral("40"));
    ui.click("Cbut2");
    QCOMPARE(copy->text(), standardExample);

    // The copy takes the box as it is at the click, edits included.
    const QString edited = QStringLiteral("Rem edited\r\n") + standardExample;
    copy->setText(edited);
    ui.click("Cbut2");
    QCOMPARE(ui.platform.clipboard, edited);

    // RESET keeps the steps chosen earlier: a new generation after changing only the boxes
    // changes the object line and keeps the step line.
    ui.click("Command1");
    setText(ui, "Topbox", QStringLiteral("15"));
    setText(ui, "Widthbox", QStringLiteral("80"));
    clickTimes(ui, "Command2", 3);
    ui.click("Cbut2");
    QString expected = standardExample;
    expected.replace(QStringLiteral(",5+ ( Iar1 * Oc ),40+ ( Iar1 * Vc ),70,21"),
                     QStringLiteral(",15+ ( Iar1 * Oc ),10+ ( Iar1 * Vc ),80,21"));
    QVERIFY(expected != standardExample);
    QCOMPARE(copy->text(), expected);
    QCOMPARE(ui.caption("Cbut2"), QStringLiteral("COPY"));
    QVERIFY(ui.platform.messages().isEmpty());
}

void TestArrayPanel::kindSuffixRunsOverTheWholeRun()
{
    UiFixture ui;
    ui.start();
    ui.click("OptionObject_2");
    QCOMPARE(settings(ui).ArrayName, QStringLiteral("Abutt1"));
    ui.click("OptionObject_3");
    QCOMPARE(settings(ui).ArrayName, QStringLiteral("Alabel2"));
    QCOMPARE(settings(ui).LoopVarName, QStringLiteral("Iar2"));
    // RESET clears the options but not the running count.
    ui.click("Command1");
    ui.click("OptionObject_2");
    QCOMPARE(settings(ui).ArrayName, QStringLiteral("Abutt3"));
    QCOMPARE(settings(ui).LoopVarName, QStringLiteral("Iar3"));
    QCOMPARE(settings(ui).ObjectClass, QStringLiteral("CommandButton"));
}

void TestArrayPanel::countArrows()
{
    UiFixture ui;
    ui.start();
    ui.click("Command5");
    QCOMPARE(ui.caption("Textnum"), QStringLiteral("0"));
    clickTimes(ui, "Command2", 3);
    QCOMPARE(ui.caption("Textnum"), QStringLiteral("3"));
    ui.click("Command5");
    QCOMPARE(ui.caption("Textnum"), QStringLiteral("2"));
    clickTimes(ui, "Command5", 3);
    QCOMPARE(ui.caption("Textnum"), QStringLiteral("0"));
}

void TestArrayPanel::layoutAndSpacerSetTheSteps()
{
    UiFixture ui;
    ui.start();
    ui.click("OptionDislpay_1");
    QVERIFY(settings(ui).HorzStep == TextOrNumber::fromText(QStringLiteral("70")));
    QVERIFY(settings(ui).VertStep == TextOrNumber::fromNumber(0));

    setText(ui, "spcr", QStringLiteral("5"));
    QVERIFY(settings(ui).HorzStep == TextOrNumber::fromNumber(75));
    setText(ui, "Widthbox", QStringLiteral("80"));
    QCOMPARE(settings(ui).HorzStep.toText(), QStringLiteral("75"));
    setText(ui, "spcr", QStringLiteral("2.5"));
    QCOMPARE(settings(ui).HorzStep.toText(), QStringLiteral("82.5"));

    // A width that is no whole number leaves the step as it was.
    setText(ui, "Widthbox", QString());
    setText(ui, "spcr", QStringLiteral("1"));
    QCOMPARE(settings(ui).HorzStep.toText(), QStringLiteral("82.5"));

    ui.click("OptionDislpay_0");
    QVERIFY(settings(ui).VertStep == TextOrNumber::fromText(QStringLiteral("21")));
    QVERIFY(settings(ui).HorzStep == TextOrNumber::fromNumber(0));
    setText(ui, "spcr", QStringLiteral("4"));
    QCOMPARE(settings(ui).VertStep.toText(), QStringLiteral("25"));
}

void TestArrayPanel::fitCheckRefusesAndThenPasses()
{
    UiFixture ui;
    ui.start();
    auto *copy = ui.w<QLineEdit>("Texttocopy");
    ui.click("Option1");
    ui.click("OptionObject_2");
    ui.click("OptionDislpay_0");
    clickTimes(ui, "Command2", 14);
    // First generation: no bases yet, 21 x 14 = 294 fits.
    ui.click("Cbut2");
    QCOMPARE(ui.caption("Cbut2"), QStringLiteral("COPY"));
    QVERIFY(copy->text().startsWith(QStringLiteral("Vc=21:Oc=0\r\n")));
    ui.click("Cbut2");
    ui.click("Command1");

    // LeftBase now holds 10: 21 x 14 + 10 = 304 exceeds 300.
    ui.click("OptionDislpay_0");
    clickTimes(ui, "Command2", 14);
    ui.click("Cbut2");
    QCOMPARE(ui.platform.messages(), QStringList{fitMessage});
    QCOMPARE(ui.platform.callsOf(QStringLiteral("msgbox")).first().flags, 0);
    QCOMPARE(ui.caption("Cbut2"), QStringLiteral("CREATE Code"));
    QVERIFY(copy->text().isEmpty());
    QCOMPARE(ui.note(), QStringLiteral("Nothing created: too big for the ppc screen"));

    // 13 objects: 283.
    ui.click("Command5");
    ui.click("Cbut2");
    QCOMPARE(ui.platform.messages().size(), 1);
    QCOMPARE(ui.caption("Cbut2"), QStringLiteral("COPY"));
    QVERIFY(copy->text().contains(QStringLiteral("Dim Iar1,Abutt1(12),Abutt1val")));
}

void TestArrayPanel::copyAfterRefusal_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("message");

    QTest::newRow("no kind") << QStringList() << QStringLiteral("Objects' type not selected");
    QTest::newRow("no layout") << QStringList{QStringLiteral("OptionObject_4")}
                               << QStringLiteral("Not selected display mode");
    QTest::newRow("customized, no kind")
        << QStringList{QStringLiteral("OptionDislpay_2"), QStringLiteral("Custins")}
        << QStringLiteral("Objects' type not selected");
}

// A refused array still turns the caption to "COPY"; that COPY leaves the clipboard alone.
void TestArrayPanel::copyAfterRefusal()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, message);

    UiFixture ui;
    ui.start();
    auto *cbut2 = ui.w<QPushButton>("Cbut2");
    ui.platform.clipboard = QStringLiteral("copied before");
    for (const QString &name : clicks)
        ui.click(name.toLatin1().constData());
    ui.click("Cbut2");
    QCOMPARE(ui.platform.messages(), QStringList{message});
    QCOMPARE(cbut2->text(), QStringLiteral("COPY"));
    QVERIFY(ui.caption("Texttocopy").isEmpty());
    QCOMPARE(ui.note(), QStringLiteral("Nothing created: ") + message);
    ui.click("Cbut2");
    QCOMPARE(ui.note(), QStringLiteral("Nothing copied: the copy box is empty"));
    QVERIFY(!ui.platform.clipboardSet);
    QCOMPARE(ui.platform.clipboard, QStringLiteral("copied before"));
    QCOMPARE(ui.platform.messages().size(), 1);
    QCOMPARE(cbut2->text(), QStringLiteral("CREATE Code"));
    QVERIFY(!cbut2->isEnabled());
}

void TestArrayPanel::noLayoutChosen()
{
    UiFixture ui;
    ui.start();
    ui.click("OptionObject_4");
    clickTimes(ui, "Command2", 2);
    ui.click("Cbut2");
    QCOMPARE(ui.platform.messages(), QStringList{QStringLiteral("Not selected display mode")});
    QVERIFY(ui.caption("Texttocopy").isEmpty());
    QVERIFY(settings(ui).LeftBase.isUnset());
}

void TestArrayPanel::customizedRefusesTooManyObjects()
{
    UiFixture ui;
    ui.start();
    clickTimes(ui, "Command2", 32768);
    QCOMPARE(ui.caption("Textnum"), QStringLiteral("32768"));
    ui.click("OptionDislpay_2");
    QCOMPARE(ui.platform.messages(),
             QStringList{QStringLiteral(
                 "Number of Objects too large for a customized list (at most 32767)")});
    QVERIFY(ui.w("Custins")->isHidden());
    QCOMPARE(ui.caption("Leftbox"), QStringLiteral("10"));
    QVERIFY(settings(ui).PosEntries.isEmpty());

    ui.click("Command5");
    ui.click("OptionDislpay_0");
    ui.click("OptionDislpay_2");
    QCOMPARE(ui.platform.messages().size(), 1);
    QVERIFY(!ui.w("Custins")->isHidden());
    QCOMPARE(settings(ui).PosCount, qint16(32767));
}

void TestArrayPanel::customizedWithCountZero()
{
    UiFixture ui;
    ui.start();
    ui.click("OptionObject_3");
    ui.click("OptionDislpay_2");
    QCOMPARE(ui.caption("Custins"), QStringLiteral("Object 1"));
    ui.click("Custins");
    QVERIFY(ui.w("Custins")->isHidden());
    ui.click("Cbut2");
    const QStringList lines = ui.caption("Texttocopy").split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 33);
    QCOMPARE(lines[0], QStringLiteral("Dim Alabel1(0)"));
    QCOMPARE(lines[4], QStringLiteral("ObjPos = \"\""));
    QCOMPARE(lines[23], QStringLiteral("Alabel1( Iar ).BackColor = vbWhite  'Output.BackColor"));
}

void TestArrayPanel::tabChain_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QStringList>("chain");

    const QStringList boxes{QStringLiteral("Leftbox"), QStringLiteral("Topbox"),
                            QStringLiteral("Widthbox"), QStringLiteral("Highbox")};
    const QStringList count{QStringLiteral("Command2"), QStringLiteral("Command5")};
    const auto names = [](std::initializer_list<const char *> list) {
        QStringList out;
        for (const char *name : list)
            out << QString::fromLatin1(name);
        return out;
    };

    // Every group of option buttons is one stop, entered at its first button while none is
    // checked; the hidden spacer and entry button are not in the chain. The spacer, shown by a
    // standard layout, follows the layouts.
    QTest::newRow("start") << QStringList()
                           << names({"OptionObject_0"}) + boxes + names({"Option1"}) + count +
                                  names({"OptionDislpay_0"});
    QTest::newRow("checked buttons are the entries")
        << names({"OptionObject_3", "Option2", "OptionDislpay_1"})
        << names({"OptionObject_3"}) + boxes + names({"Option2"}) + count +
               names({"OptionDislpay_1", "spcr"});
    QTest::newRow("customized list")
        << names({"Command2", "OptionDislpay_2"})
        << names({"OptionObject_0"}) + boxes + names({"Custins", "Option1"}) + count +
               names({"OptionDislpay_2"});
    QTest::newRow("after RESET") << names({"OptionObject_5", "OptionDislpay_0", "Command1"})
                                 << names({"OptionObject_0"}) + boxes + names({"Option1"}) + count +
                                        names({"OptionDislpay_0"});
}

// Tab and Shift+Tab go through the panel in reading order, one stop per option group; the
// arrow keys move within a group, and leaving it puts its stop back on its entry.
void TestArrayPanel::tabChain()
{
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, chain);

    UiFixture ui;
    ui.start();
    ui.prog->show();
    QVERIFY(QTest::qWaitForWindowActive(ui.prog.get()));
    for (const QString &name : clicks)
        ui.click(name.toLatin1().constData());
    QWidget *panel = ui.w("ArrayPanel");
    QWidget *first = ui.w(chain.first().toLatin1().constData());
    QCOMPARE(tabChainFrom(first, panel, false), chain);
    QStringList backward = chain;
    std::reverse(backward.begin() + 1, backward.end());
    QCOMPARE(tabChainFrom(first, panel, true), backward);

    // Down moves to the next kind; Tab leaves the group and Shift+Tab comes back to its entry.
    first->setFocus(Qt::TabFocusReason);
    QTest::keyClick(first, Qt::Key_Down);
    QCOMPARE(focusName(),
             QStringLiteral("OptionObject_%1").arg(first->objectName().right(1).toInt() + 1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(focusName(), QStringLiteral("Leftbox"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    const bool wasChecked = !clicks.isEmpty() && clicks.first() == first->objectName();
    QCOMPARE(focusName(), wasChecked ? QStringLiteral("OptionObject_4") : chain.first());
}

void TestArrayPanel::accessibleNames_data()
{
    QTest::addColumn<QString>("name");

    // The boxes by the caption beside them (the design names of the first two are crossed).
    QTest::newRow("Leftbox") << QStringLiteral("Top");
    QTest::newRow("Topbox") << QStringLiteral("Left");
    QTest::newRow("Widthbox") << QStringLiteral("Width");
    QTest::newRow("Highbox") << QStringLiteral("Height");
    QTest::newRow("spcr") << QStringLiteral("Spacer");
    QTest::newRow("Command2") << QStringLiteral("More objects");
    QTest::newRow("Command5") << QStringLiteral("Fewer objects");
    QTest::newRow("Textnum") << QStringLiteral("0");
    QTest::newRow("OptionObject_2") << QStringLiteral("Command Button");
    QTest::newRow("OptionDislpay_2") << QStringLiteral("Customized");
    QTest::newRow("Option1") << QStringLiteral("ppc");
    QTest::newRow("Frame1") << QStringLiteral("OBJECTS TYPE");
}

// What a screen reader says for each control of the panel.
void TestArrayPanel::accessibleNames()
{
    QFETCH(QString, name);
    UiFixture ui;
    ui.start();
    QAccessibleInterface *control =
        QAccessible::queryAccessibleInterface(ui.w(QTest::currentDataTag()));
    QVERIFY(control);
    QCOMPARE(control->text(QAccessible::Name), name);
}

void TestArrayPanel::controlsShowWhole_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<int>("shown");
    // 28 controls, of which the spacer, its caption and the entry button show by layout.
    QTest::newRow("start") << QStringList() << 25;
    QTest::newRow("vertical") << QStringList{QStringLiteral("OptionDislpay_0")} << 27;
    QTest::newRow("customized") << QStringList{QStringLiteral("OptionDislpay_2")} << 26;
}

// Every shown control lies inside its container, and every option button is high enough for
// its round mark.
void TestArrayPanel::controlsShowWhole()
{
    QFETCH(QStringList, clicks);
    QFETCH(int, shown);
    UiFixture ui;
    ui.start();
    for (const QString &name : clicks)
        ui.click(name.toLatin1().constData());
    QWidget *panel = ui.w("ArrayPanel");
    int checked = 0;
    for (const QWidget *c : panel->findChildren<QWidget *>()) {
        if (c->isHidden() || c->objectName().isEmpty() || c->objectName().startsWith(u"qt_"))
            continue;
        ++checked;
        const QWidget *parent = c->parentWidget();
        QVERIFY2(parent->rect().contains(c->geometry()), qPrintable(c->objectName()));
        if (qobject_cast<const QRadioButton *>(c))
            QVERIFY2(c->height() >= c->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight),
                     qPrintable(c->objectName()));
    }
    QCOMPARE(checked, shown);
}

QTEST_MAIN(TestArrayPanel)
#include "tst_arraypanel.moc"
