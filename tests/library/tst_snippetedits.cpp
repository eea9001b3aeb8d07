#include "faultyfilesteps.h"
#include "snippetedits.h"
#include "snippetindex.h"
#include "storedcode.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSnippetEdits : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void edits_data();
    void edits();
    void editKeepsUnchangedBytes_data();
    void editKeepsUnchangedBytes();
    void matches_data();
    void matches();
    void indexFollowsTyping_data();
    void indexFollowsTyping();
    void rewriteAndUndo();
    void rewriteRefuses_data();
    void rewriteRefuses();
    void rewriteKeepsPermissionsAndLinks();

private:
    static QByteArray read(const QString &path);
    static void write(const QString &path, const QByteArray &bytes);
};

QByteArray TestSnippetEdits::read(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll();
}

void TestSnippetEdits::write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

void TestSnippetEdits::edits_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("fromLast"); // which entry of the title, counted from the last
    QTest::addColumn<QByteArray>("entry");
    // Empty when the title is not there.
    QTest::addColumn<QByteArray>("replaced");
    QTest::addColumn<QByteArray>("removed");

    const QByteArray mixed = "A*1\r\nT*a\r\nnote without star\r\n\r\nT*b|c\r\nZ*z";
    QTest::newRow("repeated title: the later entry")
        << mixed << u"T"_s << 0 << QByteArray("T*x|y|")
        << QByteArray("A*1\r\nT*a\r\nnote without star\r\n\r\nT*x|y|\r\nZ*z")
        << QByteArray("A*1\r\nT*a\r\nnote without star\r\n\r\nZ*z");
    QTest::newRow("repeated title: the earlier entry")
        << mixed << u"T"_s << 1 << QByteArray("T*x")
        << QByteArray("A*1\r\nT*x\r\nnote without star\r\n\r\nT*b|c\r\nZ*z")
        << QByteArray("A*1\r\nnote without star\r\n\r\nT*b|c\r\nZ*z");
    QTest::newRow("repeated title: no third entry")
        << mixed << u"T"_s << 2 << QByteArray("T*x") << QByteArray() << QByteArray();
    QTest::newRow("last line without its end")
        << mixed << u"Z"_s << 0 << QByteArray("Z2*q")
        << QByteArray("A*1\r\nT*a\r\nnote without star\r\n\r\nT*b|c\r\nZ2*q")
        << QByteArray("A*1\r\nT*a\r\nnote without star\r\n\r\nT*b|c\r\n");
    QTest::newRow("first line, other line ends kept")
        << QByteArray("A*1\nB*2\rC*3\r\n") << u"A"_s << 0 << QByteArray("A*one")
        << QByteArray("A*one\nB*2\rC*3\r\n") << QByteArray("B*2\rC*3\r\n");
    QTest::newRow("lone CR line end")
        << QByteArray("A*1\rB*2\rC*3") << u"B"_s << 0 << QByteArray("B*")
        << QByteArray("A*1\rB*\rC*3") << QByteArray("A*1\rC*3");
    QTest::newRow("empty title") << QByteArray("*x\r\nA*y\r\n") << QString() << 0
                                 << QByteArray("*z") << QByteArray("*z\r\nA*y\r\n")
                                 << QByteArray("A*y\r\n");
    QTest::newRow("star inside the code, title to the first")
        << QByteArray("a*b*c\r\na*b\r\n") << u"a*b"_s << 0 << QByteArray("x*y") << QByteArray()
        << QByteArray();
    QTest::newRow("a line without star is no title")
        << QByteArray("T\r\nA*1\r\n") << u"T"_s << 0 << QByteArray("T*x") << QByteArray()
        << QByteArray();
    QTest::newRow("same case only")
        << mixed << u"t"_s << 0 << QByteArray("t*x") << QByteArray() << QByteArray();
    QTest::newRow("8-bit title") << QString::fromLocal8Bit("\xc3\xa9t\xc3\xa9*x\r\n").toLocal8Bit()
                                 << QString::fromLocal8Bit("\xc3\xa9t\xc3\xa9") << 0
                                 << QString::fromLocal8Bit("\xc3\xa9t\xc3\xa9*y").toLocal8Bit()
                                 << QString::fromLocal8Bit("\xc3\xa9t\xc3\xa9*y\r\n").toLocal8Bit()
                                 << QByteArray();
    QTest::newRow("empty file") << QByteArray() << u"T"_s << 0 << QByteArray("T*x") << QByteArray()
                                << QByteArray();
}

