#include "controls.h"
#include "librarypanel.h"
#include "referencetables.h"
#include "uitest.h"

#include <QAction>
#include <QPushButton>

#include "storedcode.h"

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
    void copyKeyRefusesErrorCodes_data();
    void copyKeyRefusesErrorCodes();
    void myCodeWithoutFile();
    void myCodeListsStoredTitlesOnce();
    void wholePanelThroughButtons();
    void failedStoreKeepsWhatWasTyped();
    void titlePastedWithLineBreaks();
    void unreadableRefusedAndLongCodes();
    void titleWhoseFileIsGone();
    void fileReplacedWithSameSizeAndTime();
    void referenceAfterSnippetStillCopiesWholeBox();
    void resetInModeOne();
    void choosingModeOneAgainKeepsContents_data();
    void choosingModeOneAgainKeepsContents();
    void filterValuesAndKeyboard();
    void filterWithNoCategorySearchesAll();
    void editThenDeleteThenUndo();
    void undoAndRedoFromThePanel();
    void repeatedTitlesReachTheirOwnEntries();
    void editKeepsBytesOfAnotherCodePage();

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
    QCOMPARE(ui.note(), u"Copied vbGreen to the clipboard"_s);

    // Two highlighted lines travel with their CR LF.
    box->moveCursor(QTextCursor::Start);
    QVERIFY(box->find(u"vbBlack"_s));
    QTextCursor c = box->textCursor();
    c.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor);
    box->setTextCursor(c);
    ui.click("Cbut2");
    QCOMPARE(ui.platform.clipboard, u"vbBlack\r\nvbRed"_s);
    QCOMPARE(ui.note(), u"Copied 2 lines to the clipboard"_s);

    // Nothing highlighted: nothing is copied, and the clipboard keeps what it held.
    box->moveCursor(QTextCursor::End);
    ui.platform.clipboard = u"copied elsewhere"_s;
    const qsizetype clipboardCalls = ui.platform.callsOf(u"clipboard"_s).size();
    ui.click("Cbut2");
    QCOMPARE(carrier->text(), u"vbBlack\r\nvbRed"_s);
    QCOMPARE(ui.platform.clipboard, u"copied elsewhere"_s);
    QCOMPARE(ui.platform.callsOf(u"clipboard"_s).size(), clipboardCalls);
    QVERIFY(ui.platform.messages().isEmpty());
    QCOMPARE(ui.note(), u"Nothing copied: highlight a keyword first"_s);
}

void TestLibraryPanel::copyKeyRefusesErrorCodes_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("copied");
    QTest::newRow("error category") << 7 << QString() << false;
    // What is shown decides, not the title field's text.
    QTest::newRow("typed text beginning with --E") << 0 << u"--Edited"_s << true;
}

