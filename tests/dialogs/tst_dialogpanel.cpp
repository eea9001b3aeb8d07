#include "dialogpanel.h"
#include "uitest.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

class TestDialogPanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startUp();
    void previewCopyResetAndReenter();
    void resetAfterCopyByKind_data();
    void resetAfterCopyByKind();
    void kinds_data();
    void kinds();
    void enteringTheModeAlwaysStartsAMsgBox();
    void defaultButtonRememberedAfterKindSwitch();
    void previews_data();
    void previews();
    void sixLinesRefusedAndTextEmptied();
    void emptyTextEndsTheClickSilently();
    void modalCheckBox();
    void tabChain_data();
    void tabChain();
    void accessibleNames_data();
    void accessibleNames();
};

namespace {

const char *const listNames[] = {"Cbox1", "Cbox2", "Cbox3"};

DialogPanel &panel(const UiFixture &ui)
{
    return *ui.w<DialogPanel>("Picture2");
}

// Types into the message box as a user does: the box itself keeps LF line breaks.
void typeText2(const UiFixture &ui, const QString &text)
{
    ui.w<QPlainTextEdit>("Text2")->setPlainText(text);
}

} // namespace

void TestDialogPanel::startUp()
{
    UiFixture ui;
    ui.start();
    const QList<QStringList> entries{
        {QStringLiteral("OK only"), QStringLiteral("Ok Cancel"),
         QStringLiteral("Abort Retry Ignore"), QStringLiteral("Yes No Cancel"),
         QStringLiteral("Yes No"), QStringLiteral("Retry Cancel")},
        {QStringLiteral("First Butt."), QStringLiteral("Second Butt."),
         QStringLiteral("Third Butt."), QStringLiteral("Fourth Butt.")},
        {QStringLiteral("Critical icon"), QStringLiteral("Query icon"),
         QStringLiteral("Warning icon"), QStringLiteral("Inform. icon")}};
    for (int i = 0; i < 3; ++i) {
        auto *box = ui.w<QComboBox>(listNames[i]);
        QStringList items;
        for (int k = 0; k < box->count(); ++k)
            items << box->itemText(k);
        QCOMPARE(items, entries.at(i));
        QCOMPARE(box->currentIndex(), -1);
        QCOMPARE(box->currentText(), QString());
    }
    const DialogSettings &s = panel(ui).settings();
    QCOMPARE(s.MsgKind, 2);
    QCOMPARE(s.ModalValue, 0);
    QVERIFY(!s.BtnValue && !s.DefBtnValue && !s.IconValue);
    QCOMPARE(s.risLine(1), QStringLiteral("If Ris = 1 then : End if  '(OK code here)\r\n"));
    QCOMPARE(s.risLine(7), QStringLiteral("If Ris = 7 then : End if  '(NO code here)\r\n"));
    for (const char *opt : {"Opt1", "Opt2", "Opt3"})
        QVERIFY(!ui.w<QRadioButton>(opt)->isChecked());
    QVERIFY(!ui.w<QCheckBox>("Check1")->isChecked());
    QVERIFY(!ui.w<QCheckBox>("Check2")->isChecked());
}