void TestSnippetEdits::edits()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, title);
    QFETCH(int, fromLast);
    QFETCH(QByteArray, entry);
    QFETCH(QByteArray, replaced);
    QFETCH(QByteArray, removed);

    const Result<QByteArray> r = SnippetEdits::replaced(file, title, entry, fromLast);
    const Result<QByteArray> d = SnippetEdits::removed(file, title, fromLast);
    QCOMPARE(r.ok(), !replaced.isEmpty());
    if (replaced.isEmpty()) {
        QVERIFY(r.message().contains(title));
        QVERIFY(!d);
        return;
    }
    QCOMPARE(r.value(), replaced);
    QCOMPARE(d.value(), removed);
    // What the list shows afterwards: the new snippet under the new title, the others as were.
    const QString newTitle = QString::fromLocal8Bit(entry.left(entry.indexOf('*')));
    QCOMPARE(StoredCode::snippet(r.value(), newTitle, newTitle == title ? fromLast : 0),
             QString::fromLocal8Bit(entry.mid(entry.indexOf('*') + 1)));
    QCOMPARE(StoredCode::titles(d.value()).size(), StoredCode::titles(file).size() - 1);
}

void TestSnippetEdits::editKeepsUnchangedBytes_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("newTitle");
    QTest::addColumn<QString>("code");      // as the user leaves it in the box
    QTest::addColumn<QByteArray>("stored"); // empty when refused
    QTest::addColumn<QString>("refusedFor");

    // The code as the box shows it: bytes the code page cannot show are read as U+FFFD.
    const auto shown = [](const char *bytes) { return QString::fromLocal8Bit(bytes); };
    QTest::newRow("one character changed")
        << QByteArray("A*x\r\nT*' caf\xe9|x = 1\r\n") << u"T"_s << u"T"_s
        << shown("' caf\xe9\r\nx = 2") << QByteArray("A*x\r\nT*' caf\xe9|x = 2\r\n") << QString();
    QTest::newRow("lines added and removed around")
        << QByteArray("T*a|\xe9\xe8|b\r\n") << u"T"_s << u"T"_s
        << shown("new\r\n\xe9\xe8\r\nb\r\nend") << QByteArray("T*new|\xe9\xe8|b|end\r\n")
        << QString();
    QTest::newRow("title's bytes kept")
        << QByteArray("\xff*a\r\n") << shown("\xff") << shown("\xff") << u"b"_s
        << QByteArray("\xff*b\r\n") << QString();
    QTest::newRow("new title in the code page")
        << QByteArray("T*\xe9\r\n") << u"T"_s << u"Caf\u00e9"_s << shown("\xe9")
        << u"Caf\u00e9"_s.toLocal8Bit() + "*\xe9\r\n"
        << QString();
    QTest::newRow("replacement character typed anew")
        << QByteArray("T*\xe9\r\n") << u"T"_s << u"T"_s << shown("\xe9") + u"\r\n\uFFFD"_s
        << QByteArray() << u"\"\uFFFD\""_s;
    QTest::newRow("a replacement character the file holds")
        << QByteArray("T*\xef\xbf\xbd|x\r\n") << u"T"_s << u"T"_s << shown("\xef\xbf\xbd\r\ny")
        << QByteArray("T*\xef\xbf\xbd|y\r\n") << QString();
}

