#include "diskfilesteps.h"
#include "faultyfilesteps.h"
#include "saferewrite.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

using SafeRewrite::Status;
Q_DECLARE_METATYPE(SafeRewrite::Status)

namespace {

const QByteArray previous = "T*a\r\nU*b\r\n";
const QByteArray replacement = "T*a\r\n";
const QByteArray edited = "T*a\r\nU*typed elsewhere\r\n";

QStringList filesIn(const QTemporaryDir &dir)
{
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace

class TestSafeRewrite : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void outcomes_data();
    void outcomes();
    void backupName_data();
    void backupName();
    void backupNameAmongOthers_data();
    void backupNameAmongOthers();
    void removeLeavesNothing_data();
    void removeLeavesNothing();
    void restoreNeverReplaces_data();
    void restoreNeverReplaces();
};

void TestSafeRewrite::outcomes_data()
{
    QTest::addColumn<QStringList>("failing"); // the file steps that fail
    QTest::addColumn<QString>("outside");     // what happens to the file outside Brindle
    QTest::addColumn<bool>("inPlace");        // the file can only be written in place
    QTest::addColumn<Status>("status");
    QTest::addColumn<QByteArray>("content"); // under the file's name afterwards
    QTest::addColumn<QStringList>("files");  // in the folder afterwards

    const QStringList none;
    const QStringList file{QStringLiteral("MyCode.Txt")};
    const QStringList both{QStringLiteral("MyCode.Bak"), QStringLiteral("MyCode.Txt")};
    const auto fails = [](const char *step) { return QStringList{QString::fromLatin1(step)}; };
    QTest::newRow("written") << none << QString() << false << Status::Written << replacement
                             << file;
    QTest::newRow("written in place")
        << none << QString() << true << Status::Written << replacement << file;
    QTest::newRow("changed by another program")
        << none << QStringLiteral("change") << false << Status::Changed << edited << file;
    QTest::newRow("deleted") << none << QStringLiteral("delete") << false << Status::Gone
                             << QByteArray("<missing>") << QStringList();
    QTest::newRow("backup name taken")
        << none << QStringLiteral("backup") << false << Status::BackupTaken << previous << both;
    QTest::newRow("lock") << fails("lock#1") << QString() << false << Status::Locked << previous
                          << file;
    QTest::newRow("read") << fails("read#1") << QString() << false << Status::ReadFailed << previous
                          << file;
    QTest::newRow("backup") << fails("keep#1") << QString() << false << Status::BackupFailed
                            << previous << file;
    QTest::newRow("create") << fails("create#1") << QString() << false << Status::WriteFailed
                            << previous << file;
    QTest::newRow("write, half written")
        << fails("write#1") << QString() << false << Status::WriteFailed << previous << file;
    QTest::newRow("commit") << fails("commit#1") << QString() << false << Status::WriteFailed
                            << previous << file;
    // remove#1 is the previous file swapped out of the name, remove#2 the backup.
    QTest::newRow("removing the backup") << fails("remove#2") << QString() << false
                                         << Status::WrittenBackupLeft << replacement << both;
    QTest::newRow("write, and removing the backup")
        << QStringList{QStringLiteral("write#1"), QStringLiteral("remove#1")} << QString() << false
        << Status::WriteFailed << previous << both;
    // Without the exchange, the previous file is moved aside and cannot go back under the
    // name: it and the backup stay.
    QTest::newRow("no exchange, renaming in and back")
        << QStringList{QStringLiteral("exchange#1"), QStringLiteral("rename#1"),
                       QStringLiteral("rename#2")}
        << QString() << false << Status::WriteFailedInPlace << QByteArray("<missing>")
        << QStringList{QStringLiteral(".brindle.writing"), QStringLiteral("MyCode.Bak"),
                       QStringLiteral("MyCode.Txt.??????")};
    // The content swapped out is read back and compared: unread, it goes back under the name.
    QTest::newRow("reading what was swapped out")
        << fails("read#2") << QString() << false << Status::SavedMeanwhile << previous << file;
    QTest::newRow("saved while the new file is written")
        << none << QStringLiteral("save at commit#1") << false << Status::SavedMeanwhile << edited
        << file;
    QTest::newRow("in place, reading it again")
        << fails("read#2") << QString() << true << Status::RecheckFailed << previous << file;
    // Its last look before the overwrite sees another program's save.
    QTest::newRow("in place, saved before the overwrite")
        << none << QStringLiteral("save at read#2") << true << Status::SavedMeanwhile << edited
        << file;
    QTest::newRow("in place, cut half-way")
        << fails("overwrite#1") << QString() << true << Status::WriteFailedInPlace
        << replacement.first(replacement.size() / 2) << both;
}

// Whatever step fails or whatever another program does, the outcome says what happened, the
// whole previous or the whole new content is under the name or in the backup, and nothing
// else is left behind but what the outcome names.
void TestSafeRewrite::outcomes()
{
    QFETCH(QStringList, failing);
    QFETCH(QString, outside);
    QFETCH(bool, inPlace);
    QFETCH(Status, status);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, files);

