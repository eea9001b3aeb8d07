#include "diskfilesteps.h"
#include "faultyfilesteps.h"
#include "rewrite.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Lines = QList<QByteArray>;

namespace {

// Head with bytes of two encodings and every kind of line end, then the section.
const QByteArray previousFile = "First line \xe9\xe8\r\n"
                                "Second \xc3\xa9 line\n"
                                "Third\r"
                                "' Begin Generated part\r\n"
                                "Dim Form1\r\n"
                                "' End Generated part\r\n";
const Lines newSection{"' Begin Generated part", "Dim Form1", "New \xff", "' End Generated part",
                       "tail"};
const QByteArray newFile = "First line \xe9\xe8\r\n"
                           "Second \xc3\xa9 line\r\n"
                           "Third\r\n"
                           "' Begin Generated part\r\n"
                           "Dim Form1\r\n"
                           "New \xff\r\n"
                           "' End Generated part\r\n"
                           "tail\r\n";

QByteArray contentOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QStringList filesIn(const QTemporaryDir &dir)
{
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace

class TestRewrite : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void backupName_data();
    void backupName();
    void writesHeadAndSection();
    void sectionOnFirstLine();
    void twoRewritesInARow();
    void leftOverBackupRefuses();
    void changedFileRefuses();
    void failingStep_data();
    void failingStep();
};

void TestRewrite::backupName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("backup");
    QTest::newRow("one dot") << QStringLiteral("Prog.txt") << QStringLiteral("Prog.Bak");
    QTest::newRow("first dot") << QStringLiteral("my.prog.txt") << QStringLiteral("my.Bak");
    QTest::newRow("leading dot") << QStringLiteral(".txt") << QStringLiteral(".Bak");
    QTest::newRow("no dot") << QStringLiteral("Prog") << QString();
}

void TestRewrite::backupName()
{
    QFETCH(QString, name);
    QFETCH(QString, backup);
    QCOMPARE(Rewrite::backupName(name), backup);
    const QString path = QDir::toNativeSeparators(QStringLiteral("/a/Samples/") + name);
    QCOMPARE(Rewrite::backupPath(path),
             backup.isEmpty() ? QString()
                              : QDir::toNativeSeparators(QStringLiteral("/a/Samples/") + backup));
}

void TestRewrite::writesHeadAndSection()
{
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("Prog.txt"));
    put(program, previousFile);
    DiskFileSteps disk;
    const Rewrite::Result r = Rewrite::rewrite(disk, program, 3, newSection);
    QVERIFY(r.written);
    QCOMPARE(r.message, QString());
    QCOMPARE(contentOf(program), newFile);
    QCOMPARE(filesIn(dir), QStringList{QStringLiteral("Prog.txt")});
}

void TestRewrite::sectionOnFirstLine()
{
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("Prog.txt"));
    put(program, "' Begin Gen\nold\n");
    DiskFileSteps disk;
    QVERIFY(Rewrite::rewrite(disk, program, 0, {"' Begin Gen", "new"}).written);
    QCOMPARE(contentOf(program), QByteArray("' Begin Gen\r\nnew\r\n"));
}

void TestRewrite::twoRewritesInARow()
{
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("my.prog.txt"));
    put(program, previousFile);
    DiskFileSteps disk;
    QVERIFY(Rewrite::rewrite(disk, program, 3, {"' Begin Generated part", "one"}).written);
    QCOMPARE(filesIn(dir), QStringList{QStringLiteral("my.prog.txt")});
    const Rewrite::Result r = Rewrite::rewrite(disk, program, 3, newSection);
    QVERIFY(r.written);
    QVERIFY(r.message.isEmpty());
    QCOMPARE(contentOf(program), newFile);
    QCOMPARE(filesIn(dir), QStringList{QStringLiteral("my.prog.txt")});
}

void TestRewrite::leftOverBackupRefuses()
{
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("Prog.txt"));
    const QString backup = QDir::toNativeSeparators(dir.filePath(QStringLiteral("Prog.Bak")));
    put(program, previousFile);
    put(backup, "left over");
    FaultyFileSteps steps({});
    const Rewrite::Result r = Rewrite::rewrite(steps, program, 3, newSection);
    QVERIFY(!r.written);
    QVERIFY2(r.message.contains(backup), qPrintable(r.message));
    QVERIFY(r.message.contains(QStringLiteral("already exists")));
    QCOMPARE(steps.calls, QStringList{});
    QCOMPARE(contentOf(program), previousFile);
    QCOMPARE(contentOf(backup), QByteArray("left over"));
}