void TestLibraryPanel::copyKeyRefusesErrorCodes()
{
    QFETCH(int, position);
    QFETCH(QString, typed);
    QFETCH(bool, copied);
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
    ui.platform.clipboard = u"copied elsewhere"_s;
    ui.click("Cbut2");
    if (copied) {
        QCOMPARE(ui.caption("Texttocopy"), codeBox(ui));
        QCOMPARE(ui.platform.clipboard, codeBox(ui));
        return;
    }
    QCOMPARE(ui.caption("Texttocopy"), u"held before"_s);
    // Nothing is copied: the clipboard keeps what the user copied before.
    QCOMPARE(ui.platform.clipboard, u"copied elsewhere"_s);
    QVERIFY(ui.platform.callsOf(u"clipboard"_s).isEmpty());
    QCOMPARE(ui.note(), u"Nothing copied: error codes are for reading"_s);
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
    QCOMPARE(codeBox(ui), u"a\r\nb\r\n"_s);
    QCOMPARE(ui.caption("Cbut2"), u"COPY CODE"_s);
    QCOMPARE(ui.caption("KeyType"), dropdownAgain);
    ui.choose("CboCode", 10);
    QCOMPARE(codeBox(ui), u"c*d\r\n"_s);
    ui.choose("CboCode", 11);
    QCOMPARE(codeBox(ui), u"later\r\n"_s);
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
    QCOMPARE(ui.note(), u"Stored 'Loop' in MyCode.Txt"_s);

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

    // The title was taken: storing it again asked first, and the first button stores.
    QCOMPARE(ui.platform.messages().size(), 2);
    QVERIFY(ui.platform.messages().at(1).contains(u"\"Loop\""_s));

    // Each "Loop" entry shows its own snippet; COPY CODE copies the whole box.
    ui.choose("CboCode", 9);
    QCOMPARE(codeBox(ui), u"For i = 1 To 3\r\n  x = x*i\r\nNext\r\n"_s);
    ui.choose("CboCode", 10);
    QCOMPARE(codeBox(ui), u"Do\r\nLoop\r\n"_s);
    QCOMPARE(ui.caption("Cbut2"), u"COPY CODE"_s);
    ui.click("Cbut2");
    QCOMPARE(ui.platform.clipboard, u"Do\r\nLoop\r\n"_s);
    QCOMPARE(ui.note(), u"Copied 2 lines to the clipboard"_s);
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
    ui.choose("CboCode", 10);
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
    QCOMPARE(ui.note(), u"Nothing stored: "_s + messages.at(1).mid(6).simplified());
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
    QCOMPARE(ui.note(), u"Stored 'Keep me' in MyCode.Txt"_s);
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

// Another program may put a file of the same size and time in place: what is shown and listed
// is what the file holds now.
void TestLibraryPanel::fileReplacedWithSameSizeAndTime()
{
    UiFixture ui;
    ui.writeFile(storedPath, "T*old\r\nU*u\r\n");
    const QDateTime time = QFileInfo(ui.path(storedPath)).lastModified();
    const auto replace = [&](const QByteArray &bytes) {
        ui.writeFile(storedPath, bytes);
        QFile file(ui.path(storedPath));
        QVERIFY(file.open(QIODevice::ReadWrite) &&
                file.setFileTime(time, QFileDevice::FileModificationTime));
    };
    ui.start();
    ui.chooseMode(1);
    ui.choose("CboCode", 8);
    ui.choose("CboCode", 9);
    replace("T*new\r\nU*u\r\n");
    ui.choose("CboCode", 9);
    QCOMPARE(codeBox(ui), u"new\r\n"_s);
    // "*MY CODE*" again reads the file: the list follows its titles.
    replace("V*one\r\nU*u\r\n");
    ui.choose("CboCode", 8);
    QCOMPARE(listedTitles(ui), (QStringList{u"V"_s, u"U"_s}));
    QCOMPARE(ui.caption("CboCode"), u"*MY CODE*"_s);
    QCOMPARE(QFileInfo(ui.path(storedPath)).lastModified(), time);
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

// The filter over a table and over the stored titles, the value label, the read-only tables
// and what a keyboard or screen-reader user meets.
void TestLibraryPanel::filterValuesAndKeyboard()
{
    UiFixture ui;
    ui.writeFile(storedPath,
                 "Loop*For i = 1|Next\r\nOpen*Open x For Input\r\nnote\r\nDim*Dim a\r\n");
    ui.start();
    show(ui);
    ui.chooseMode(1);
    auto *box = ui.w<QPlainTextEdit>("CodeBox");
    auto *filter = ui.w<QLineEdit>("KeyFilter");
    auto *combo = ui.w<QComboBox>("CboCode");
    for (QWidget *w : {ui.w("CboCode"), ui.w("CodeBox"), ui.w("KeyFilter"), ui.w("KeyInfo"),
                       static_cast<QWidget *>(combo->view())})
        QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));

    ui.choose("CboCode", 0);
    QVERIFY(box->isReadOnly());
    QVERIFY(box->tabChangesFocus());
    QCOMPARE(ui.caption("KeyInfo"), u"vbBlack = 0 (&H0): black, as a colour value"_s);
    QVERIFY(box->find(u"vbRed"_s));
    QCOMPARE(ui.caption("KeyInfo"), u"vbRed = 255 (&HFF): red, as a colour value"_s);
    // A screen reader hears the whole value line, as it changes.
    QCOMPARE(ui.w("KeyInfo")->accessibleName(), ui.caption("KeyInfo"));
    // Typing into the read-only table changes nothing; Tab leaves it.
    box->setFocus();
    QTest::keyClicks(box, u"x"_s);
    QCOMPARE(codeBox(ui), StoredCode::listToLines(ReferenceTables::table(0)));
    QTest::keyClick(box, Qt::Key_Tab);
    QVERIFY(!box->hasFocus());
    QVERIFY(!ui.w<QLineEdit>("Textocopy")->hasFocus());

    filter->setFocus();
    QTest::keyClicks(filter, u"FF00"_s);
    QCOMPARE(codeBox(ui), u"vbGreen\r\nvbBlue\r\nvbMagenta\r\nvbCyan\r\n"_s);
    QVERIFY(box->find(u"vbBlue"_s));
    ui.click("Cbut2");
    QCOMPARE(ui.platform.clipboard, u"vbBlue"_s);
    QTest::keyClick(filter, Qt::Key_Escape);
    QCOMPARE(filter->text(), QString());
    QCOMPARE(codeBox(ui), StoredCode::listToLines(ReferenceTables::table(0)));

    // A filter typed first applies to the next table chosen.
    QTest::keyClicks(filter, u"disk"_s);
    ui.choose("CboCode", 7);
    QCOMPARE(codeBox(ui), u"61 Disk full\r\n71 Disk not ready\r\n"_s);
    QCOMPARE(ui.caption("KeyInfo"), QString());
    QCOMPARE(ui.w("KeyInfo")->accessibleName(), u"Value and meaning"_s);
    filter->clear();
    QCOMPARE(codeBox(ui).count(u"\r\n"_s), 54);

    ui.choose("CboCode", 8);
    QCOMPARE(listedTitles(ui), (QStringList{u"Loop"_s, u"Open"_s, u"Dim"_s}));
    QTest::keyClicks(filter, u"input"_s);
    QCOMPARE(listedTitles(ui), QStringList{u"Open"_s});
    filter->clear();
    QTest::keyClicks(filter, u"O"_s);
    QCOMPARE(listedTitles(ui), (QStringList{u"Loop"_s, u"Open"_s}));
    // The row shown second stands for the second title of the file.
    ui.choose("CboCode", 10);
    QCOMPARE(codeBox(ui), u"Open x For Input\r\n"_s);
    QVERIFY(!box->isReadOnly());
    QVERIFY(!box->tabChangesFocus());
    QTest::keyClick(filter, Qt::Key_Escape);
    QCOMPARE(listedTitles(ui), (QStringList{u"Loop"_s, u"Open"_s, u"Dim"_s}));

    // In editable code Tab indents and Ctrl+Tab leaves.
    box->setFocus();
    box->moveCursor(QTextCursor::Start);
    QTest::keyClick(box, Qt::Key_Tab);
    QCOMPARE(codeBox(ui), u"\tOpen x For Input\r\n"_s);
    QTest::keyClick(box, Qt::Key_Tab, Qt::ControlModifier);
    QVERIFY(!box->hasFocus());
    QVERIFY(ui.platform.messages().isEmpty());
}

