#include "controls.h"
#include "referencetables.h"
#include "uitest.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {
const QString storedPath = u"Samples/MyCode.Txt"_s;
const QString noItems = u"No code's items available"_s;
const QString dropdownAgain = u"Dropdown again for stored code or..."_s;
const QString codesTitle = u" Code's Title"_s;
} // namespace

class TestLibraryPanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startUpFillsCategories();
    void referenceTables_data();
    void referenceTables();
    void copyKeyCopiesHighlightedKeyword();
    void copyKeyIgnoresErrorCodes_data();
    void copyKeyIgnoresErrorCodes();
    void myCodeWithoutFile();
    void myCodeListsStoredTitlesOnce();
    void wholePanelThroughButtons();
    void failedStoreKeepsWhatWasTyped();
    void titlePastedWithLineBreaks();
    void unreadableRefusedAndLongCodes();
    void titleWhoseFileIsGone();
    void referenceAfterSnippetStillCopiesWholeBox();
    void resetInModeOne();
    void choosingModeOneAgainKeepsContents_data();
    void choosingModeOneAgainKeepsContents();

private:
    static void show(UiFixture &ui);
    static void typeTitle(UiFixture &ui, const QString &title);
    static void typeCode(UiFixture &ui, const QStringList &lines, bool finalBreak);
    static QString codeBox(UiFixture &ui)
    {
        return Controls::plainText(ui.w<QPlainTextEdit>("CodeBox"));
    }
    static QStringList listedTitles(UiFixture &ui);
};

void TestLibraryPanel::show(UiFixture &ui)
{
    ui.prog->show();
    QVERIFY(QTest::qWaitForWindowExposed(ui.prog.get()));
}

void TestLibraryPanel::typeTitle(UiFixture &ui, const QString &title)
{
    QLineEdit *edit = ui.w<QComboBox>("CboCode")->lineEdit();
    edit->setFocus();
    QTest::keyClicks(edit, title);
}

void TestLibraryPanel::typeCode(UiFixture &ui, const QStringList &lines, bool finalBreak)
{
    auto *box = ui.w<QPlainTextEdit>("CodeBox");
    box->setFocus();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QTest::keyClicks(box, lines.at(i));
        if (i + 1 < lines.size() || finalBreak)
            QTest::keyClick(box, Qt::Key_Return);
    }
}

QStringList TestLibraryPanel::listedTitles(UiFixture &ui)
{
    auto *combo = ui.w<QComboBox>("CboCode");
    QStringList titles;
    for (int i = ReferenceTables::categoryCount; i < combo->count(); ++i)
        titles.append(combo->itemText(i));
    return titles;
}

void TestLibraryPanel::startUpFillsCategories()
{
    UiFixture ui;
    ui.start();
    auto *combo = ui.w<QComboBox>("CboCode");
    QCOMPARE(combo->count(), 9);
    QCOMPARE(combo->itemText(0), u"Color              Costants"_s);
    QCOMPARE(combo->itemText(3), u"Date Format   Costants"_s);
    QCOMPARE(combo->itemText(7), u"--ERROR Codes--"_s);
    QCOMPARE(combo->itemText(8), u"*MY CODE*"_s);
    for (int i = 0; i < 9; ++i)
        QCOMPARE(combo->itemText(i), ReferenceTables::category(i));
    QCOMPARE(combo->currentText(), QString());
    QVERIFY(ui.w("CodeBut")->isHidden());
    QVERIFY(ui.platform.messages().isEmpty());
}

void TestLibraryPanel::referenceTables_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("lineCount");
    for (int p = 0; p < ReferenceTables::tableCount; ++p)
        QTest::newRow(qPrintable(ReferenceTables::category(p)))
            << p << int(ReferenceTables::entries(p).size());
}

