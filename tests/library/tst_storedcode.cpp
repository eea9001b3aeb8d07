#include "storedcode.h"
#include "textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

using namespace Qt::StringLiterals;

class TestStoredCode : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void listToLines_data();
    void listToLines();
    void codeToList_data();
    void codeToList();
    void entryLine();
    void singleLineTitle_data();
    void singleLineTitle();
    void titlesAndSnippets_data();
    void titlesAndSnippets();
    void storeAndReadBack_data();
    void storeAndReadBack();
    void twoStoresKeepTheirOwnLines();
    void storeMendsMissingFinalLineEnd();
    void storeKeepsBytesOfOtherEntries();
    void storeWithoutFolderFails();
    void storeToReadOnlyFileChangesNothing();
    void storeOntoAFolderFails();
    void missingFile();
    void eightBitTitles();
    void cutLastLine_data();
    void cutLastLine();
    void storeIsWholeOrNothing_data();
    void storeIsWholeOrNothing();

private:
    static QByteArray fileBytes(const QString &path);
    static void writeBytes(const QString &path, const QByteArray &bytes);
};

QByteArray TestStoredCode::fileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void TestStoredCode::writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

void TestStoredCode::listToLines_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("lines");

    QTest::newRow("three items") << u"a|b|c"_s << u"a\r\nb\r\nc\r\n"_s;
    QTest::newRow("final bar adds no line") << u"a|b|"_s << u"a\r\nb\r\n"_s;
    QTest::newRow("empty item inside") << u"a||b"_s << u"a\r\n\r\nb\r\n"_s;
    QTest::newRow("empty list") << QString() << QString();
    QTest::newRow("one item") << u"Dim x"_s << u"Dim x\r\n"_s;
    QTest::newRow("bar alone is one empty line") << u"|"_s << u"\r\n"_s;
    QTest::newRow("two bars") << u"||"_s << u"\r\n\r\n"_s;
    QTest::newRow("leading bar") << u"|a"_s << u"\r\na\r\n"_s;
    QTest::newRow("star and blanks kept") << u" x = a*b |  "_s << u" x = a*b \r\n  \r\n"_s;
}

void TestStoredCode::listToLines()
{
    QFETCH(QString, list);
    QFETCH(QString, lines);
    QCOMPARE(StoredCode::listToLines(list), lines);
}

void TestStoredCode::codeToList_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("list");

    QTest::newRow("two lines") << u"a\r\nb"_s << u"a|b"_s;
    QTest::newRow("final line break") << u"a\r\nb\r\n"_s << u"a|b|"_s;
    QTest::newRow("empty code") << QString() << QString();
    QTest::newRow("only a line break") << u"\r\n"_s << u"|"_s;
    QTest::newRow("empty line inside") << u"a\r\n\r\nb"_s << u"a||b"_s;
    QTest::newRow("bar inside a line stays") << u"x|y\r\nz"_s << u"x|y|z"_s;
    QTest::newRow("LF and lone CR") << u"a\nb\rc"_s << u"a|b|c"_s;
    QTest::newRow("star inside") << u"If a*b > 1 Then"_s << u"If a*b > 1 Then"_s;
}

void TestStoredCode::codeToList()
{
    QFETCH(QString, code);
    QFETCH(QString, list);
    QCOMPARE(StoredCode::codeToList(code), list);
}

void TestStoredCode::entryLine()
{
    QCOMPARE(StoredCode::entry(u"T"_s, u"a|b"_s), QByteArray("T*a|b"));
    QCOMPARE(StoredCode::entry(QString(), u"x"_s), QByteArray("*x"));
    QCOMPARE(StoredCode::entry(u"T"_s, QString()), QByteArray("T*"));
}