void TestRewrite::changedFileRefuses()
{
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("Prog.txt"));
    const QByteArray edited = "one more head line\r\n" + previousFile;
    put(program, edited);
    DiskFileSteps disk;
    const Rewrite::Result r = Rewrite::rewrite(disk, program, 3, newSection);
    QVERIFY(!r.written);
    QVERIFY(r.message.contains(QStringLiteral("has changed since it was read")));
    QVERIFY(r.fileChanged);
    QCOMPARE(contentOf(program), edited);
    QCOMPARE(filesIn(dir), QStringList{QStringLiteral("Prog.txt")});
}

void TestRewrite::failingStep_data()
{
    QTest::addColumn<QStringList>("failing");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("left"); // what is left under the program's name
    QTest::addColumn<QStringList>("files");

    const QStringList program{QStringLiteral("Prog.txt")};
    const QStringList both{QStringLiteral("Prog.Bak"), QStringLiteral("Prog.txt")};
    const QStringList backupOnly{QStringLiteral("Prog.Bak")};
    const QString previous = QStringLiteral("previous");
    const QString next = QStringLiteral("new");
    QTest::newRow("read") << QStringList{QStringLiteral("read#1")} << false << previous << program;
    QTest::newRow("rename") << QStringList{QStringLiteral("rename#1")} << false << previous
                            << program;
    QTest::newRow("create") << QStringList{QStringLiteral("create#1")} << false << previous
                            << program;
    QTest::newRow("write of the head")
        << QStringList{QStringLiteral("write#1")} << false << previous << program;
    QTest::newRow("write of the section")
        << QStringList{QStringLiteral("write#2")} << false << previous << program;
    QTest::newRow("commit (flush, sync, close)")
        << QStringList{QStringLiteral("commit#1")} << false << previous << program;
    QTest::newRow("delete of the backup")
        << QStringList{QStringLiteral("remove#1")} << true << next << both;
    QTest::newRow("write, and putting back")
        << QStringList{QStringLiteral("write#2"), QStringLiteral("rename#2")} << false << QString()
        << backupOnly;
    QTest::newRow("create, and putting back")
        << QStringList{QStringLiteral("create#1"), QStringLiteral("rename#2")} << false << QString()
        << backupOnly;
}

// Whichever step fails: a message, and the whole previous content under the program's name
// or, when even putting it back fails, under the backup's name; no other file is left.
void TestRewrite::failingStep()
{
    QFETCH(QStringList, failing);
    QFETCH(bool, written);
    QFETCH(QString, left);
    QFETCH(QStringList, files);

    QTemporaryDir dir;
    const QString program = QDir::toNativeSeparators(dir.filePath(QStringLiteral("Prog.txt")));
    const QString backup = QDir::toNativeSeparators(dir.filePath(QStringLiteral("Prog.Bak")));
    put(program, previousFile);
    FaultyFileSteps steps(failing);
    const Rewrite::Result r = Rewrite::rewrite(steps, program, 3, newSection);

    QCOMPARE(r.written, written);
    QVERIFY(!r.fileChanged);
    QVERIFY(!r.message.isEmpty());
    QVERIFY2(r.message.contains(program), qPrintable(r.message));
    QCOMPARE(filesIn(dir), files);
    if (left == QLatin1String("previous"))
        QCOMPARE(contentOf(program), previousFile);
    else if (left == QLatin1String("new"))
        QCOMPARE(contentOf(program), newFile);
    if (files.contains(QStringLiteral("Prog.Bak"))) {
        QCOMPARE(contentOf(backup), previousFile);
        QVERIFY2(r.message.contains(backup), qPrintable(r.message));
    }
    for (const QString &step : failing)
        QVERIFY2(steps.calls.contains(step), qPrintable(steps.calls.join(QLatin1Char(' '))));
}

QTEST_GUILESS_MAIN(TestRewrite)
#include "tst_rewrite.moc"