// With no category chosen the filter searches every table and the stored code; a category
// chosen afterwards is filtered as before.
void TestLibraryPanel::filterWithNoCategorySearchesAll()
{
    UiFixture ui;
    ui.writeFile(storedPath, "Tidy*x = Trim(x)\r\n");
    ui.start();
    ui.chooseMode(1);
    auto *filter = ui.w<QLineEdit>("KeyFilter");
    QTest::keyClicks(filter, u"yesno"_s);
    QVERIFY(codeBox(ui).contains(
        u"\r\nMsgBox Constants: vbYesNo = 4: Yes and No buttons, as a message box's buttons\r\n"_s));
    filter->setText(u"tidy"_s);
    QCOMPARE(codeBox(ui), u"MY CODE: Tidy\r\n"_s);
    filter->setText(u"a|b"_s);
    QCOMPARE(codeBox(ui), u"No constant, error code or stored code holds \"a|b\".\r\n"_s);
    filter->setText(u"yellow"_s);
    ui.choose("CboCode", 0);
    QCOMPARE(codeBox(ui), u"vbYellow\r\n"_s);

    // A text that a large library holds everywhere lists the first entries and how many more,
    // each title once.
    QByteArray many;
    for (int i = 0; i < 700; ++i)
        many += "Tidy" + QByteArray::number(i % 600) + "*x\r\n";
    UiFixture large;
    large.writeFile(storedPath, many);
    large.start();
    large.chooseMode(1);
    large.w<QLineEdit>("KeyFilter")->setText(u"tidy"_s);
    const QStringList lines = codeBox(large).split(u"\r\n"_s);
    QCOMPARE(lines.size(), LibraryPanel::foundShownAtMost + 2);
    QCOMPARE(lines.at(499), u"MY CODE: Tidy499"_s);
    QCOMPARE(lines.at(500), u"... and 100 more. Type more of the text to narrow the search."_s);
}