// An edit keeps every byte of what it leaves as it was, also bytes of another code page; what
// it adds is written in the code page, and what cannot be written exactly is refused.
void TestSnippetEdits::editKeepsUnchangedBytes()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, title);
    QFETCH(QString, newTitle);
    QFETCH(QString, code);
    QFETCH(QByteArray, stored);
    QFETCH(QString, refusedFor);

    const QString list = StoredCode::codeToList(code);
    const Result<QByteArray> r = SnippetEdits::edited(file, title, 0, newTitle, list);
    QVERIFY2(r.ok() == refusedFor.isEmpty() && r.message().contains(refusedFor),
             qPrintable(r.message()));
    if (!r)
        return;
    QCOMPARE(r.value(), stored);
    // It reads back as the text the user left.
    QCOMPARE(StoredCode::snippet(r.value(), newTitle), list);
}

void TestSnippetEdits::matches_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<bool>>("expected");
    const QByteArray file = "Loop*For i = 1|Next\r\nno star\r\nOpen*Open \"x\" For Input\r\n*\r\n";
    QTest::newRow("title, any case") << file << u"LOOP"_s << QList<bool>{true, false, false};
    QTest::newRow("inside the code") << file << u"input"_s << QList<bool>{false, true, false};
    QTest::newRow("both") << file << u"for"_s << QList<bool>{true, true, false};
    QTest::newRow("none") << file << u"zz"_s << QList<bool>{false, false, false};
    QTest::newRow("lines without star are no entry")
        << file << u"star"_s << QList<bool>{false, false, false};
    // A text found where one entry ends and the next begins is in neither.
    QTest::newRow("across two entries") << QByteArray("A*xy\r\nB*zw\nC*y\rD*zb") << u"yb"_s
                                        << QList<bool>{false, false, false, false};
    QTest::newRow("last entry without line end") << QByteArray("A*xy\r\nB*zw\nC*y\rD*zb") << u"ZB"_s
                                                 << QList<bool>{false, false, false, true};
    QTest::newRow("beyond ASCII, any case")
        << (u"Caf\u00C9*x\r\nStra\u00DFe*y\r\nplain*z\r\n"_s).toLocal8Bit() << u"caf\u00E9"_s
        << QList<bool>{true, false, false};
    QTest::newRow("empty text holds in every entry")
        << file << QString() << QList<bool>{true, true, true};
}

void TestSnippetEdits::matches()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, text);
    QFETCH(QList<bool>, expected);
    QCOMPARE(SnippetEdits::matches(file, text), expected);
}

// One index follows a filter typed and deleted key by key, and answers each text as an index
// built afresh for it does: among many entries, among few, and after a text that narrows nothing.
void TestSnippetEdits::indexFollowsTyping_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("texts");
    QByteArray many;
    for (int i = 0; i < 40; ++i)
        many += "T" + QByteArray::number(i) + "*Mid(s, " + QByteArray::number(i * 7) + ")\r\n";
    QTest::newRow("forwards, then back")
        << many << QStringList{u"m"_s,          u"mi"_s,        u"mid(s, 1"_s, u"mid(s, 14"_s,
                               u"mid(s, 147"_s, u"mid(s, 14"_s, u"mid(s, 1"_s, u"mi"_s,
                               u"m"_s,          QString()};
    QTest::newRow("another word after Backspace")
        << many << QStringList{u"t3"_s, u"t3*"_s, u"t3"_s, u"t"_s, u"t2*m"_s, u"x"_s, u"t"_s};
    QTest::newRow("no entries") << QByteArray("note\r\n") << QStringList{u"n"_s, u"no"_s};
}

void TestSnippetEdits::indexFollowsTyping()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, texts);
    SnippetIndex typed(file);
    for (const QString &text : texts)
        QCOMPARE(typed.matches(text), SnippetIndex(file).matches(text));
    // A fresh index agrees with the entries' own texts.
    QCOMPARE(SnippetIndex(file).matches(u"14)"_s).count(true), file.count("14)"));
}