void TestLibraryPanel::referenceTables()
{
    QFETCH(int, position);
    QFETCH(int, lineCount);
    UiFixture ui;
    ui.start();
    ui.chooseMode(1);
    Controls::setPlainText(ui.w<QPlainTextEdit>("CodeBox"), u"left over"_s);
    ui.choose("CboCode", position);
    const QString expected = ReferenceTables::entries(position).join(u"\r\n"_s) + u"\r\n"_s;
    QCOMPARE(codeBox(ui), expected);
    QCOMPARE(codeBox(ui).count(u"\r\n"_s), lineCount);
    // Choosing it again shows the same lines, not twice as many.
    ui.choose("CboCode", position);
    QCOMPARE(codeBox(ui), expected);
    QCOMPARE(ui.caption("KeyType"), u"Keyword"_s);
    QCOMPARE(ui.caption("Cbut2"), u"Copy Key"_s);
    QCOMPARE(ui.caption("CboCode"), ReferenceTables::category(position));
}

void TestLibraryPanel::copyKeyCopiesHighlightedKeyword()
{
    UiFixture ui;
    ui.start();
    show(ui);
    ui.chooseMode(1);
    ui.choose("CboCode", 0);
    auto *box = ui.w<QPlainTextEdit>("CodeBox");
    QVERIFY(box->find(u"vbGreen"_s));
    ui.click("Cbut2");
    QCOMPARE(ui.platform.clipboard, u"vbGreen"_s);
    auto *carrier = ui.w<QLineEdit>("Texttocopy");
    QCOMPARE(carrier->text(), u"vbGreen"_s);
    QCOMPARE(carrier->selectedText(), u"vbGreen"_s);
    QCOMPARE(ui.caption("Cbut2"), u"Copy Key"_s);

    // Two highlighted lines travel with their CR LF.
    box->moveCursor(QTextCursor::Start);
    QVERIFY(box->find(u"vbBlack"_s));
    QTextCursor c = box->textCursor();
    c.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor);
    box->setTextCursor(c);
    ui.click("Cbut2");
    QCOMPARE(ui.platform.clipboard, u"vbBlack\r\nvbRed"_s);

    // Nothing highlighted: the empty text is copied.
    box->moveCursor(QTextCursor::End);
    ui.click("Cbut2");
    QCOMPARE(carrier->text(), QString());
    QCOMPARE(ui.platform.clipboard, QString());
    QVERIFY(ui.platform.messages().isEmpty());
}

void TestLibraryPanel::copyKeyIgnoresErrorCodes_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("typed");
    QTest::newRow("error category") << 7 << QString();
    QTest::newRow("typed text beginning with --E") << 0 << u"--Edited"_s;
}

void TestLibraryPanel::copyKeyIgnoresErrorCodes()
{
    QFETCH(int, position);
    QFETCH(QString, typed);
    UiFixture ui;
    ui.start();
    show(ui);
    ui.chooseMode(1);
    ui.choose("CboCode", position);
    if (!typed.isEmpty()) {
        ui.w<QComboBox>("CboCode")->lineEdit()->selectAll();
        typeTitle(ui, typed);
    }
    auto *box = ui.w<QPlainTextEdit>("CodeBox");
    box->selectAll();
    QVERIFY(!box->textCursor().selectedText().isEmpty());
    ui.w<QLineEdit>("Texttocopy")->setText(u"held before"_s);
    ui.click("Cbut2");
    QCOMPARE(ui.caption("Texttocopy"), u"held before"_s);
    // The action button still hands over what the carrier holds.
    QCOMPARE(ui.platform.clipboard, u"held before"_s);
}