void TestDialogPanel::previewCopyResetAndReenter()
{
    UiFixture ui;
    ui.start();
    ui.chooseMode(2);
    QVERIFY(ui.w<QRadioButton>("Opt2")->isChecked());
    ui.choose("Cbox1", 4);
    ui.choose("Cbox2", 1);
    ui.choose("Cbox3", 1);
    ui.click("Check1");
    ui.w<QLineEdit>("Text1")->setText(QStringLiteral("Save"));
    typeText2(ui, QStringLiteral("File changed.\nSave it now?"));

    ui.click("Cbut2");
    const QString code = QStringLiteral("Dim Ris\r\n"
                                        "Ris = msgbox (\"File changed.\" & vbCRLF _\r\n"
                                        "&\"Save it now?\",4+256+32+4096,\"Save\")\r\n"
                                        "If Ris = 6 then : End if  '(YES code here)\r\n"
                                        "If Ris = 7 then : End if  '(NO code here)\r\n");
    const auto shown = ui.platform.callsOf(QStringLiteral("msgbox"));
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.at(0).text, QStringLiteral("File changed.\r\nSave it now?"));
    QCOMPARE(shown.at(0).flags, 4388);
    QCOMPARE(shown.at(0).title, QStringLiteral("Save"));
    QCOMPARE(ui.caption("Texttocopy"), code);
    QCOMPARE(ui.caption("Cbut2"), QStringLiteral("COPY"));
    QVERIFY(!ui.platform.clipboardSet);
    QCOMPARE(ui.note(), QStringLiteral("Previewed: 5 lines of code, ready to COPY"));

    ui.click("Cbut2");
    QCOMPARE(ui.platform.clipboard, code);
    QCOMPARE(ui.note(), QStringLiteral("Copied 5 lines to the clipboard"));
    QCOMPARE(ui.caption("Cbut2"), QStringLiteral("Preview"));
    QVERIFY(!ui.w("Cbut2")->isEnabled());

    ui.click("Command1");
    QVERIFY(!ui.w("Cbut2")->isEnabled());
    QCOMPARE(ui.caption("Cbut2"), QStringLiteral("Preview"));
    QCOMPARE(ui.caption("Text1"), QString());
    QCOMPARE(ui.caption("Text2"), QString());
    for (const char *name : listNames) {
        QCOMPARE(ui.w<QComboBox>(name)->currentIndex(), -1);
        QCOMPARE(ui.caption(name), QString());
    }
    // RESET keeps the output box, the flags and the check box.
    QCOMPARE(ui.caption("Texttocopy"), code);
    QVERIFY(ui.w<QCheckBox>("Check1")->isChecked());
    QVERIFY(ui.w<QRadioButton>("Opt2")->isChecked());

    ui.chooseMode(2);
    QVERIFY(ui.w("Cbut2")->isEnabled());
    QCOMPARE(ui.caption("Cbut2"), QStringLiteral("Preview"));
    typeText2(ui, QStringLiteral("Second"));
    ui.click("Cbut2");
    // The flags are remembered; the answer tests went with RESET until a button set is picked.
    QCOMPARE(ui.caption("Texttocopy"),
             QStringLiteral("Dim Ris\r\nRis = msgbox (\"Second\",4+256+32+4096,\"\")\r\n"));
    QCOMPARE(ui.platform.callsOf(QStringLiteral("msgbox")).size(), 2);
    QCOMPARE(ui.platform.callsOf(QStringLiteral("msgbox")).at(1).flags, 4388);
    ui.click("Cbut2");
    QCOMPARE(ui.platform.clipboard,
             QStringLiteral("Dim Ris\r\nRis = msgbox (\"Second\",4+256+32+4096,\"\")\r\n"));
}

void TestDialogPanel::resetAfterCopyByKind_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QStringList>("blanked");
    QTest::addColumn<QStringList>("kept");
    QTest::addColumn<bool>("check2Shown");

    const QString text1 = QStringLiteral("Text1"), text2 = QStringLiteral("Text2"),
                  text4 = QStringLiteral("Text4");
    const QStringList lists{QStringLiteral("Cbox1"), QStringLiteral("Cbox2"),
                            QStringLiteral("Cbox3")};
    QTest::newRow("Simple Msg") << QStringLiteral("Opt1") << QStringList{text1, text2}
                                << (lists + QStringList{text4}) << false;
    QTest::newRow("Msg Box") << QStringLiteral("Opt2") << (QStringList{text1, text2} + lists)
                             << QStringList{text4} << false;
    QTest::newRow("Input Box") << QStringLiteral("Opt3") << QStringList{text1, text2, text4}
                               << lists << true;
}

