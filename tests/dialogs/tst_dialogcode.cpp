#include "dialogcode.h"

#include <QTest>

using DialogCode::Built;
using DialogCode::Preview;

Q_DECLARE_METATYPE(DialogSettings)
Q_DECLARE_METATYPE(DialogCode::Preview::Kind)
Q_DECLARE_METATYPE(DialogCode::Refusal)

namespace {

// A record as the panel holds it after start-up and the given list picks (-1: none).
DialogSettings settingsFor(int kind, int buttonSet = -1, int defaultButton = -1, int icon = -1,
                           bool modal = false)
{
    DialogSettings s;
    s.RisLine = DialogOptions::answerTestLines();
    s.MsgKind = kind;
    DialogOptions::pickButtonSet(s, buttonSet);
    DialogOptions::pickDefaultButton(s, defaultButton);
    DialogOptions::pickIcon(s, icon);
    s.ModalValue = DialogOptions::modalValue(modal);
    return s;
}

// The record of a build that must succeed.
DialogSettings builtSettings(const DialogSettings &s, const DialogCode::Input &input)
{
    return std::get<Built>(DialogCode::build(s, input)).settings;
}

} // namespace

class TestDialogCode : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void build_data();
    void build();
    void splitLines_data();
    void splitLines();
    void refusals_data();
    void refusals();
    void buildKeepsLinesItDoesNotWrite();
};