void TestStoredCode::singleLineTitle_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("title");

    QTest::newRow("one line unchanged") << u" My * title |"_s << u" My * title |"_s;
    QTest::newRow("CR LF is one blank") << u"Ti\r\ntle"_s << u"Ti tle"_s;
    QTest::newRow("LF and lone CR") << u"a\nb\rc"_s << u"a b c"_s;
    QTest::newRow("final line break") << u"T\r\n"_s << u"T "_s;
    QTest::newRow("LF CR is two breaks") << u"a\n\rb"_s << u"a  b"_s;
    QTest::newRow("empty") << QString() << QString();
}

void TestStoredCode::singleLineTitle()
{
    QFETCH(QString, typed);
    QFETCH(QString, title);
    QCOMPARE(StoredCode::singleLineTitle(typed), title);

    // Stored under that title, the entry stays one line and reads back under the same title.
    QTemporaryDir dir;
    const QString path = dir.filePath(u"MyCode.Txt"_s);
    QVERIFY(StoredCode::store(path, StoredCode::singleLineTitle(typed), u"a|b"_s).ok());
    QCOMPARE(TextFile::splitLines(fileBytes(path)).size(), 1);
    QCOMPARE(StoredCode::readTitles(path).value(), QStringList{title.left(title.indexOf(u'*'))});
}

void TestStoredCode::titlesAndSnippets_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("snippet");

    QTest::newRow("CR LF") << QByteArray("A*x|y\r\nB*z\r\n") << QStringList{u"A"_s, u"B"_s}
                           << u"A"_s << u"x|y"_s;
    QTest::newRow("LF, no final end")
        << QByteArray("A*x\nB*z") << QStringList{u"A"_s, u"B"_s} << u"B"_s << u"z"_s;
    QTest::newRow("lone CR") << QByteArray("A*x\rB*z\r") << QStringList{u"A"_s, u"B"_s} << u"B"_s
                             << u"z"_s;
    QTest::newRow("later entry wins")
        << QByteArray("T*old\r\nU*u\r\nT*new|er\r\n") << QStringList{u"T"_s, u"U"_s, u"T"_s}
        << u"T"_s << u"new|er"_s;
    QTest::newRow("star inside the code")
        << QByteArray("T*a*b|*\r\n") << QStringList{u"T"_s} << u"T"_s << u"a*b|*"_s;
    QTest::newRow("lines without star skipped")
        << QByteArray("\r\njunk\r\nT*a\r\n\r\n") << QStringList{u"T"_s} << u"junk"_s << QString();
    QTest::newRow("empty title and empty code")
        << QByteArray("*a\r\nT*\r\n") << QStringList{QString(), u"T"_s} << QString() << u"a"_s;
    QTest::newRow("case and blanks count")
        << QByteArray("t*1\r\nT *2\r\n") << QStringList{u"t"_s, u"T "_s} << u"T"_s << QString();
    QTest::newRow("one title three times")
        << QByteArray("T*1\r\nT*2\nU*u\rT*3|\r\n") << QStringList{u"T"_s, u"T"_s, u"U"_s, u"T"_s}
        << u"T"_s << u"3|"_s;
    QTest::newRow("mixed line ends") << QByteArray("x\n\r\nA*1\r\r\nB*2\n\rA*3\r")
                                     << QStringList{u"A"_s, u"B"_s, u"A"_s} << u"B"_s << u"2"_s;
    QTest::newRow("title at the very start, no line end")
        << QByteArray("A*only") << QStringList{u"A"_s} << u"A"_s << u"only"_s;
    QTest::newRow("bytes not valid in the code page")
        << QByteArray("\xff*bad\r\nCaf\xc3\xa9*ok\r\nA*y\r\n")
        << QStringList{QString::fromLocal8Bit("\xff"), QString::fromLocal8Bit("Caf\xc3\xa9"),
                       u"A"_s}
        << QString::fromLocal8Bit("\xff") << u"bad"_s;
    QTest::newRow("empty file") << QByteArray() << QStringList() << QString() << QString();
    QTest::newRow("only line ends")
        << QByteArray("\r\n\n\r") << QStringList() << QString() << QString();
    QTest::newRow("category text is no title")
        << QByteArray("T*a\r\n") << QStringList{u"T"_s} << u"*MY CODE*"_s << QString();
}