void TestLibraryPanel::myCodeWithoutFile()
{
    UiFixture ui;
    ui.start();
    ui.chooseMode(1);
    ui.choose("CboCode", 8);
    QCOMPARE(ui.platform.messages(), QStringList{noItems});
    const auto box = ui.platform.callsOf(u"msgbox"_s).constFirst();
    QCOMPARE(box.flags, 0);
    QCOMPARE(box.title, QString());
    QCOMPARE(ui.caption("KeyType"), dropdownAgain);
    QCOMPARE(ui.caption("Cbut2"), QString());
    QVERIFY(ui.w("Cbut2")->isEnabled());
    QVERIFY(!ui.w("CodeBut")->isHidden());
    QCOMPARE(codeBox(ui), QString());

    // The empty caption does nothing.
    ui.click("Cbut2");
    QVERIFY(!ui.platform.clipboardSet);
    QCOMPARE(ui.caption("Cbut2"), QString());

    // Still no title listed: the file is looked for again.
    ui.choose("CboCode", 8);
    QCOMPARE(ui.platform.messages(), (QStringList{noItems, noItems}));
    QCOMPARE(ui.w<QComboBox>("CboCode")->count(), 9);
}

void TestLibraryPanel::myCodeListsStoredTitlesOnce()
{
    UiFixture ui;
    ui.writeFile(storedPath,
                 "First*a|b\r\nhand-written note\r\nSecond*c*d\nFirst*later|\r\nLast*z");
    ui.start();
    ui.chooseMode(1);
    ui.choose("CboCode", 8);
    // The last line has no line end: it may have been cut, and its title is named.
    QCOMPARE(ui.platform.messages().size(), 1);
    QVERIFY2(ui.platform.messages().constFirst().contains(u"\"Last\" may have been cut off"_s),
             qPrintable(ui.platform.messages().constFirst()));
    QCOMPARE(listedTitles(ui), (QStringList{u"First"_s, u"Second"_s, u"First"_s, u"Last"_s}));

    // Titles are listed: a second choice only empties the code box.
    ui.choose("CboCode", 1);
    ui.choose("CboCode", 8);
    QCOMPARE(codeBox(ui), QString());
    QCOMPARE(ui.w<QComboBox>("CboCode")->count(), 13);

    ui.choose("CboCode", 9);
    QCOMPARE(codeBox(ui), u"later\r\n"_s);
    QCOMPARE(ui.caption("Cbut2"), u"COPY CODE"_s);
    QCOMPARE(ui.caption("KeyType"), dropdownAgain);
    ui.choose("CboCode", 10);
    QCOMPARE(codeBox(ui), u"c*d\r\n"_s);
    ui.choose("CboCode", 12);
    QCOMPARE(codeBox(ui), u"z\r\n"_s);
    // Nothing more is said after the listing.
    QCOMPARE(ui.platform.messages().size(), 1);
}