void TestSnippetEdits::rewriteAndUndo()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"MyCode.Txt"_s);
    const QByteArray before = "A*1\r\nnote\r\nT*a\r\nT*b\r\n";
    write(path, before);
    const QByteArray edited = SnippetEdits::replaced(before, u"T"_s, "T*c").value();
    QVERIFY(SnippetEdits::rewrite(path, before, edited).written());
    QCOMPARE(read(path), QByteArray("A*1\r\nnote\r\nT*a\r\nT*c\r\n"));
    QVERIFY(!QFileInfo::exists(dir.filePath(u"MyCode.Bak"_s)));
    const QByteArray deleted = SnippetEdits::removed(edited, u"T"_s).value();
    QVERIFY(SnippetEdits::rewrite(path, edited, deleted).written());
    QCOMPARE(read(path), QByteArray("A*1\r\nnote\r\nT*a\r\n"));
    // Undo is the same rewrite back: from what was written to what was there before.
    QVERIFY(SnippetEdits::rewrite(path, deleted, edited).written());
    QCOMPARE(read(path), edited);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"MyCode.Txt"_s});
}

void TestSnippetEdits::rewriteRefuses_data()
{
    QTest::addColumn<QString>("outside");
    QTest::addColumn<QString>("says");
    QTest::newRow("changed by another program")
        << u"change"_s << u"has changed since it was read"_s;
    QTest::newRow("deleted") << u"delete"_s << u"no longer there"_s;
    QTest::newRow("backup name taken") << u"backup"_s << u"MyCode.Bak already exists"_s;
}

void TestSnippetEdits::rewriteRefuses()
{
    QFETCH(QString, outside);
    QFETCH(QString, says);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"MyCode.Txt"_s);
    const QByteArray asRead = "T*a\r\n";
    write(path, asRead);
    QByteArray onDisk = asRead;
    if (outside == u"change"_s) {
        onDisk = "T*a\r\nU*typed elsewhere\r\n";
        write(path, onDisk);
    } else if (outside == u"delete"_s) {
        QVERIFY(QFile::remove(path));
        onDisk = "<missing>";
    } else {
        write(dir.filePath(u"MyCode.Bak"_s), "older");
    }
    const SafeRewrite::Outcome r = SnippetEdits::rewrite(path, asRead, "T*b\r\n");
    QVERIFY(!r.written());
    const QString told = SnippetEdits::message(r);
    QVERIFY2(told.contains(says), qPrintable(told));
    QCOMPARE(read(path), onDisk);
    if (outside == u"backup"_s)
        QCOMPARE(read(dir.filePath(u"MyCode.Bak"_s)), QByteArray("older"));
}

void TestSnippetEdits::rewriteKeepsPermissionsAndLinks()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"MyCode.Txt"_s);
#ifdef Q_OS_WIN
    // Windows has no POSIX permission bits, and QFile::link makes a shell shortcut (.lnk), not
    // a link the file system follows: the file is rewritten under its own name.
    const QString target = path;
    write(target, "T*b\r\n");
#else
    const QString target = dir.filePath(u"store.txt"_s);
    write(target, "T*a\r\n");
    const auto perms = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(target, perms));
    // Not the mode a new file gets: read by the group, by no one else.
    const QFileDevice::Permissions before = QFile::permissions(target);
    QVERIFY(!before.testFlag(QFile::ReadOther));
    QVERIFY(QFile::link(target, path));
    QVERIFY(SnippetEdits::rewrite(path, "T*a\r\n", "T*b\r\n").written());
    QVERIFY(QFileInfo(path).isSymLink());
    QCOMPARE(read(target), QByteArray("T*b\r\n"));
    QCOMPARE(QFile::permissions(target), before);
#endif
    // A backup that stays after the write is reported, and the file is written all the same
    // (remove#1 is the previous file swapped out of the name, remove#2 the backup).
    FaultyFileSteps files({u"remove#2"_s});
    const SafeRewrite::Outcome r = SnippetEdits::rewrite(files, path, "T*b\r\n", "T*c\r\n");
    QCOMPARE(r.status, SafeRewrite::Status::WrittenBackupLeft);
    const QString told = SnippetEdits::message(r);
    QVERIFY2(told.contains(u"could not be removed"_s), qPrintable(told));
    QCOMPARE(read(target), QByteArray("T*c\r\n"));
    QCOMPARE(read(dir.filePath(u"MyCode.Bak"_s)), QByteArray("T*b\r\n"));
}

QTEST_APPLESS_MAIN(TestSnippetEdits)
#include "tst_snippetedits.moc"