void TestStoredCode::titlesAndSnippets()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, titles);
    QFETCH(QString, title);
    QFETCH(QString, snippet);

    QCOMPARE(StoredCode::titles(bytes), titles);
    QCOMPARE(StoredCode::snippet(bytes, title), snippet);

    // Every listed title finds its own line, counted from the last line with that title,
    // whatever the line ends.
    QStringList codes;
    for (const QByteArray &line : TextFile::splitLines(bytes)) {
        if (line.contains('*'))
            codes.append(QString::fromLocal8Bit(line.mid(line.indexOf('*') + 1)));
    }
    QCOMPARE(codes.size(), titles.size());
    for (qsizetype i = 0; i < titles.size(); ++i) {
        const int fromLast = int(titles.mid(i + 1).count(titles.at(i)));
        QCOMPARE(StoredCode::snippet(bytes, titles.at(i), fromLast), codes.at(i));
        QCOMPARE(StoredCode::titleCount(bytes, titles.at(i)), int(titles.count(titles.at(i))));
    }
    QCOMPARE(StoredCode::snippet(bytes, title, int(titles.count(title))), QString());
}

void TestStoredCode::storeAndReadBack_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QByteArray>("stored"); // empty when the store is refused
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("refusedFor"); // the character a refusal names

    const QString t = u"T"_s;
    QTest::newRow("two lines") << t << u"a\r\nb"_s << QByteArray("T*a|b\r\n") << u"a\r\nb\r\n"_s
                               << QString();
    QTest::newRow("final line break")
        << t << u"a\r\nb\r\n"_s << QByteArray("T*a|b|\r\n") << u"a\r\nb\r\n"_s << QString();
    QTest::newRow("empty code") << t << QString() << QByteArray("T*\r\n") << QString() << QString();
    QTest::newRow("star inside") << t << u"x = 2*y\r\n' *note*"_s
                                 << QByteArray("T*x = 2*y|' *note*\r\n")
                                 << u"x = 2*y\r\n' *note*\r\n"_s << QString();
    QTest::newRow("empty lines kept") << t << u"a\r\n\r\n\r\nb"_s << QByteArray("T*a|||b\r\n")
                                      << u"a\r\n\r\n\r\nb\r\n"_s << QString();
    // Longer than the 32,767 characters a single-line box holds by default.
    QString longCode;
    QByteArray longStored = "Long*";
    for (int i = 0; i < 10000; ++i) {
        const QString line = u"Ctl(%1).Caption = \"x\""_s.arg(i);
        longCode += line + u"\r\n"_s;
        longStored += line.toLatin1() + '|';
    }
    QTest::newRow("220,000 characters") << u"Long"_s << longCode << longStored + "\r\n"
                                        << longCode << QString();
    QTest::newRow("bar inside a line")
        << t << u"a|b\r\nc"_s << QByteArray() << QString() << u"\"|\""_s;
    QTest::newRow("star in the title")
        << u"a*b"_s << u"c"_s << QByteArray() << QString() << u"\"*\""_s;
    QTest::newRow("replacement character")
        << t << u"' caf\uFFFD"_s << QByteArray() << QString() << u"\"\uFFFD\""_s;
    QTest::newRow("bar in the title is kept")
        << u"a|b"_s << u"c"_s << QByteArray("a|b*c\r\n") << u"c\r\n"_s << QString();
}