    QTemporaryDir dir;
    const QString path = QDir::toNativeSeparators(dir.filePath(QStringLiteral("MyCode.Txt")));
    const QString backup = QDir::toNativeSeparators(dir.filePath(QStringLiteral("MyCode.Bak")));
    put(path, previous);
    if (outside == QLatin1String("change"))
        put(path, edited);
    else if (outside == QLatin1String("delete"))
        QVERIFY(QFile::remove(path));
    else if (outside == QLatin1String("backup"))
        put(backup, "older");
    FaultyFileSteps steps(failing);
    steps.inPlace = inPlace;
    steps.swaps = !failing.contains(QStringLiteral("exchange#1"));
    steps.hold = [&](const QString &call) {
        if (outside == QStringLiteral("save at ") + call)
            put(path, edited);
    };
    const SafeRewrite::Outcome r = SafeRewrite::rewrite(steps, path, previous, replacement);

    QCOMPARE(r.status, status);
    QCOMPARE(r.written(), status == Status::Written || status == Status::WrittenBackupLeft);
    QCOMPARE(r.path, path);
    QCOMPARE(r.backup, backup);
    QCOMPARE(contentOf(path), content);
    const QStringList found = filesIn(dir);
    QCOMPARE(found.size(), files.size());
    for (qsizetype k = 0; k < files.size(); ++k) {
        QVERIFY2(QRegularExpression::fromWildcard(files.at(k)).match(found.at(k)).hasMatch(),
                 qPrintable(found.join(QLatin1Char(' '))));
        // A file moved aside holds the whole previous content, and the outcome names it.
        if (files.at(k).contains(QLatin1Char('?'))) {
            QCOMPARE(contentOf(dir.filePath(found.at(k))), previous);
            QCOMPARE(r.elsewhere, QDir::toNativeSeparators(dir.filePath(found.at(k))));
        }
    }
    // A failed step's reason is the system's; a backup that stays is named and holds the
    // previous content.
    if (!failing.isEmpty() && status != Status::SavedMeanwhile)
        QCOMPARE(r.backupLeft ? *r.backupLeft : r.reason, QStringLiteral("injected failure"));
    const QString told = SafeRewrite::message(r);
    QCOMPARE(told.isEmpty(), status == Status::Written);
    if (files.contains(QStringLiteral("MyCode.Bak"))) {
        QCOMPARE(contentOf(backup), outside == QLatin1String("backup") ? "older" : previous);
        QVERIFY2(told.contains(backup), qPrintable(told));
    }
}

void TestSafeRewrite::backupName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("backup");
    QTest::newRow("one dot") << QStringLiteral("Prog.txt") << QStringLiteral("Prog.Bak");
    QTest::newRow("upper case") << QStringLiteral("Prog.TXT") << QStringLiteral("Prog.Bak");
    // Cutting at the first dot would give «my.prog.txt» and «my.other.txt» one backup.
    QTest::newRow("two dots") << QStringLiteral("my.prog.txt") << QStringLiteral("my.prog.Bak");
    QTest::newRow("leading dot") << QStringLiteral(".txt") << QStringLiteral(".Bak");
    QTest::newRow("no dot") << QStringLiteral("Prog") << QString();
}

void TestSafeRewrite::backupName()
{
    QFETCH(QString, name);
    QFETCH(QString, backup);
    QCOMPARE(SafeRewrite::backupName(name), backup);
    const QString path = QDir::toNativeSeparators(QStringLiteral("/a/Samples/") + name);
    QCOMPARE(SafeRewrite::backupPath(path),
             backup.isEmpty() ? QString()
                              : QDir::toNativeSeparators(QStringLiteral("/a/Samples/") + backup));
}