void TestLibraryPanel::editThenDeleteThenUndo()
{
    UiFixture ui;
    const QByteArray file = "A*1\r\nnote\r\nT*old\r\nT*a|b\r\n";
    ui.writeFile(storedPath, file);
    ui.start();
    show(ui);
    ui.chooseMode(1);
    ui.choose("CboCode", 8);
    auto *edit = ui.prog->findChild<QAction *>(u"EditSnippet"_s);
    auto *remove = ui.prog->findChild<QAction *>(u"DeleteSnippet"_s);
    QVERIFY(edit && remove);
    QVERIFY(!edit->isEnabled());
    ui.choose("CboCode", 11);
    QCOMPARE(codeBox(ui), u"a\r\nb\r\n"_s);
    QVERIFY(edit->isEnabled() && remove->isEnabled());

    // Edit the later "T" (Ctrl+E in the code box): the title and code go into the boxes; a
    // refused code changes nothing.
    auto *box = ui.w<QPlainTextEdit>("CodeBox");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(ui.caption("CboCode"), u"T"_s);
    QCOMPARE(codeBox(ui), u"a\r\nb"_s);
    QCOMPARE(ui.caption("Cbut2"), u"Store Code"_s);
    QCOMPARE(ui.caption("KeyType"), codesTitle);
    QCOMPARE(ui.note(), u"Editing 'T': Store Code stores it"_s);
    Controls::setPlainText(ui.w<QPlainTextEdit>("CodeBox"), u"a|x"_s);
    ui.click("Cbut2");
    QCOMPARE(ui.platform.messages().size(), 1);
    QVERIFY(ui.note().startsWith(u"Nothing stored: "_s));
    QCOMPARE(ui.readFile(storedPath), file);
    typeCode(ui, {u"c"_s}, false);
    Controls::setPlainText(ui.w<QPlainTextEdit>("CodeBox"), u"a\r\nc"_s);
    ui.click("Cbut2");
    const QByteArray edited = "A*1\r\nnote\r\nT*old\r\nT*a|c\r\n";
    QCOMPARE(ui.readFile(storedPath), edited);
    QCOMPARE(ui.note(), u"Stored the change to 'T' in MyCode.Txt"_s);
    QCOMPARE(QDir(ui.path(u"Samples"_s)).entryList(QDir::Files), QStringList{u"MyCode.Txt"_s});
    QCOMPARE(ui.caption("Cbut2"), u"Copy Key"_s);
    QCOMPARE(listedTitles(ui), (QStringList{u"A"_s, u"T"_s, u"T"_s}));

    // Delete asks first: No keeps it, Yes removes only that line.
    ui.choose("CboCode", 11);
    QCOMPARE(codeBox(ui), u"a\r\nc\r\n"_s);
    ui.platform.messageAnswers.enqueue(Platform::No);
    remove->trigger();
    QCOMPARE(ui.platform.messages().size(), 2);
    QVERIFY(ui.platform.messages().constLast().contains(u"\"T\""_s));
    QCOMPARE(ui.platform.calls.constLast().flags & 7, int(Platform::YesNo));
    QCOMPARE(ui.readFile(storedPath), edited);
    QCOMPARE(ui.note(), u"'T' was not deleted"_s);
    ui.platform.messageAnswers.enqueue(Platform::Yes);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(ui.readFile(storedPath), QByteArray("A*1\r\nnote\r\nT*old\r\n"));
    QCOMPARE(listedTitles(ui), (QStringList{u"A"_s, u"T"_s}));
    QCOMPARE(codeBox(ui), QString());
    QCOMPARE(ui.note(), u"Deleted 'T' from MyCode.Txt"_s);

    // Ctrl+Z undoes the delete, through the same rewrite.
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(ui.readFile(storedPath), edited);
    QCOMPARE(ui.note(), u"Undid the last change to MyCode.Txt"_s);
    QCOMPARE(listedTitles(ui), (QStringList{u"A"_s, u"T"_s, u"T"_s}));

    // A change made meanwhile in another program is never overwritten.
    ui.choose("CboCode", 11);
    QCOMPARE(codeBox(ui), u"a\r\nc\r\n"_s);
    const QByteArray outside = edited + "U*typed elsewhere\r\n";
    ui.writeFile(storedPath, outside);
    ui.platform.messageAnswers.enqueue(Platform::Yes);
    remove->trigger();
    QVERIFY(ui.platform.messages().constLast().contains(u"has changed since it was read"_s));
    QCOMPARE(ui.readFile(storedPath), outside);
    QCOMPARE(ui.note(), u"Nothing deleted: MyCode.Txt is unchanged"_s);

    // Shown again, it is read as it is now.
    ui.choose("CboCode", 11);
    edit->trigger();
    ui.click("Cbut2");
    QCOMPARE(ui.readFile(storedPath), outside);
}