void TestLibraryPanel::wholePanelThroughButtons()
{
    UiFixture ui;
    ui.start();
    show(ui);
    ui.chooseMode(1);
    auto *combo = ui.w<QComboBox>("CboCode");

    // Typing a category's text picks nothing.
    typeTitle(ui, ReferenceTables::category(0));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    QCOMPARE(codeBox(ui), QString());

    ui.choose("CboCode", 8);
    QCOMPARE(ui.platform.messages(), QStringList{noItems});
    ui.click("CodeBut");
    QCOMPARE(combo->currentText(), QString());
    QCOMPARE(ui.caption("KeyType"), codesTitle);
    QCOMPARE(ui.caption("Cbut2"), u"Store Code"_s);
    QVERIFY(ui.w("Cbut2")->isEnabled());

    typeTitle(ui, u"Loop"_s);
    typeCode(ui, {u"For i = 1 To 3"_s, u"  x = x*i"_s, u"Next"_s}, true);
    ui.click("Cbut2");
    QCOMPARE(ui.readFile(storedPath), QByteArray("Loop*For i = 1 To 3|  x = x*i|Next|\r\n"));
    QCOMPARE(ui.caption("Textocopy"), u"For i = 1 To 3|  x = x*i|Next|"_s);
    QCOMPARE(listedTitles(ui), QStringList{u"Loop"_s});
    QCOMPARE(combo->currentText(), QString());
    QCOMPARE(codeBox(ui), QString());
    QCOMPARE(ui.caption("KeyType"), u"Keyword"_s);
    QCOMPARE(ui.caption("Cbut2"), u"Copy Key"_s);
    QCOMPARE(ui.platform.messages(), QStringList{noItems});

    // A second snippet under the same title, without a final line break.
    ui.click("CodeBut");
    typeTitle(ui, u"Loop"_s);
    typeCode(ui, {u"Do"_s, u"Loop"_s}, false);
    ui.click("Cbut2");
    // And one under an empty title with an empty code.
    ui.click("CodeBut");
    ui.click("Cbut2");
    QCOMPARE(ui.readFile(storedPath),
             QByteArray("Loop*For i = 1 To 3|  x = x*i|Next|\r\nLoop*Do|Loop\r\n*\r\n"));
    QCOMPARE(listedTitles(ui), (QStringList{u"Loop"_s, u"Loop"_s, QString()}));

    // Either "Loop" entry shows the later snippet; COPY CODE copies the whole box.
    ui.choose("CboCode", 9);
    QCOMPARE(codeBox(ui), u"Do\r\nLoop\r\n"_s);
    QCOMPARE(ui.caption("Cbut2"), u"COPY CODE"_s);
    ui.click("Cbut2");
    QCOMPARE(ui.platform.clipboard, u"Do\r\nLoop\r\n"_s);
    auto *carrier = ui.w<QLineEdit>("Texttocopy");
    QCOMPARE(carrier->selectedText(), carrier->text());
    ui.choose("CboCode", 11);
    QCOMPARE(codeBox(ui), QString());
    QCOMPARE(ui.caption("Cbut2"), u"COPY CODE"_s);

    // Nothing was read back from the file to list them: a fresh start lists the same.
    ui.prog.reset();
    ui.start();
    ui.chooseMode(1);
    ui.choose("CboCode", 8);
    QCOMPARE(listedTitles(ui), (QStringList{u"Loop"_s, u"Loop"_s, QString()}));
    ui.choose("CboCode", 9);
    QCOMPARE(codeBox(ui), u"Do\r\nLoop\r\n"_s);
}

void TestLibraryPanel::failedStoreKeepsWhatWasTyped()
{
    UiFixture ui(false);
    ui.start();
    show(ui);
    ui.chooseMode(1);
    ui.choose("CboCode", 8);
    ui.click("CodeBut");
    typeTitle(ui, u"Keep me"_s);
    typeCode(ui, {u"a"_s, u"b"_s}, false);
    ui.click("Cbut2");

    const QStringList messages = ui.platform.messages();
    QCOMPARE(messages.size(), 2);
    QCOMPARE(messages.at(0), noItems);
    QVERIFY2(messages.at(1).startsWith(u"Error "_s) && messages.at(1).size() > 6,
             qPrintable(messages.at(1)));
    QCOMPARE(ui.platform.callsOf(u"msgbox"_s).at(1).flags, 0);
    QCOMPARE(ui.caption("CboCode"), u"Keep me"_s);
    QCOMPARE(codeBox(ui), u"a\r\nb"_s);
    QCOMPARE(ui.caption("KeyType"), codesTitle);
    QCOMPARE(ui.caption("Cbut2"), u"Store Code"_s);
    QVERIFY(listedTitles(ui).isEmpty());
    QVERIFY(!QFileInfo::exists(ui.path(storedPath)));
    QVERIFY(!QFileInfo::exists(ui.path(u"Samples"_s)));

    // Once the folder is there, the same click stores it.
    QVERIFY(QDir(ui.path(QString())).mkdir(u"Samples"_s));
    ui.click("Cbut2");
    QCOMPARE(ui.platform.messages().size(), 2);
    QCOMPARE(ui.readFile(storedPath), QByteArray("Keep me*a|b\r\n"));
    QCOMPARE(listedTitles(ui), QStringList{u"Keep me"_s});
    QCOMPARE(ui.caption("Cbut2"), u"Copy Key"_s);
}