void TestDialogPanel::resetAfterCopyByKind()
{
    QFETCH(QString, option);
    QFETCH(QStringList, blanked);
    QFETCH(QStringList, kept);
    QFETCH(bool, check2Shown);

    UiFixture ui;
    ui.start();
    ui.chooseMode(2);
    ui.click(option.toLatin1().constData());
    typeText2(ui, QStringLiteral("Hi"));
    ui.click("Cbut2");
    ui.click("Cbut2");
    const QString copied = ui.caption("Texttocopy");
    QVERIFY(!copied.isEmpty());
    QVERIFY(!ui.w("Cbut2")->isEnabled());

    for (const char *box : {"Text1", "Text4"})
        ui.w<QLineEdit>(box)->setText(QStringLiteral("typed"));
    typeText2(ui, QStringLiteral("typed"));
    for (const char *name : listNames)
        ui.w<QComboBox>(name)->setCurrentIndex(1);
    ui.click("Command1");
    for (const QString &name : blanked)
        QVERIFY2(ui.caption(name.toLatin1().constData()).isEmpty(), qPrintable(name));
    for (const QString &name : kept)
        QVERIFY2(!ui.caption(name.toLatin1().constData()).isEmpty(), qPrintable(name));
    QCOMPARE(!ui.w("Check2")->isHidden(), check2Shown);
    QCOMPARE(panel(ui).generatedCode(), QString());
    QCOMPARE(ui.caption("Texttocopy"), copied);

    // Neither RESET nor a kind option gives the action button back; the mode selector does.
    for (const char *kind : {"Opt1", "Opt2", "Opt3", "Opt1"}) {
        ui.click(kind);
        QVERIFY2(!ui.w("Cbut2")->isEnabled(), kind);
        QCOMPARE(ui.caption("Cbut2"), QStringLiteral("Preview"));
    }
    ui.click("Command1");
    QVERIFY(!ui.w("Cbut2")->isEnabled());
    ui.chooseMode(2);
    QVERIFY(ui.w("Cbut2")->isEnabled());
}

void TestDialogPanel::kinds_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("hidden");
    QTest::addColumn<QStringList>("blanked");
    QTest::addColumn<QStringList>("kept");

    const QStringList lists{QStringLiteral("Cbox1"),  QStringLiteral("Cbox2"),
                            QStringLiteral("Cbox3"),  QStringLiteral("Label7"),
                            QStringLiteral("Label8"), QStringLiteral("Label9")};
    const QStringList title{QStringLiteral("Text1"), QStringLiteral("Label10")};
    const QStringList answer{QStringLiteral("Text4"), QStringLiteral("Label5")};
    const QStringList always{QStringLiteral("Opt1"),    QStringLiteral("Opt2"),
                             QStringLiteral("Opt3"),    QStringLiteral("Check1"),
                             QStringLiteral("Label11"), QStringLiteral("Text2")};
    const QString check2 = QStringLiteral("Check2");
    const QString text1 = QStringLiteral("Text1"), text2 = QStringLiteral("Text2"),
                  text4 = QStringLiteral("Text4"), cbox1 = QStringLiteral("Cbox1");

    QTest::newRow("Simple Msg") << QStringLiteral("Opt1") << always
                                << (lists + title + answer + QStringList{check2})
                                << QStringList{text1, text2} << QStringList{cbox1, text4};
    QTest::newRow("Msg Box") << QStringLiteral("Opt2") << (always + lists + title)
                             << (answer + QStringList{check2}) << QStringList{text1, text2, cbox1}
                             << QStringList{text4};
    QTest::newRow("Input Box") << QStringLiteral("Opt3")
                               << (always + title + answer + QStringList{check2}) << lists
                               << QStringList{text1, text2, text4} << QStringList{cbox1};
}