void TestSafeRewrite::backupNameAmongOthers_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("folder");
    QTest::addColumn<QString>("expected");
    const QStringList cases{QStringLiteral("Prog.txt"), QStringLiteral("Prog.TXT"),
                            QStringLiteral("Prog.Txt")};
    QTest::newRow("alone") << QStringLiteral("Prog.txt") << QStringList{QStringLiteral("Prog.txt")}
                           << QStringLiteral("Prog.Bak");
    QTest::newRow("first of three cases")
        << QStringLiteral("Prog.TXT") << cases << QStringLiteral("Prog.Bak");
    QTest::newRow("second of three cases")
        << QStringLiteral("Prog.Txt") << cases << QStringLiteral("Prog~2.Bak");
    QTest::newRow("third of three cases")
        << QStringLiteral("Prog.txt") << cases << QStringLiteral("Prog~3.Bak");
    QTest::newRow("numbered name taken by another program")
        << QStringLiteral("Prog.txt")
        << QStringList{QStringLiteral("Prog.TXT"), QStringLiteral("Prog.txt"),
                       QStringLiteral("Prog~2.txt")}
        << QStringLiteral("Prog~3.Bak");
    QTest::newRow("other names do not count")
        << QStringLiteral("Prog.txt")
        << QStringList{QStringLiteral("Prog.Bak"), QStringLiteral("prog.txt"),
                       QStringLiteral("Prog.txt")}
        << QStringLiteral("Prog.Bak");
}

// Two programs of a folder never share a backup name.
void TestSafeRewrite::backupNameAmongOthers()
{
    QFETCH(QString, name);
    QFETCH(QStringList, folder);
    QFETCH(QString, expected);
    QCOMPARE(SafeRewrite::backupName(name, folder), expected);
}

void TestSafeRewrite::removeLeavesNothing_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("secondLink");
    QTest::newRow("small file") << 100 << false;
    QTest::newRow("large file, freed by another thread") << 3 * 1000 * 1000 << false;
    QTest::newRow("large file with a second name") << 3 * 1000 * 1000 << true;
}

// Removing a name takes it away at once, whether the storage is freed now or later; a second
// name keeps the content.
void TestSafeRewrite::removeLeavesNothing()
{
    QFETCH(int, size);
    QFETCH(bool, secondLink);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Big.txt"));
    const QString other = dir.filePath(QStringLiteral("Other.txt"));
    const QByteArray bytes(size, 'x');
    put(path, bytes);
    if (secondLink) {
        std::error_code error;
        std::filesystem::create_hard_link(QFile::encodeName(path).toStdString(),
                                          QFile::encodeName(other).toStdString(), error);
        if (error)
            QSKIP("no hard links here");
    }
    DiskFileSteps disk;
    QVERIFY(disk.remove(path).ok());
    QVERIFY(!disk.exists(path));
    QCOMPARE(filesIn(dir), secondLink ? QStringList{QStringLiteral("Other.txt")} : QStringList());
    if (secondLink)
        QCOMPARE(contentOf(other), bytes);
    QVERIFY(!disk.remove(path).ok()); // gone: nothing to remove
}

void TestSafeRewrite::restoreNeverReplaces_data()
{
    QTest::addColumn<bool>("taken"); // a file appeared under the program's name
    QTest::addColumn<bool>("link");  // the backup is a symbolic link
    QTest::newRow("free name") << false << false;
    QTest::newRow("name taken") << true << false;
#ifdef Q_OS_UNIX
    QTest::newRow("symbolic link, free name") << false << true;
#endif
}

// A backup is restored by a rename that refuses a taken name, never by a copy: a file that
// appeared under the program's name keeps its content, and the backup stays.
void TestSafeRewrite::restoreNeverReplaces()
{
    QFETCH(bool, taken);
    QFETCH(bool, link);
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("Prog.txt"));
    const QString backup = dir.filePath(QStringLiteral("Prog.Bak"));
    if (link) {
        put(dir.filePath(QStringLiteral("real")), previous);
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("real")), backup));
    } else {
        put(backup, previous);
    }
    if (taken)
        put(program, "new");
    DiskFileSteps disk;
    const Result<> restored = disk.rename(backup, program);
    QCOMPARE(restored.ok(), !taken);
    QCOMPARE(contentOf(program), taken ? QByteArray("new") : previous);
    QCOMPARE(QFileInfo::exists(backup), taken);
    if (taken) {
        QCOMPARE(contentOf(backup), previous);
        QVERIFY2(restored.message().contains(QStringLiteral("exists")),
                 qPrintable(restored.message()));
    } else {
        QCOMPARE(QFileInfo(program).isSymLink(), link);
    }
}

QTEST_GUILESS_MAIN(TestSafeRewrite)
#include "tst_saferewrite.moc"