void TestLibraryPanel::titlePastedWithLineBreaks()
{
    UiFixture ui;
    ui.start();
    show(ui);
    ui.chooseMode(1);
    ui.choose("CboCode", 8);
    ui.click("CodeBut");
    // What a paste of several lines puts into the title field.
    ui.w<QComboBox>("CboCode")->lineEdit()->insert(u"Open\r\nfile\nX"_s);
    typeCode(ui, {u"a"_s, u"b"_s}, false);
    ui.click("Cbut2");

    // One entry, one line, listed and read back under the title the list shows.
    QCOMPARE(ui.readFile(storedPath), QByteArray("Open file X*a|b\r\n"));
    QCOMPARE(listedTitles(ui), QStringList{u"Open file X"_s});
    ui.choose("CboCode", 9);
    QCOMPARE(codeBox(ui), u"a\r\nb\r\n"_s);
}

// A stored-code file that cannot be read is reported; a store that could not be read back
// exactly is refused with what was typed kept; a code of any length is stored whole.
void TestLibraryPanel::unreadableRefusedAndLongCodes()
{
    UiFixture ui;
    QVERIFY(QDir(ui.path(QString())).mkpath(storedPath));
    ui.start();
    show(ui);
    ui.chooseMode(1);
    ui.choose("CboCode", 8);
    QCOMPARE(ui.platform.messages().size(), 1);
    QVERIFY2(ui.platform.messages().at(0).contains(u"cannot be read"_s),
             qPrintable(ui.platform.messages().at(0)));
    QVERIFY(QDir(ui.path(storedPath)).removeRecursively());

    ui.click("CodeBut");
    typeTitle(ui, u"Fast*loop"_s);
    typeCode(ui, {u"a"_s, u"b"_s}, false);
    ui.click("Cbut2");
    QCOMPARE(ui.platform.messages().size(), 2);
    QVERIFY2(ui.platform.messages().at(1).contains(u"\"*\""_s) &&
                 ui.platform.messages().at(1).endsWith(u"Nothing was stored."_s),
             qPrintable(ui.platform.messages().at(1)));
    QCOMPARE(ui.caption("CboCode"), u"Fast*loop"_s);
    QCOMPARE(codeBox(ui), u"a\r\nb"_s);
    QCOMPARE(ui.caption("Cbut2"), u"Store Code"_s);
    QVERIFY(listedTitles(ui).isEmpty());
    QVERIFY(!QFileInfo::exists(ui.path(storedPath)));

    QString code;
    for (int i = 0; i < 10000; ++i)
        code += u"Ctl(%1).Caption = \"x\"\r\n"_s.arg(i);
    QVERIFY(code.size() > 200000);
    ui.w<QComboBox>("CboCode")->setEditText(u"Long"_s);
    Controls::setPlainText(ui.w<QPlainTextEdit>("CodeBox"), code);
    ui.click("Cbut2");
    QCOMPARE(ui.platform.messages().size(), 2);
    QCOMPARE(ui.readFile(storedPath),
             "Long*" + QString(code).replace(u"\r\n"_s, u"|"_s).toLatin1() + "\r\n");
    ui.choose("CboCode", 9);
    QCOMPARE(codeBox(ui), code);
}

void TestLibraryPanel::titleWhoseFileIsGone()
{
    UiFixture ui;
    ui.writeFile(storedPath, "T*a|b\r\n");
    ui.start();
    ui.chooseMode(1);
    ui.choose("CboCode", 8);
    QVERIFY(QFile::remove(ui.path(storedPath)));
    Controls::setPlainText(ui.w<QPlainTextEdit>("CodeBox"), u"old"_s);
    ui.choose("CboCode", 9);
    QCOMPARE(codeBox(ui), QString());
    QCOMPARE(ui.caption("Cbut2"), u"COPY CODE"_s);
    QVERIFY(ui.platform.messages().isEmpty());
}