void TestDialogPanel::kinds()
{
    QFETCH(QString, option);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, hidden);
    QFETCH(QStringList, blanked);
    QFETCH(QStringList, kept);

    // From each other kind, with something typed and picked in every box.
    for (const char *from : {"Opt1", "Opt2", "Opt3"}) {
        if (option == QLatin1String(from))
            continue;
        UiFixture ui;
        ui.start();
        ui.chooseMode(2);
        ui.choose("Cbox1", 4);
        ui.click(from);
        ui.w<QComboBox>("Cbox1")->setCurrentIndex(4);
        for (const char *box : {"Text1", "Text4"})
            ui.w<QLineEdit>(box)->setText(QStringLiteral("typed"));
        typeText2(ui, QStringLiteral("typed"));
        panel(ui).preview();
        QVERIFY(!panel(ui).generatedCode().isEmpty());

        ui.w<QRadioButton>(option.toLatin1().constData())->click();
        for (const QString &name : shown) {
            QWidget *control = ui.w(name.toLatin1().constData());
            QVERIFY2(!control->isHidden(), qPrintable(name));
            // Shown whole: inside the panel's frame, an option's round mark not cut.
            QVERIFY2(panel(ui).contentsRect().contains(control->geometry()), qPrintable(name));
            if (qobject_cast<QRadioButton *>(control))
                QVERIFY2(control->height() >=
                             control->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight),
                         qPrintable(name));
        }
        for (const QString &name : hidden)
            QVERIFY2(ui.w(name.toLatin1().constData())->isHidden(), qPrintable(name));
        for (const QString &name : blanked)
            QVERIFY2(ui.caption(name.toLatin1().constData()).isEmpty(), qPrintable(name));
        for (const QString &name : kept)
            QVERIFY2(!ui.caption(name.toLatin1().constData()).isEmpty(), qPrintable(name));
        for (const char *opt : {"Opt1", "Opt2", "Opt3"})
            QCOMPARE(ui.w<QRadioButton>(opt)->isChecked(), option == QLatin1String(opt));
        QCOMPARE(panel(ui).settings().MsgKind, option.right(1).toInt());
        QCOMPARE(panel(ui).generatedCode(), QString());
        QCOMPARE(panel(ui).settings().BtnValue, std::optional<int>(4));
    }
}

void TestDialogPanel::enteringTheModeAlwaysStartsAMsgBox()
{
    for (const char *kind : {"Opt1", "Opt2", "Opt3"}) {
        UiFixture ui;
        ui.start();
        ui.chooseMode(2);
        ui.click(kind);
        ui.w<QLineEdit>("Text1")->setText(QStringLiteral("typed"));
        ui.chooseMode(2);
        QVERIFY(ui.w<QRadioButton>("Opt2")->isChecked());
        QVERIFY(!ui.w<QRadioButton>("Opt1")->isChecked());
        QVERIFY(!ui.w<QRadioButton>("Opt3")->isChecked());
        QCOMPARE(panel(ui).settings().MsgKind, 2);
        QVERIFY(ui.w("Text4")->isHidden());
        QVERIFY(!ui.w("Cbox1")->isHidden());
        QCOMPARE(ui.caption("Text1"), QString());
    }
}

void TestDialogPanel::defaultButtonRememberedAfterKindSwitch()
{
    UiFixture ui;
    ui.start();
    ui.chooseMode(2);
    ui.choose("Cbox2", 2);
    ui.click("Opt3");
    ui.click("Opt2");
    QCOMPARE(ui.caption("Cbox2"), QString());
    QCOMPARE(ui.w<QComboBox>("Cbox2")->currentIndex(), -1);
    typeText2(ui, QStringLiteral("Q"));
    ui.click("Cbut2");
    QCOMPARE(ui.caption("Texttocopy"),
             QStringLiteral("Dim Ris\r\nRis = msgbox (\"Q\",+512++0,\"\")\r\n"));
    QCOMPARE(ui.platform.callsOf(QStringLiteral("msgbox")).at(0).flags, 512);
}

void TestDialogPanel::previews_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("dialogX");
    QTest::addColumn<QString>("previewKind");
    QTest::addColumn<QString>("previewTitle");
    QTest::addColumn<QString>("previewDefault");
    QTest::addColumn<QString>("code");

    QTest::newRow("Simple Msg") << QStringLiteral("Opt1") << false << QStringLiteral("msgbox")
                                << QString() << QString()
                                << QStringLiteral("msgbox (\"Who?\" & vbCRLF _\r\n&\"Name\")");
    QTest::newRow("Input Box")
        << QStringLiteral("Opt3") << false << QStringLiteral("input") << QStringLiteral("Login")
        << QStringLiteral("guest")
        << QStringLiteral("Dim Rep\r\n"
                          "Rep =InputBox(\"Who?\" & vbCRLF _\r\n&\"Name\",\"Login\",\"guest\")\r\n"
                          "Select case Rep\r\n '  (your code follows)\r\nEnd Select");
    QTest::newRow("Input Box, DialogX format")
        << QStringLiteral("Opt3") << true << QString() << QString() << QString()
        << QStringLiteral("Dim NSinput\r\nAddobject \"nsbasic.dialogx.1\",\"Nsinputbox\",0,0\r\n"
                          "NSinput =Nsinputbox.InputBox(\"Who?\" & vbCRLF "
                          "_\r\n&\"Name\",\"Login\",\"guest\")\r\n"
                          "Select case NSinput\r\n '  (your code follows)\r\nEnd select");
}