void TestStoredCode::storeAndReadBack()
{
    QFETCH(QString, title);
    QFETCH(QString, code);
    QFETCH(QByteArray, stored);
    QFETCH(QString, shown);
    QFETCH(QString, refusedFor);

    const Result<> storable = StoredCode::storable(title, code);
    QVERIFY2(storable.message().contains(refusedFor) && storable.ok() == refusedFor.isEmpty(),
             qPrintable(storable.message()));
    if (!storable)
        return;
    QTemporaryDir dir;
    const QString path = dir.filePath(u"MyCode.Txt"_s);
    QVERIFY(!StoredCode::exists(path));
    QVERIFY(StoredCode::store(path, title, StoredCode::codeToList(code)).ok());
    QVERIFY(StoredCode::exists(path));
    QCOMPARE(fileBytes(path), stored);
    QCOMPARE(StoredCode::readTitles(path).value(), QStringList{title});
    QCOMPARE(StoredCode::listToLines(StoredCode::readSnippet(path, title)), shown);
}

void TestStoredCode::twoStoresKeepTheirOwnLines()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"MyCode.Txt"_s);
    QVERIFY(StoredCode::store(path, u"One"_s, u"a|b"_s).ok());
    QVERIFY(StoredCode::store(path, u"Two"_s, u"c"_s).ok());
    QVERIFY(StoredCode::store(path, u"One"_s, u"d|"_s).ok());
    QCOMPARE(fileBytes(path), QByteArray("One*a|b\r\nTwo*c\r\nOne*d|\r\n"));
    QCOMPARE(StoredCode::readTitles(path).value(), (QStringList{u"One"_s, u"Two"_s, u"One"_s}));
    QCOMPARE(StoredCode::readSnippet(path, u"One"_s), u"d|"_s);
    QCOMPARE(StoredCode::readSnippet(path, u"Two"_s), u"c"_s);
}

void TestStoredCode::storeMendsMissingFinalLineEnd()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"MyCode.Txt"_s);
    writeBytes(path, "A*x|y");
    QVERIFY(StoredCode::store(path, u"B"_s, u"z"_s).ok());
    QCOMPARE(fileBytes(path), QByteArray("A*x|y\r\nB*z\r\n"));
    QCOMPARE(StoredCode::readSnippet(path, u"A"_s), u"x|y"_s);
    QCOMPARE(StoredCode::readSnippet(path, u"B"_s), u"z"_s);
}

void TestStoredCode::storeKeepsBytesOfOtherEntries()
{
    // Hand-edited lines, other line ends and bytes of another code page stay as they are.
    QTemporaryDir dir;
    const QString path = dir.filePath(u"MyCode.Txt"_s);
    const char raw[] = "A*\xe9\xff|x\nnote without star\r\rB*y\r\n";
    const QByteArray before(raw, sizeof raw - 1);
    writeBytes(path, before);
    QVERIFY(StoredCode::store(path, u"C"_s, u"z"_s).ok());
    QCOMPARE(fileBytes(path), before + "C*z\r\n");
    QCOMPARE(StoredCode::readTitles(path).value(), (QStringList{u"A"_s, u"B"_s, u"C"_s}));
}

void TestStoredCode::storeWithoutFolderFails()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Samples/MyCode.Txt"_s);
    const Result<> stored = StoredCode::store(path, u"T"_s, u"a"_s);
    QVERIFY(!stored.ok() && !stored.message().isEmpty());
    QVERIFY(!QDir(dir.path()).exists(u"Samples"_s));
    QVERIFY(!StoredCode::exists(path));
}

void TestStoredCode::storeToReadOnlyFileChangesNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"MyCode.Txt"_s);
    writeBytes(path, "A*x\r\n");
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
    QFile probe(path);
    if (probe.open(QIODevice::WriteOnly | QIODevice::Append))
        QSKIP("read-only files are writable here (running with privileges)");
    QVERIFY(!StoredCode::store(path, u"B"_s, u"y"_s).ok());
    QCOMPARE(fileBytes(path), QByteArray("A*x\r\n"));
}

void TestStoredCode::storeOntoAFolderFails()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"MyCode.Txt"_s));
    const QString path = dir.filePath(u"MyCode.Txt"_s);
    QVERIFY(!StoredCode::store(path, u"T"_s, u"a"_s).ok());
    QVERIFY(QFileInfo(path).isDir());
    QVERIFY(!StoredCode::readTitles(path).ok());
    QVERIFY(StoredCode::readTitles(path).message().contains(u"folder"_s));
    QCOMPARE(StoredCode::readSnippet(path, u"T"_s), QString());
}