// Ctrl+Z and Ctrl+Shift+Z reach the stored code's changes, several steps deep, from anywhere in
// the panel; in a text box only once the box's own typing is undone.
void TestLibraryPanel::undoAndRedoFromThePanel()
{
    UiFixture ui;
    ui.writeFile(storedPath, "A*1\r\n");
    ui.start();
    show(ui);
    ui.chooseMode(1);
    ui.choose("CboCode", 8);
    for (const QString &title : {u"B"_s, u"C"_s}) {
        ui.click("CodeBut");
        typeTitle(ui, title);
        typeCode(ui, {title.toLower()}, false);
        ui.click("Cbut2");
    }
    const QByteArray both = "A*1\r\nB*b\r\nC*c\r\n";
    QCOMPARE(ui.readFile(storedPath), both);
    typeTitle(ui, u"x"_s);
    QLineEdit *title = ui.w<QComboBox>("CboCode")->lineEdit();
    QTest::keyClick(title, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(title->text(), QString());
    QCOMPARE(ui.readFile(storedPath), both);
    QTest::keyClick(title, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(title, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(ui.readFile(storedPath), QByteArray("A*1\r\n"));
    QCOMPARE(ui.note(), u"Undid the last change to MyCode.Txt"_s);
    QCOMPARE(listedTitles(ui), QStringList{u"A"_s});

    auto *box = ui.w<QPlainTextEdit>("CodeBox");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(ui.readFile(storedPath), QByteArray("A*1\r\nB*b\r\n"));
    QCOMPARE(listedTitles(ui), (QStringList{u"A"_s, u"B"_s}));

    // A change made meanwhile in another program is never overwritten: the redo stays.
    const QByteArray outside = "A*1\r\nB*b\r\nZ*z\r\n";
    ui.writeFile(storedPath, outside);
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(ui.platform.messages().constLast().contains(u"has changed since it was read"_s));
    QCOMPARE(ui.note(), u"Nothing redone: MyCode.Txt is unchanged"_s);
    QCOMPARE(ui.readFile(storedPath), outside);
    QVERIFY(ui.prog->findChild<QAction *>(u"RedoSnippetChange"_s)->isEnabled());
}

// Each row of a repeated title stands for its own entry, shown, copied, edited and deleted;
// storing a title that is taken asks first.
void TestLibraryPanel::repeatedTitlesReachTheirOwnEntries()
{
    UiFixture ui;
    ui.writeFile(storedPath, "T*first\r\nA*1\r\nT*second\r\n");
    ui.start();
    ui.chooseMode(1);
    ui.choose("CboCode", 8);
    ui.choose("CboCode", 11);
    QCOMPARE(codeBox(ui), u"second\r\n"_s);
    ui.choose("CboCode", 9);
    ui.click("Cbut2");
    QCOMPARE(ui.platform.clipboard, u"first\r\n"_s);
    ui.prog->findChild<QAction *>(u"EditSnippet"_s)->trigger();
    Controls::setPlainText(ui.w<QPlainTextEdit>("CodeBox"), u"edited"_s);
    ui.click("Cbut2");
    QCOMPARE(ui.readFile(storedPath), QByteArray("T*edited\r\nA*1\r\nT*second\r\n"));
    ui.choose("CboCode", 9);
    ui.prog->findChild<QAction *>(u"DeleteSnippet"_s)->trigger();
    QCOMPARE(ui.readFile(storedPath), QByteArray("A*1\r\nT*second\r\n"));

    // A title that is taken: No keeps what was typed, Yes stores it after the other.
    ui.click("CodeBut");
    typeTitle(ui, u"A"_s);
    ui.platform.messageAnswers.enqueue(Platform::No);
    ui.click("Cbut2");
    QCOMPARE(ui.platform.calls.constLast().text, u"A code is already stored under the title "
                                                 u"\"A\". Store this code as well, under the "
                                                 u"same title?"_s);
    QCOMPARE(ui.platform.calls.constLast().flags, Platform::YesNo + Platform::Exclamation);
    QCOMPARE(ui.caption("Cbut2"), u"Store Code"_s);
    ui.click("Cbut2");
    QCOMPARE(ui.readFile(storedPath), QByteArray("A*1\r\nT*second\r\nA*\r\n"));
}

// A snippet whose bytes the code page cannot show is edited without losing them: only what the
// user changed is written anew.
void TestLibraryPanel::editKeepsBytesOfAnotherCodePage()
{
    UiFixture ui;
    ui.writeFile(storedPath, "A*\xff\r\nT*' caf\xe9|x = 1|\r\n");
    ui.start();
    ui.chooseMode(1);
    ui.choose("CboCode", 8);
    ui.choose("CboCode", 10);
    ui.prog->findChild<QAction *>(u"EditSnippet"_s)->trigger();
    const QString shown = QString::fromLocal8Bit("' caf\xe9\r\nx = 1\r\n");
    QCOMPARE(codeBox(ui), shown);
    Controls::setPlainText(ui.w<QPlainTextEdit>("CodeBox"), QString(shown).replace(u'1', u'2'));
    ui.click("Cbut2");
    QCOMPARE(ui.readFile(storedPath), QByteArray("A*\xff\r\nT*' caf\xe9|x = 2|\r\n"));
    QVERIFY(ui.platform.messages().isEmpty());
}

QTEST_MAIN(TestLibraryPanel)
#include "tst_librarypanel.moc"