void TestDialogPanel::previews()
{
    QFETCH(QString, option);
    QFETCH(bool, dialogX);
    QFETCH(QString, previewKind);
    QFETCH(QString, previewTitle);
    QFETCH(QString, previewDefault);
    QFETCH(QString, code);

    UiFixture ui;
    ui.start();
    ui.chooseMode(2);
    ui.choose("Cbox1", 1);
    ui.click("Check1");
    ui.click(option.toLatin1().constData());
    ui.w<QLineEdit>("Text1")->setText(QStringLiteral("Login"));
    ui.w<QLineEdit>("Text4")->setText(QStringLiteral("guest"));
    ui.w<QCheckBox>("Check2")->setChecked(dialogX);
    typeText2(ui, QStringLiteral("Who?\nName"));
    const qsizetype before = ui.platform.calls.size();

    ui.click("Cbut2");
    const auto calls = ui.platform.calls.mid(before);
    if (previewKind.isEmpty()) {
        QVERIFY(calls.isEmpty());
    } else {
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls.at(0).kind, previewKind);
        QCOMPARE(calls.at(0).text, QStringLiteral("Who?\r\nName"));
        QCOMPARE(calls.at(0).flags, 0);
        QCOMPARE(calls.at(0).title, previewTitle);
        QCOMPARE(calls.at(0).extra, previewDefault);
    }
    QCOMPARE(ui.caption("Texttocopy"), code);
    QCOMPARE(ui.caption("Cbut2"), QStringLiteral("COPY"));
    ui.click("Cbut2");
    QCOMPARE(ui.platform.clipboard, code);
}

void TestDialogPanel::sixLinesRefusedAndTextEmptied()
{
    UiFixture ui;
    ui.start();
    ui.chooseMode(2);
    ui.w<QLineEdit>("Texttocopy")->setText(QStringLiteral("before"));
    ui.w<QLineEdit>("Text1")->setText(QStringLiteral("kept"));
    typeText2(ui, QStringLiteral("1\n2\n3\n4\n5\n"));
    const qsizetype before = ui.platform.calls.size();

    ui.click("Cbut2");
    const auto calls = ui.platform.calls.mid(before);
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.at(0).kind, QStringLiteral("msgbox"));
    QCOMPARE(calls.at(0).text, QStringLiteral("only 5 lines allowed"));
    QCOMPARE(calls.at(0).flags, 0);
    QCOMPARE(calls.at(0).title, QString());
    QCOMPARE(ui.caption("Text2"), QString());
    QCOMPARE(ui.caption("Text1"), QStringLiteral("kept"));
    QCOMPARE(ui.caption("Texttocopy"), QStringLiteral("before"));
    QCOMPARE(ui.caption("Cbut2"), QStringLiteral("Preview"));
    QCOMPARE(panel(ui).generatedCode(), QString());
    QCOMPARE(ui.note(), QStringLiteral("Nothing previewed: only 5 lines allowed"));

    typeText2(ui, QStringLiteral("1\n2\n3\n4\n5"));
    ui.click("Cbut2");
    QCOMPARE(ui.caption("Cbut2"), QStringLiteral("COPY"));
    QCOMPARE(ui.platform.callsOf(QStringLiteral("msgbox")).last().text,
             QStringLiteral("1\r\n2\r\n3\r\n4\r\n5"));
}