void TestLibraryPanel::referenceAfterSnippetStillCopiesWholeBox()
{
    UiFixture ui;
    ui.writeFile(storedPath, "T*a|b\r\n");
    ui.start();
    ui.chooseMode(1);
    ui.choose("CboCode", 8);
    ui.choose("CboCode", 9);
    ui.choose("CboCode", 1);
    QCOMPARE(ui.caption("Cbut2"), u"COPY CODE"_s);
    ui.click("Cbut2");
    QCOMPARE(ui.platform.clipboard, u"vbBinarycompare\r\nvbTextcompare\r\n"_s);
}

void TestLibraryPanel::resetInModeOne()
{
    UiFixture ui;
    ui.writeFile(storedPath, "T*a\r\n");
    ui.start();
    ui.chooseMode(1);
    ui.choose("CboCode", 8);
    QVERIFY(!ui.w("CodeBut")->isHidden());
    ui.click("CodeBut");
    typeTitle(ui, u"half typed"_s);
    ui.w<QLineEdit>("Texttocopy")->setText(u"carrier"_s);
    ui.click("Command1");
    QCOMPARE(ui.caption("CboCode"), QString());
    QCOMPARE(codeBox(ui), QString());
    QVERIFY(ui.w("CodeBut")->isHidden());
    QCOMPARE(ui.caption("Cbut2"), u"Copy Key"_s);
    QVERIFY(ui.w("Cbut2")->isEnabled());
    QCOMPARE(ui.caption("KeyType"), u"KeyWords"_s);
    QCOMPARE(ui.caption("Texttocopy"), u"carrier"_s);
    QCOMPARE(listedTitles(ui), QStringList{u"T"_s});

    // Titles are listed, so "Add Code" stays hidden from now on.
    ui.choose("CboCode", 8);
    QVERIFY(ui.w("CodeBut")->isHidden());
    QCOMPARE(ui.caption("KeyType"), u"KeyWords"_s);
    QCOMPARE(ui.caption("Cbut2"), u"Copy Key"_s);
}

void TestLibraryPanel::choosingModeOneAgainKeepsContents_data()
{
    QTest::addColumn<bool>("addCode");
    QTest::addColumn<QString>("actionBefore");

    QTest::newRow("titles listed") << false << QString();
    QTest::newRow("entering a snippet") << true << u"Store Code"_s;
}

// Choosing the mode again brings back the browsing captions and keeps the panel's contents.
void TestLibraryPanel::choosingModeOneAgainKeepsContents()
{
    QFETCH(bool, addCode);
    QFETCH(QString, actionBefore);

    UiFixture ui;
    ui.start();
    show(ui);
    ui.chooseMode(1);
    ui.choose("CboCode", 8);
    if (addCode) {
        ui.click("CodeBut");
        typeTitle(ui, u"Half"_s);
        typeCode(ui, {u"typed"_s}, false);
    }
    QCOMPARE(ui.caption("Cbut2"), actionBefore);
    QVERIFY(ui.caption("KeyType") != u"Keyword"_s);
    const QString title = ui.caption("CboCode");
    const QString code = codeBox(ui);

    ui.chooseMode(1);
    QCOMPARE(ui.caption("KeyType"), u"Keyword"_s);
    QCOMPARE(ui.caption("Cbut2"), u"Copy Key"_s);
    QVERIFY(ui.w("Cbut2")->isEnabled());
    QCOMPARE(ui.caption("CboCode"), title);
    QCOMPARE(codeBox(ui), code);
    QVERIFY(!ui.w("CodeBut")->isHidden());
}

QTEST_MAIN(TestLibraryPanel)
#include "tst_librarypanel.moc"