void TestDialogCode::build_data()
{
    QTest::addColumn<DialogSettings>("settings");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("defaultAnswer");
    QTest::addColumn<bool>("dialogX");
    QTest::addColumn<QString>("code");
    QTest::addColumn<Preview::Kind>("previewKind");
    QTest::addColumn<int>("flags");
    QTest::addColumn<QString>("previewTitle");

    const QString login = QStringLiteral("Login");
    const QString guest = QStringLiteral("guest");
    const QString userName = QStringLiteral("User name?");

    QTest::newRow("Msg Box: Yes No, second button, query icon, modal")
        << settingsFor(2, 4, 1, 1, true) << QStringLiteral("File changed.\r\nSave it now?")
        << QStringLiteral("Save") << QString() << false
        << QStringLiteral("Dim Ris\r\n"
                          "Ris = msgbox (\"File changed.\" & vbCRLF _\r\n"
                          "&\"Save it now?\",4+256+32+4096,\"Save\")\r\n"
                          "If Ris = 6 then : End if  '(YES code here)\r\n"
                          "If Ris = 7 then : End if  '(NO code here)\r\n")
        << Preview::MessageBox << 4388 << QStringLiteral("Save");
    QTest::newRow("Input Box") << settingsFor(3) << userName << login << guest << false
                               << QStringLiteral(
                                      "Dim Rep\r\n"
                                      "Rep =InputBox(\"User name?\",\"Login\",\"guest\")\r\n"
                                      "Select case Rep\r\n"
                                      " '  (your code follows)\r\n"
                                      "End Select")
                               << Preview::InputBox << 0 << login;
    QTest::newRow("Input Box, DialogX format")
        << settingsFor(3) << userName << login << guest << true
        << QStringLiteral("Dim NSinput\r\n"
                          "Addobject \"nsbasic.dialogx.1\",\"Nsinputbox\",0,0\r\n"
                          "NSinput =Nsinputbox.InputBox(\"User name?\",\"Login\",\"guest\")\r\n"
                          "Select case NSinput\r\n"
                          " '  (your code follows)\r\n"
                          "End select")
        << Preview::None << 0 << QString();
    QTest::newRow("Simple Msg") << settingsFor(1) << QStringLiteral("Done") << QString()
                                << QString() << false << QStringLiteral("msgbox (\"Done\")")
                                << Preview::MessageBox << 0 << QString();
    QTest::newRow("Simple Msg ignores title, lists and modal")
        << settingsFor(1, -1, 2, 3, true) << QStringLiteral("Done") << QStringLiteral("Ignored")
        << QString() << false << QStringLiteral("msgbox (\"Done\")") << Preview::MessageBox << 0
        << QString();
    QTest::newRow("text ending in a line break")
        << settingsFor(1) << QStringLiteral("Hi\r\n") << QString() << QString() << false
        << QStringLiteral("msgbox (\"Hi\" & vbCRLF _\r\n&\"\")") << Preview::MessageBox << 0
        << QString();
    QTest::newRow("line breaks in a row, five lines")
        << settingsFor(1) << QStringLiteral("\r\na\r\n\r\nb\r\n") << QString() << QString() << false
        << QStringLiteral("msgbox (\"\" & vbCRLF _\r\n&\"a\" & vbCRLF _\r\n&\"\" & vbCRLF _\r\n"
                          "&\"b\" & vbCRLF _\r\n&\"\")")
        << Preview::MessageBox << 0 << QString();
    QTest::newRow("Msg Box with nothing picked")
        << settingsFor(2) << QStringLiteral("Hello") << QString() << QString() << false
        << QStringLiteral("Dim Ris\r\nRis = msgbox (\"Hello\",+++0,\"\")\r\n")
        << Preview::MessageBox << 0 << QString();
    QTest::newRow("Msg Box, OK only, third button, warning icon")
        << settingsFor(2, 0, 2, 2) << QStringLiteral("Hello") << QStringLiteral("T") << QString()
        << false << QStringLiteral("Dim Ris\r\nRis = msgbox (\"Hello\",0+512+48+0,\"T\")\r\n")
        << Preview::MessageBox << 560 << QStringLiteral("T");
    QTest::newRow("Msg Box, only the icon picked")
        << settingsFor(2, -1, -1, 3) << QStringLiteral("Hello") << QString() << QString() << false
        << QStringLiteral("Dim Ris\r\nRis = msgbox (\"Hello\",++64+0,\"\")\r\n")
        << Preview::MessageBox << 64 << QString();
    // A quotation mark inside a string is written doubled; the preview shows the text as typed.
    QTest::newRow("quotation marks doubled in message and title")
        << settingsFor(2, 1) << QStringLiteral("say \"hi\"") << QStringLiteral("a \"b\"")
        << QString() << false
        << QStringLiteral("Dim Ris\r\nRis = msgbox (\"say \"\"hi\"\"\",1+++0,\"a \"\"b\"\"\")\r\n"
                          "If Ris = 1 then : End if  '(OK code here)\r\n"
                          "If Ris = 2 then : End if  '(CANCEL code here)\r\n")
        << Preview::MessageBox << 1 << QStringLiteral("a \"b\"");
    QTest::newRow("Simple Msg, quotation marks doubled")
        << settingsFor(1) << QStringLiteral("Say \"hi\"") << QString() << QString() << false
        << QStringLiteral("msgbox (\"Say \"\"hi\"\"\")") << Preview::MessageBox << 0 << QString();
    QTest::newRow("Input Box, quotation marks doubled in every text")
        << settingsFor(3) << QStringLiteral("\"Name\"\r\nor \"") << QStringLiteral("\"")
        << QStringLiteral("\"x\"") << false
        << QStringLiteral("Dim Rep\r\nRep =InputBox(\"\"\"Name\"\"\" & vbCRLF _\r\n"
                          "&\"or \"\"\",\"\"\"\",\"\"\"x\"\"\")\r\n"
                          "Select case Rep\r\n '  (your code follows)\r\nEnd Select")
        << Preview::InputBox << 0 << QStringLiteral("\"");
    QTest::newRow("Input Box, DialogX format, quotation marks doubled")
        << settingsFor(3) << QStringLiteral("a\"b") << QStringLiteral("t\"")
        << QStringLiteral("\"d") << true
        << QStringLiteral("Dim NSinput\r\n"
                          "Addobject \"nsbasic.dialogx.1\",\"Nsinputbox\",0,0\r\n"
                          "NSinput =Nsinputbox.InputBox(\"a\"\"b\",\"t\"\"\",\"\"\"d\")\r\n"
                          "Select case NSinput\r\n"
                          " '  (your code follows)\r\n"
                          "End select")
        << Preview::None << 0 << QString();
    QTest::newRow("Input Box ignores lists and modal, two lines")
        << settingsFor(3, 3, 1, 0, true) << QStringLiteral("a\r\nb") << QString() << QString()
        << false
        << QStringLiteral("Dim Rep\r\nRep =InputBox(\"a\" & vbCRLF _\r\n&\"b\",\"\",\"\")\r\n"
                          "Select case Rep\r\n '  (your code follows)\r\nEnd Select"
                          "If Ris = 2 then : End if  '(CANCEL code here)\r\n")
        << Preview::InputBox << 0 << QString();
}

void TestDialogCode::build()
{
    QFETCH(DialogSettings, settings);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(QString, defaultAnswer);
    QFETCH(bool, dialogX);
    QFETCH(QString, code);
    QFETCH(Preview::Kind, previewKind);
    QFETCH(int, flags);
    QFETCH(QString, previewTitle);

    const std::variant<Built, DialogCode::Refusal> built =
        DialogCode::build(settings, {text, title, defaultAnswer, dialogX});
    QVERIFY(std::holds_alternative<Built>(built));
    const Built &r = std::get<Built>(built);
    QCOMPARE(DialogCode::generatedText(r.settings), code);
    QCOMPARE(r.preview.kind, previewKind);
    if (previewKind != Preview::None) {
        QCOMPARE(r.preview.prompt, text);
        QCOMPARE(r.preview.flags, flags);
        QCOMPARE(r.preview.title, previewTitle);
        QCOMPARE(r.preview.defaultAnswer,
                 previewKind == Preview::InputBox ? defaultAnswer : QString());
    }
}