void TestDialogPanel::emptyTextEndsTheClickSilently()
{
    UiFixture ui;
    ui.start();
    ui.chooseMode(2);
    ui.choose("Cbox1", 4);
    ui.w<QLineEdit>("Texttocopy")->setText(QStringLiteral("before"));
    const qsizetype before = ui.platform.calls.size();
    ui.click("Cbut2");
    QCOMPARE(ui.platform.calls.size(), before);
    QCOMPARE(ui.caption("Cbut2"), QStringLiteral("Preview"));
    QCOMPARE(ui.caption("Texttocopy"), QStringLiteral("before"));
    QCOMPARE(panel(ui).settings().MsgText, QString());
    // No box says so; the note line does.
    QCOMPARE(ui.note(), QStringLiteral("Nothing previewed: the TEXT box is empty"));
}

void TestDialogPanel::modalCheckBox()
{
    UiFixture ui;
    ui.start();
    ui.chooseMode(2);
    ui.click("Check1");
    QCOMPARE(panel(ui).settings().ModalValue, 4096);
    ui.click("Check1");
    QCOMPARE(panel(ui).settings().ModalValue, 0);
}

void TestDialogPanel::tabChain_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("chain");

    // The kind options are one stop, at the checked kind; Tab leaves the message text, which
    // keeps what was typed; hidden controls are not in the chain.
    QTest::newRow("Simple Msg") << QStringLiteral("Opt1")
                                << QStringList{QStringLiteral("Opt1"), QStringLiteral("Check1"),
                                               QStringLiteral("Text2")};
    QTest::newRow("Msg Box") << QStringLiteral("Opt2")
                             << QStringList{QStringLiteral("Opt2"),   QStringLiteral("Cbox1"),
                                            QStringLiteral("Cbox2"),  QStringLiteral("Cbox3"),
                                            QStringLiteral("Check1"), QStringLiteral("Text1"),
                                            QStringLiteral("Text2")};
    QTest::newRow("Input Box") << QStringLiteral("Opt3")
                               << QStringList{QStringLiteral("Opt3"),   QStringLiteral("Check1"),
                                              QStringLiteral("Check2"), QStringLiteral("Text1"),
                                              QStringLiteral("Text2"),  QStringLiteral("Text4")};
}

void TestDialogPanel::tabChain()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, chain);

    UiFixture ui;
    ui.start();
    ui.prog->show();
    QVERIFY(QTest::qWaitForWindowActive(ui.prog.get()));
    ui.chooseMode(2);
    ui.click(kind.toLatin1().constData());
    typeText2(ui, QStringLiteral("typed"));
    QWidget *panel = ui.w("Picture2");
    QWidget *first = ui.w(chain.first().toLatin1().constData());
    QCOMPARE(tabChainFrom(first, panel, false), chain);
    QStringList backward = chain;
    std::reverse(backward.begin() + 1, backward.end());
    QCOMPARE(tabChainFrom(first, panel, true), backward);
    QCOMPARE(ui.caption("Text2"), QStringLiteral("typed"));
}

void TestDialogPanel::accessibleNames_data()
{
    QTest::addColumn<QString>("name");

    // The lists and boxes by the caption beside them.
    QTest::newRow("Cbox1") << QStringLiteral("Button's Type");
    QTest::newRow("Cbox2") << QStringLiteral("Default Button");
    QTest::newRow("Cbox3") << QStringLiteral("Button's Icon");
    QTest::newRow("Text1") << QStringLiteral("TITLE");
    QTest::newRow("Text2") << QStringLiteral("TEXT");
    QTest::newRow("Text4") << QStringLiteral("Default");
    QTest::newRow("Opt3") << QStringLiteral("Input Box");
    QTest::newRow("Check2") << QStringLiteral("Use DialogX format");
}

// What a screen reader says for each control of the panel.
void TestDialogPanel::accessibleNames()
{
    QFETCH(QString, name);
    UiFixture ui;
    ui.start();
    ui.chooseMode(2);
    ui.click("Opt3");
    QAccessibleInterface *control =
        QAccessible::queryAccessibleInterface(ui.w(QTest::currentDataTag()));
    QVERIFY(control);
    QCOMPARE(control->text(QAccessible::Name), name);
}

QTEST_MAIN(TestDialogPanel)
#include "tst_dialogpanel.moc"