void TestStoredCode::missingFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"MyCode.Txt"_s);
    QVERIFY(!StoredCode::exists(path));
    QVERIFY(!StoredCode::readTitles(path).ok());
    QCOMPARE(StoredCode::readSnippet(path, u"T"_s), QString());
}

void TestStoredCode::eightBitTitles()
{
    // Titles and code go to the file in the system's 8-bit code page and come back equal.
    QTemporaryDir dir;
    const QString path = dir.filePath(u"MyCode.Txt"_s);
    const QString title = u"Caf\u00e9"_s;
    const QString list = u"a = \"\u00e0\u00fc\"|"_s;
    QVERIFY(StoredCode::store(path, title, list).ok());
    QCOMPARE(fileBytes(path), title.toLocal8Bit() + '*' + list.toLocal8Bit() + "\r\n");
    QCOMPARE(StoredCode::readTitles(path).value(), QStringList{title});
    QCOMPARE(StoredCode::readSnippet(path, title), list);
}

void TestStoredCode::cutLastLine_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("cut");
    QTest::addColumn<QString>("title");
    QTest::newRow("whole, CR LF") << QByteArray("A*x\r\nB*y\r\n") << false << QString();
    QTest::newRow("whole, lone CR") << QByteArray("A*x\r") << false << QString();
    QTest::newRow("last line cut") << QByteArray("A*x\r\nB*y|z") << true << u"B"_s;
    QTest::newRow("only line cut") << QByteArray("Long*a|b|c") << true << u"Long"_s;
    QTest::newRow("cut in the title") << QByteArray("A*x\r\nLon") << false << QString();
    QTest::newRow("cut right after the star") << QByteArray("A*x\nT*") << true << u"T"_s;
    QTest::newRow("empty file") << QByteArray() << false << QString();
}

// A last line without a line end may be the start of an entry cut by an interrupted write:
// its title is named so that the user is told, not shown the code as if whole.
void TestStoredCode::cutLastLine()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, cut);
    QFETCH(QString, title);
    const std::optional<QString> found = StoredCode::cutTitle(bytes);
    QCOMPARE(found.has_value(), cut);
    if (cut) {
        QCOMPARE(*found, title);
        const QString text = StoredCode::cutMessage(u"MyCode.Txt"_s, title);
        QVERIFY(text.contains(u'"' + title + u'"'));
        QVERIFY(text.contains(u"MyCode.Txt"_s));
    }
}

void TestStoredCode::storeIsWholeOrNothing_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<int>("mode");
    QTest::newRow("new file") << QByteArray() << 0;
    QTest::newRow("0640 kept") << QByteArray("A*x\r\n") << 0640;
    QTest::newRow("large file") << QByteArray(3 << 20, 'x') + "*y\r\n" << 0644;
}

// A store writes the whole new file beside the old one and swaps it in: no temporary is left,
// the mode stays, and the earlier content stays byte for byte.
void TestStoredCode::storeIsWholeOrNothing()
{
    QFETCH(QByteArray, before);
    QFETCH(int, mode);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"MyCode.Txt"_s);
    namespace fs = std::filesystem;
    const fs::path native(QFile::encodeName(path).toStdString());
    if (!before.isEmpty()) {
        writeBytes(path, before);
        fs::permissions(native, fs::perms(mode));
    }
    QVERIFY(StoredCode::store(path, u"T"_s, u"a|b"_s).ok());
    QCOMPARE(fileBytes(path), before + "T*a|b\r\n");
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"MyCode.Txt"_s});
#ifdef Q_OS_UNIX
    if (!before.isEmpty())
        QCOMPARE(int(fs::status(native).permissions()), mode);
#endif
}

QTEST_APPLESS_MAIN(TestStoredCode)
#include "tst_storedcode.moc"