void TestDialogCode::splitLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("refused");

    QTest::newRow("one line") << QStringLiteral("a") << QStringList{QStringLiteral("a")} << false;
    QTest::newRow("five lines accepted")
        << QStringLiteral("a\r\nb\r\nc\r\nd\r\ne")
        << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                       QStringLiteral("d"), QStringLiteral("e")}
        << false;
    QTest::newRow("fifth line ending in a break")
        << QStringLiteral("a\r\nb\r\nc\r\nd\r\ne\r\n") << QStringList() << true;
    QTest::newRow("five breaks alone")
        << QStringLiteral("\r\n\r\n\r\n\r\n\r\n") << QStringList() << true;
    QTest::newRow("ten lines") << QStringLiteral("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10")
                               << QStringList() << true;
    QTest::newRow("empty last piece")
        << QStringLiteral("Hi\r\n") << QStringList{QStringLiteral("Hi"), QString()} << false;
    QTest::newRow("lone CR keeps the next character")
        << QStringLiteral("ab\rcd") << QStringList{QStringLiteral("ab"), QStringLiteral("cd")}
        << false;
    QTest::newRow("lone CR at the end")
        << QStringLiteral("ab\r") << QStringList{QStringLiteral("ab"), QString()} << false;
    QTest::newRow("CR CR LF") << QStringLiteral("a\r\r\nb")
                              << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}
                              << false;
}

void TestDialogCode::splitLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QFETCH(bool, refused);

    const std::optional<QStringList> split = DialogCode::splitLines(text);
    QCOMPARE(!split, refused);
    if (split)
        QCOMPARE(*split, lines);
}

void TestDialogCode::refusals_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<DialogCode::Refusal>("refusal");

    for (int kind = 1; kind <= 3; ++kind) {
        const QByteArray k = QByteArray::number(kind);
        QTest::newRow(QByteArray("empty, kind " + k).constData())
            << kind << QString() << DialogCode::Refusal::EmptyText;
        QTest::newRow(QByteArray("six lines, kind " + k).constData())
            << kind << QStringLiteral("1\r\n2\r\n3\r\n4\r\n5\r\n6")
            << DialogCode::Refusal::TooManyLines;
    }
}

void TestDialogCode::refusals()
{
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(DialogCode::Refusal, refusal);

    DialogSettings before = settingsFor(kind, 4);
    before.MsgText = QStringLiteral("earlier");
    before.codeLine(1) = QStringLiteral("earlier line");
    const std::variant<Built, DialogCode::Refusal> r =
        DialogCode::build(before, {text, QStringLiteral("T"), QStringLiteral("D"), false});
    QVERIFY(std::holds_alternative<DialogCode::Refusal>(r));
    QCOMPARE(std::get<DialogCode::Refusal>(r), refusal);
    if (refusal == DialogCode::Refusal::TooManyLines)
        QCOMPARE(DialogCode::tooManyLinesMessage(), QStringLiteral("only 5 lines allowed"));
}

void TestDialogCode::buildKeepsLinesItDoesNotWrite()
{
    // Simple Msg rebuilds line 1 only, Msg Box lines 1 and 2, Input Box lines 1 to 4.
    DialogSettings s = settingsFor(1);
    for (int n = 1; n <= 5; ++n)
        s.codeLine(n) = QStringLiteral("<%1>").arg(n);
    const QString text = QStringLiteral("x");
    QCOMPARE(DialogCode::generatedText(builtSettings(s, {text, {}, {}, false})),
             QStringLiteral("msgbox (\"x\")<2><3><4><5>"));
    s.MsgKind = 2;
    QCOMPARE(DialogCode::generatedText(builtSettings(s, {text, {}, {}, false})),
             QStringLiteral("Dim Ris\r\nRis = msgbox (\"x\",+++0,\"\")\r\n<3><4><5>"));
    s.MsgKind = 3;
    QVERIFY(DialogCode::generatedText(builtSettings(s, {text, {}, {}, true}))
                .endsWith(QLatin1String("End select<5>")));
    QCOMPARE(builtSettings(s, {text, {}, {}, false}).MsgText, text);
}

QTEST_APPLESS_MAIN(TestDialogCode)
#include "tst_dialogcode.moc"
