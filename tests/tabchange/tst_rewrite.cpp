#include "diskfilesteps.h"
#include "faultyfilesteps.h"
#include "leftoverbackups.h"
#include "rewrite.h"
#include "testfiles.h"
#include "writejournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/xattr.h>
#endif

using Lines = QList<QByteArray>;

namespace {

// Head with bytes of two encodings and every kind of line end, then the section.
const QByteArray previousFile = "First line \xe9\xe8\r\n"
                                "Second \xc3\xa9 line\n"
                                "Third\r"
                                "' Begin Generated part\r\n"
                                "Dim Form1\r\n"
                                "' End Generated part\r\n";
// The section of previousFile as read: its bytes from the "Begin Gen" line on.
const QByteArray previousSection = "' Begin Generated part\r\n"
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

// A rewrite as the TAB session makes one: the lines written in place of the section read.
struct Outcome
{
    bool written = false;
    QString message;
    bool dropped = false; // the changes held no longer apply (the file changed, is gone...)
};

Outcome rewrite(FileSteps &files, const QString &program, int genStart,
                const QByteArray &readSection, const Lines &section)
{
    const SafeRewrite::Outcome written =
        Rewrite::write(files, program, genStart, readSection, Rewrite::sectionSlices(section));
    return {written.written(), Rewrite::writeMessage(written), written.changesDropped()};
}

QByteArray joined(const Slices &slices)
{
    QByteArray bytes;
    for (const QByteArrayView slice : slices)
        bytes += slice;
    return bytes;
}

QByteArray sectionOf(const QByteArray &file)
{
    return file.sliced(file.indexOf("' Begin"));
}

QStringList filesIn(const QTemporaryDir &dir)
{
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// The notes as «file>the name it was for:what it holds», the paths relative to base.
QString notesText(const QList<WriteJournal::Entry> &entries, const QString &base)
{
    QStringList texts;
    for (const WriteJournal::Entry &entry : entries)
        texts << QDir(base).relativeFilePath(entry.path) + QLatin1Char('>') +
                     QDir(base).relativeFilePath(entry.forPath) +
                     (entry.holds == WriteJournal::Holds::Written ? QStringLiteral(":written")
                                                                  : QStringLiteral(":swapped"));
    return texts.join(QLatin1Char(';'));
}

} // namespace

class TestRewrite : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sectionSlices_data();
    void sectionSlices();
    void writesHeadAndSection();
    void sectionOnFirstLine();
    void twoRewritesInARow();
    void takenBackupRefuses();
    void outsideEdit_data();
    void outsideEdit();
    void attributesKept_data();
    void attributesKept();
    void failingStep_data();
    void failingStep();
    void leftoverFound_data();
    void leftoverFound();
    void leftoverCopy_data();
    void leftoverCopy();
    void leftoverFiles_data();
    void leftoverFiles();
    void editWhileWriting_data();
    void editWhileWriting();
    void lockedByAnotherWindow_data();
    void lockedByAnotherWindow();
    void inPlace_data();
    void inPlace();
};

void TestRewrite::sectionSlices_data()
{
    // Each line: "h" and the index of a line of the bytes held (a view of it), or "o" and its
    // own text.
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("slices");
    QTest::newRow("held in order: one slice") << QStringList{"h0", "h1", "h2"} << 1;
    QTest::newRow("a line of its own between")
        << QStringList{"h0", "onew", "h2"} << 4; // h0, «new», CR LF, h2
    QTest::newRow("held out of order") << QStringList{"h1", "h2", "h0"} << 2; // h1 h2, h0
    QTest::newRow("held, but ended by LF") << QStringList{"h2", "h3"} << 3;   // h2, h3, CR LF
    QTest::newRow("lines of their own only") << QStringList{"oa", "ob"} << 4;
    QTest::newRow("no lines") << QStringList{} << 0;
}

// The section's lines ended by CR LF, as slices: runs of lines held in place are slices of the
// bytes held, not copies; the slices hold the lines, each ended by CR LF.
void TestRewrite::sectionSlices()
{
    QFETCH(QStringList, lines);
    QFETCH(int, slices);
    const QByteArray held = "a\r\nbb\r\nccc\r\nd\n";
    const QList<qsizetype> starts{0, 3, 7, 12};
    Lines section;
    QByteArray expected;
    for (const QString &line : lines) {
        const QByteArray text = line.mid(1).toLatin1();
        if (line.startsWith(QLatin1Char('h'))) {
            const qsizetype k = text.toInt();
            const qsizetype end = held.indexOf('\n', starts.at(k));
            const qsizetype size = end - starts.at(k) - (held.at(end - 1) == '\r' ? 1 : 0);
            section.append(QByteArray::fromRawData(held.constData() + starts.at(k), size));
        } else {
            section.append(text);
        }
        expected += section.last() + "\r\n";
    }
    const Slices made = Rewrite::sectionSlices(section, held);
    QCOMPARE(made.size(), slices);
    QCOMPARE(joined(made), expected);
    for (qsizetype k = 0; k < made.size(); ++k) {
        // A slice of more than one held line is never a copy.
        if (made.at(k).size() > 6)
            QVERIFY(made.at(k).data() >= held.constData() &&
                    made.at(k).data() < held.constData() + held.size());
    }
}

void TestRewrite::writesHeadAndSection()
{
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("Prog.txt"));
    put(program, previousFile);
    DiskFileSteps disk;
    const Outcome r = rewrite(disk, program, 3, previousSection, newSection);
    QVERIFY(r.written);
    QVERIFY(!r.dropped);
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
    QVERIFY(rewrite(disk, program, 0, "' Begin Gen\nold\n", {"' Begin Gen", "new"}).written);
    QCOMPARE(contentOf(program), QByteArray("' Begin Gen\r\nnew\r\n"));
}

void TestRewrite::twoRewritesInARow()
{
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("my.prog.txt"));
    put(program, previousFile);
    DiskFileSteps disk;
    const Outcome first =
        rewrite(disk, program, 3, previousSection, {"' Begin Generated part", "one"});
    QVERIFY(first.written);
    QCOMPARE(filesIn(dir), QStringList{QStringLiteral("my.prog.txt")});
    // The section as written is the one the next rewrite compares with.
    const Outcome r = rewrite(disk, program, 3, sectionOf(contentOf(program)), newSection);
    QVERIFY(r.written);
    QVERIFY(r.message.isEmpty());
    QCOMPARE(contentOf(program), newFile);
    QCOMPARE(filesIn(dir), QStringList{QStringLiteral("my.prog.txt")});
}

// A backup name that is taken may hold the only copy of another program: it is neither used
// nor advised away.
void TestRewrite::takenBackupRefuses()
{
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("Prog.txt"));
    const QString backup = QDir::toNativeSeparators(dir.filePath(QStringLiteral("Prog.Bak")));
    put(program, previousFile);
    put(backup, "left over");
    FaultyFileSteps steps({});
    const Outcome r = rewrite(steps, program, 3, previousSection, newSection);
    QVERIFY(!r.written);
    QVERIFY(!r.dropped);
    QVERIFY2(r.message.contains(backup), qPrintable(r.message));
    QVERIFY(r.message.contains(QStringLiteral("only copy")));
    QVERIFY(!r.message.contains(QStringLiteral("delete"), Qt::CaseInsensitive));
    QVERIFY(!steps.calls.contains(QStringLiteral("keep#1")));
    QCOMPARE(contentOf(program), previousFile);
    QCOMPARE(contentOf(backup), QByteArray("left over"));
}

void TestRewrite::outsideEdit_data()
{
    QTest::addColumn<QByteArray>("edited"); // what another program saved; empty: deleted
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("messagePart");

    const QString changed = QStringLiteral("has changed since it was read");
    QByteArray line = previousFile;
    line.replace("Dim Form1", "Dim Form2");
    QTest::newRow("section line changed") << line << false << changed;
    QByteArray tail = previousFile;
    tail.replace("' End Generated part\r\n", "' End Generated part\r\ntail\r\n");
    QTest::newRow("tail changed") << tail << false << changed;
    QTest::newRow("line appended") << previousFile + "x\r\n" << false << changed;
    QTest::newRow("line ends changed")
        << QByteArray(previousFile).replace("\r\n", "\n") << false << changed;
    QTest::newRow("head line added") << "one more\r\n" + previousFile << false << changed;
    QByteArray other = previousFile;
    other.replace("Dim Form1\r\n", "Dim Other\r\n'\r\n");
    QTest::newRow("replaced by another file with the same head") << other << false << changed;
    QTest::newRow("deleted") << QByteArray() << false << QStringLiteral("no longer there");
    QTest::newRow("file cut") << previousFile.chopped(3) << false << changed;
    // The size of the head is the file's size less the section's, so lines that make up
    // another count of head lines are seen even at the same size.
    QTest::newRow("head lines regrouped, same size")
        << QByteArray(previousFile).replace("Third", "Th\nrd") << false << changed;
    QTest::newRow("head line removed")
        << QByteArray(previousFile).replace("Third\r", "") << false << changed;
    QByteArray twice = previousFile;
    twice.replace("Third\r", "Third\r' Begin Generated part\r\n");
    QTest::newRow("a second Begin Gen line in the head") << twice << false << changed;
    // The head is written as it is now on disk, so an edit there is kept.
    QByteArray head = previousFile;
    head.replace("Third", "3rd  ");
    QTest::newRow("head line edited") << head << true << QString();
    QTest::newRow("head line longer")
        << QByteArray(previousFile).replace("Second", "The second") << true << QString();
}

// The file is compared with what was read just before anything moves: an edit made by
// another program is never overwritten, and the user is told the held changes are dropped.
void TestRewrite::outsideEdit()
{
    QFETCH(QByteArray, edited);
    QFETCH(bool, written);
    QFETCH(QString, messagePart);

    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("Prog.txt"));
    if (!edited.isEmpty())
        put(program, edited);
    DiskFileSteps disk;
    const Outcome r = rewrite(disk, program, 3, previousSection, newSection);
    QCOMPARE(r.written, written);
    QCOMPARE(r.dropped, !written);
    if (written) {
        // The head as now on disk, its lines ended by CR LF, then the new section.
        QByteArray head = edited.first(edited.indexOf("' Begin"));
        head.replace("\r\n", "\n").replace('\r', '\n').replace("\n", "\r\n");
        QCOMPARE(contentOf(program), head + sectionOf(newFile));
        return;
    }
    QVERIFY2(r.message.contains(messagePart), qPrintable(r.message));
    QVERIFY(r.message.contains(QStringLiteral("dropped")));
    QCOMPARE(contentOf(program), edited.isEmpty() ? QByteArray("<missing>") : edited);
    QCOMPARE(filesIn(dir),
             edited.isEmpty() ? QStringList() : QStringList{QStringLiteral("Prog.txt")});
}

void TestRewrite::attributesKept_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("link");
    QTest::newRow("0600") << 0600 << false;
    QTest::newRow("0755") << 0755 << false;
    QTest::newRow("0640 behind a symbolic link") << 0640 << true;
    QTest::newRow("0444, read-only") << 0444 << false;
    QTest::newRow("04755, setuid") << 04755 << false;
    QTest::newRow("02750, setgid") << 02750 << false;
}

// A rewrite keeps the file's permission bits, and writes through a symbolic link to its
// target, the link staying a link.
void TestRewrite::attributesKept()
{
#ifndef Q_OS_UNIX
    QSKIP("Unix permission bits and links");
#else
    QFETCH(int, mode);
    QFETCH(bool, link);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("real")));
    const QString target =
        dir.filePath(link ? QStringLiteral("real/prog.txt") : QStringLiteral("Prog.txt"));
    const QString program = dir.filePath(QStringLiteral("Prog.txt"));
    put(target, previousFile);
    if (link)
        QVERIFY(QFile::link(target, program));

    // Another owner and group: kept when the process may give them back (as root).
    const QByteArray name = QFile::encodeName(target);
    const bool root = ::geteuid() == 0;
    if (root)
        QCOMPARE(::chown(name.constData(), 1234, 2345), 0);
    QCOMPARE(::chmod(name.constData(), mode_t(mode)), 0);

    DiskFileSteps disk;
    QVERIFY(rewrite(disk, program, 3, previousSection, newSection).written);
    QCOMPARE(contentOf(target), newFile);
    struct stat info = {};
    QCOMPARE(::stat(name.constData(), &info), 0);
    QCOMPARE(int(info.st_mode & 07777), mode);
    if (root) {
        QCOMPARE(int(info.st_uid), 1234);
        QCOMPARE(int(info.st_gid), 2345);
    }
    QCOMPARE(QFileInfo(program).isSymLink(), link);
    QCOMPARE(filesIn(dir), QStringList{QStringLiteral("Prog.txt")});
#endif
}

void TestRewrite::failingStep_data()
{
    QTest::addColumn<QStringList>("failing");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("dropped"); // the changes held in memory are dropped
    QTest::addColumn<bool>("swaps");   // the file system swaps two names in one step

    const QStringList program{QStringLiteral("Prog.txt")};
    const QStringList both{QStringLiteral("Prog.Bak"), QStringLiteral("Prog.txt")};
    // The file is read and compared under the lock only: unread, it cannot be compared, and
    // the changes held are dropped.
    QTest::newRow("reading under the lock")
        << QStringList{QStringLiteral("read#1")} << false << program << true << true;
    QTest::newRow("backup") << QStringList{QStringLiteral("keep#1")} << false << program << false
                            << true;
    QTest::newRow("create") << QStringList{QStringLiteral("create#1")} << false << program << false
                            << true;
    QTest::newRow("write (cut half-way)")
        << QStringList{QStringLiteral("write#1")} << false << program << false << true;
    QTest::newRow("commit (flush, sync, close)")
        << QStringList{QStringLiteral("commit#1")} << false << program << false << true;
    QTest::newRow("lock") << QStringList{QStringLiteral("lock#1")} << false << program << false
                          << true;
    // The content swapped out is read back and compared: unread, it goes back under the name,
    // and as it may be another program's save, the changes held are dropped.
    QTest::newRow("reading what was swapped out")
        << QStringList{QStringLiteral("read#2")} << false << program << true << true;
    // remove#1 is the swapped-out previous file, remove#2 the backup.
    QTest::newRow("removing the backup")
        << QStringList{QStringLiteral("remove#2")} << true << both << false << true;
    // Without the exchange, the previous file is moved aside and the new one renamed in.
    QTest::newRow("no exchange, moving aside")
        << QStringList{QStringLiteral("moveAside#1")} << false << program << false << false;
    QTest::newRow("no exchange, renaming the new file in")
        << QStringList{QStringLiteral("rename#1")} << false << program << false << false;
    // The previous file cannot go back under the name either: it and the backup stay, and the
    // file moved aside is noted as not Brindle's own.
    QTest::newRow("no exchange, renaming in and back")
        << QStringList{QStringLiteral("rename#1"), QStringLiteral("rename#2")} << false
        << QStringList{QStringLiteral(".brindle.writing"), QStringLiteral("Prog.Bak"),
                       QStringLiteral("Prog.txt.??????")}
        << false << false;
    QTest::newRow("write, and removing the backup")
        << QStringList{QStringLiteral("write#1"), QStringLiteral("remove#1")} << false << both
        << false << true;
}

// Whichever step fails: a message, and the whole previous content under the program's name
// (the new content only once it is complete); a backup left behind holds the previous content
// and is named in the message.
void TestRewrite::failingStep()
{
    QFETCH(QStringList, failing);
    QFETCH(bool, written);
    QFETCH(QStringList, files);
    QFETCH(bool, dropped);
    QFETCH(bool, swaps);
#ifndef Q_OS_LINUX
    if (swaps)
        QSKIP("Swapping two files in one step");
#endif

    QTemporaryDir dir;
    const QString program = QDir::toNativeSeparators(dir.filePath(QStringLiteral("Prog.txt")));
    const QString backup = QDir::toNativeSeparators(dir.filePath(QStringLiteral("Prog.Bak")));
    put(program, previousFile);
    FaultyFileSteps steps(failing);
    steps.swaps = swaps;
    const Outcome r = rewrite(steps, program, 3, previousSection, newSection);

    QCOMPARE(r.written, written);
    QCOMPARE(r.dropped, dropped);
    QVERIFY(!r.message.isEmpty());
    QVERIFY2(r.message.contains(program), qPrintable(r.message));
    QVERIFY(!r.message.contains(QStringLiteral("delete"), Qt::CaseInsensitive));
    const QStringList found = filesIn(dir);
    QCOMPARE(found.size(), files.size());
    for (qsizetype k = 0; k < files.size(); ++k) {
        QVERIFY2(QRegularExpression::fromWildcard(files.at(k)).match(found.at(k)).hasMatch(),
                 qPrintable(found.join(QLatin1Char(' '))));
        // A file moved aside holds the whole previous content.
        if (files.at(k).contains(QLatin1Char('?')))
            QCOMPARE(contentOf(dir.filePath(found.at(k))), previousFile);
    }
    QCOMPARE(contentOf(program), !files.contains(QStringLiteral("Prog.txt"))
                                     ? QByteArray("<missing>")
                                 : written ? newFile
                                           : previousFile);
    if (files.contains(QStringLiteral("Prog.Bak"))) {
        QCOMPARE(contentOf(backup), previousFile);
        QVERIFY2(r.message.contains(backup), qPrintable(r.message));
    }
    for (const QString &step : failing)
        QVERIFY2(steps.calls.contains(step), qPrintable(steps.calls.join(QLatin1Char(' '))));
}

void TestRewrite::editWhileWriting_data()
{
    QTest::addColumn<QString>("heldStep"); // the step before which the other program saves
    QTest::addColumn<bool>("inPlace");     // it writes over the file, else saves a new one
    QTest::addColumn<bool>("link");     // Prog.txt is a symbolic link to a file in another folder
    QTest::addColumn<bool>("exchange"); // the file system swaps two names in one step

    for (const bool exchange : {true, false}) {
        for (const bool link : {false, true}) {
            for (const char *step : {"lock#1", "read#1", "keep#1", "create#1", "write#1",
                                     "commit#1", "exchange#1", "moveAside#1", "rename#1"}) {
                // Without the exchange, the new file takes the name by two renames.
                if (exchange && QByteArrayView(step).startsWith("moveAside"))
                    break;
                for (const bool inPlace : {true, false}) {
                    QTest::addRow("%s, %s%s%s", step,
                                  inPlace ? "written in place" : "saved as a new file",
                                  link ? ", through a link" : "", exchange ? "" : ", no exchange")
                        << QString::fromLatin1(step) << inPlace << link << exchange;
                }
            }
        }
    }
}

// Another program saves the file at any moment of the rewrite: what it saved stays under the
// program's name and the user is told; a link stays a link; nothing else is left behind.
void TestRewrite::editWhileWriting()
{
    QFETCH(QString, heldStep);
    QFETCH(bool, inPlace);
    QFETCH(bool, link);
    QFETCH(bool, exchange);
#ifndef Q_OS_LINUX
    if (link || exchange)
        QSKIP("Symbolic links and swapping two files in one step");
#endif

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("real")));
    const QString program = dir.filePath(QStringLiteral("Prog.txt"));
    const QString target = link ? dir.filePath(QStringLiteral("real/prog.txt")) : program;
    put(target, previousFile);
    if (link)
        QVERIFY(QFile::link(target, program));
    const QByteArray edited = QByteArray(previousFile).replace("Dim Form1", "Dim FormE");
    FaultyFileSteps steps({});
    steps.swaps = exchange;
    DiskFileSteps otherWindow;
    otherWindow.lockWait = 0;
    steps.hold = [&](const QString &call) {
        if (call != heldStep)
            return;
        // Another Brindle window looks for leftovers meanwhile: once the write has the lock,
        // that window gets none and takes nothing of the write (its backup, its new file) for a
        // leftover; the new file is noted as Brindle's own.
        const QStringList before = filesIn(dir);
        QCOMPARE(LeftoverBackups::survey(otherWindow, dir.path()).ok(),
                 call == QLatin1String("lock#1"));
        QCOMPARE(filesIn(dir), before);
        // On a disk without hard links the backup is a noted copy too.
        if (call == QLatin1String("commit#1"))
            QVERIFY(notesText(WriteJournal::entries(dir.path()), dir.path())
                        .contains(QRegularExpression(QStringLiteral(
                            "(^|;)(Prog|real/prog).txt.\\w{6}>Prog.txt:written($|;)"))));
        if (inPlace) {
            put(target, edited);
            return;
        }
        put(target + QStringLiteral(".editor"), edited);
        QFile::remove(target); // gone already when Brindle has moved it aside
        QVERIFY(QFile::rename(target + QStringLiteral(".editor"), target));
    };
    const Outcome r = rewrite(steps, program, 3, previousSection, newSection);
    QVERIFY(!r.written);
    // The message says the held changes are dropped, and so they are: the file holds another save.
    QVERIFY2(r.message.contains(QStringLiteral("dropped")), qPrintable(r.message));
    QVERIFY(r.dropped);
    QCOMPARE(contentOf(program), edited);
    QCOMPARE(QFileInfo(program).isSymLink(), link);
    QCOMPARE(filesIn(dir), QStringList{QStringLiteral("Prog.txt")});
    QCOMPARE(QDir(dir.filePath(QStringLiteral("real"))).entryList(QDir::Files | QDir::Hidden),
             link ? QStringList{QStringLiteral("prog.txt")} : QStringList());
}

void TestRewrite::lockedByAnotherWindow_data()
{
    QTest::addColumn<QString>("otherName"); // the name the other window writes the file by

    QTest::newRow("the same name") << QStringLiteral("Prog.txt");
    // Windows has neither here: QFile::link makes a shell shortcut, which no write follows.
#ifdef Q_OS_UNIX
    QTest::newRow("a hard link in another folder") << QStringLiteral("other/Prog.txt");
    QTest::newRow("a symbolic link in another folder") << QStringLiteral("other/link.txt");
#endif
}

// Another Brindle window writes the same file, by whatever name: the rewrite waits, then gives
// up and says so.
void TestRewrite::lockedByAnotherWindow()
{
    QFETCH(QString, otherName);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("other")));
    const QString program = dir.filePath(QStringLiteral("Prog.txt"));
    const QString other = dir.filePath(otherName);
    put(program, previousFile);
    if (otherName.endsWith(QLatin1String("link.txt")))
        QVERIFY(QFile::link(program, other));
    else if (other != program) {
        std::error_code error;
        std::filesystem::create_hard_link(QFile::encodeName(program).toStdString(),
                                          QFile::encodeName(other).toStdString(), error);
        QVERIFY(!error);
    }
    DiskFileSteps otherWindow;
    QVERIFY(otherWindow.lock(other));
    DiskFileSteps disk;
    disk.lockWait = 50;
    const Outcome r = rewrite(disk, program, 3, previousSection, newSection);
    QVERIFY(!r.written);
    QVERIFY2(r.message.contains(QStringLiteral("another Brindle window")), qPrintable(r.message));
    QCOMPARE(contentOf(program), previousFile);
    otherWindow.unlock();
    QVERIFY(rewrite(disk, program, 3, previousSection, newSection).written);
    QCOMPARE(contentOf(program), newFile);
    QCOMPARE(contentOf(other), newFile);
}

void TestRewrite::inPlace_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("failing");
    QTest::addColumn<bool>("written");

    QTest::newRow("second hard link") << QStringLiteral("link") << QStringList() << true;
    QTest::newRow("extended attribute") << QStringLiteral("xattr") << QStringList() << true;
    QTest::newRow("overwrite fails half-way")
        << QStringLiteral("link") << QStringList{QStringLiteral("overwrite#1")} << false;
    QTest::newRow("backup copy fails")
        << QStringLiteral("link") << QStringList{QStringLiteral("copy#1")} << false;
}

// A file that a new copy could not stand in for is written over in place, once a synced copy
// of its previous content is the backup; every name of it shows the new content. A file
// with extended attributes gets a new copy that has them.
void TestRewrite::inPlace()
{
#ifndef Q_OS_LINUX
    QSKIP("Hard links and extended attributes");
#else
    QFETCH(QString, kind);
    QFETCH(QStringList, failing);
    QFETCH(bool, written);

    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("Prog.txt"));
    const QString other = dir.filePath(QStringLiteral("other name"));
    const QString backup = QDir::toNativeSeparators(dir.filePath(QStringLiteral("Prog.Bak")));
    put(program, previousFile);
    const QByteArray name = QFile::encodeName(program);
    if (kind == QLatin1String("link")) {
        QCOMPARE(::link(name.constData(), QFile::encodeName(other).constData()), 0);
    } else if (::setxattr(name.constData(), "user.kept", "1", 1, 0) != 0) {
        QSKIP("no user extended attributes on this file system");
    }
    FaultyFileSteps steps(failing);
    // A user's extended attribute goes to the new copy; further hard links keep it in place.
    QCOMPARE(steps.keepsOnlyInPlace(program).has_value(), kind == QLatin1String("link"));
    QString noted = QStringLiteral("<no backup copy>");
    steps.hold = [&](const QString &call) {
        if (call == QLatin1String("overwrite#1"))
            noted = notesText(WriteJournal::entries(dir.path()), dir.path());
    };
    const Outcome r = rewrite(steps, program, 3, previousSection, newSection);
    QCOMPARE(r.written, written);
    // The backup copy was written under a free name noted as Brindle's own.
    if (kind == QLatin1String("link") && !failing.contains(QStringLiteral("copy#1")))
        QVERIFY2(noted.contains(
                     QRegularExpression(QStringLiteral("^Prog.Bak.\\w{6}>Prog.Bak:written$"))),
                 qPrintable(noted));
    if (written) {
        QCOMPARE(contentOf(program), newFile);
        if (kind == QLatin1String("link"))
            QCOMPARE(contentOf(other), newFile);
        else
            QCOMPARE(::getxattr(name.constData(), "user.kept", nullptr, 0), ssize_t(1));
        QVERIFY(!QFile::exists(backup));
        return;
    }
    QVERIFY(!r.message.isEmpty());
    if (failing.contains(QStringLiteral("overwrite#1"))) {
        QCOMPARE(contentOf(backup), previousFile);
        QVERIFY2(r.message.contains(backup), qPrintable(r.message));
        // The next look at the folder says that the program may be cut, and where its content
        // from before is.
        DiskFileSteps disk;
        const Result<LeftoverBackups::Survey> surveyed = LeftoverBackups::survey(disk, dir.path());
        QVERIFY(surveyed && surveyed.value().backups.size() == 1);
        const QString told = LeftoverBackups::message(surveyed.value().backups.constFirst());
        QVERIFY2(told.contains(QStringLiteral("cut")) && told.contains(QStringLiteral("Prog.Bak")),
                 qPrintable(told));
    } else {
        QCOMPARE(contentOf(program), previousFile);
        QVERIFY(!QFile::exists(backup));
    }
#endif
}

void TestRewrite::leftoverFound_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("found"); // backup > program, + when the program is there
    QTest::newRow("program there")
        << QStringList{QStringLiteral("Stock.txt"), QStringLiteral("Stock.Bak")}
        << QStringList{QStringLiteral("Stock.Bak>Stock.txt+")};
    QTest::newRow("program missing") << QStringList{QStringLiteral("Lost.Bak")}
                                     << QStringList{QStringLiteral("Lost.Bak>Lost.txt")};
    QTest::newRow("each case variant its own")
        << QStringList{QStringLiteral("Prog.txt"), QStringLiteral("Prog~2.Bak"),
                       QStringLiteral("Prog.TXT"), QStringLiteral("Prog.Bak")}
        << QStringList{QStringLiteral("Prog~2.Bak>Prog.txt+"),
                       QStringLiteral("Prog.Bak>Prog.TXT+")};
    QTest::newRow("upper-case program")
        << QStringList{QStringLiteral("Prog.TXT"), QStringLiteral("Prog.Bak")}
        << QStringList{QStringLiteral("Prog.Bak>Prog.TXT+")};
    QTest::newRow("another case is another program")
        << QStringList{QStringLiteral("Prog.txt"), QStringLiteral("prog.Bak")}
        << QStringList{QStringLiteral("prog.Bak>prog.txt")};
}

// A leftover backup is reported against the program whose backup name it is.
void TestRewrite::leftoverFound()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, found);
    QStringList actual;
    for (const LeftoverBackups::Found &f : LeftoverBackups::find(names))
        actual << f.backup + QLatin1Char('>') + f.program +
                      (f.programThere ? QStringLiteral("+") : QString());
    QCOMPARE(actual, found);
    for (const LeftoverBackups::Found &f : LeftoverBackups::find(names))
        QVERIFY(LeftoverBackups::message(f).contains(f.program));
}

void TestRewrite::leftoverCopy_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("copy");
    QTest::newRow("second link") << QStringLiteral("link") << true;
    QTest::newRow("same bytes") << QStringLiteral("same") << true;
    QTest::newRow("other bytes, same size") << QStringLiteral("other") << false;
    QTest::newRow("longer") << QStringLiteral("longer") << false;
    QTest::newRow("program missing") << QStringLiteral("missing") << false;
}

// A backup that is the program itself or holds its bytes is no only copy.
void TestRewrite::leftoverCopy()
{
    QFETCH(QString, kind);
    QFETCH(bool, copy);
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("Prog.txt"));
    const QString backup = dir.filePath(QStringLiteral("Prog.Bak"));
    if (kind != QLatin1String("missing"))
        put(program, previousFile);
    if (kind == QLatin1String("link")) {
        std::error_code error;
        std::filesystem::create_hard_link(QFile::encodeName(program).toStdString(),
                                          QFile::encodeName(backup).toStdString(), error);
        if (error)
            QSKIP("no hard links here");
    } else if (kind == QLatin1String("other")) {
        put(backup, QByteArray(previousFile).replace("Dim Form1", "Dim Form2"));
    } else if (kind == QLatin1String("longer")) {
        put(backup, previousFile + "x");
    } else {
        put(backup, previousFile);
    }
    DiskFileSteps disk;
    QCOMPARE(LeftoverBackups::isCopy(disk, backup, program), copy);
}

void TestRewrite::leftoverFiles_data()
{
    QTest::addColumn<QString>("left");      // what a stopped or failed write left
    QTest::addColumn<QString>("temporary"); // the file noted
    QTest::addColumn<QString>("forName");   // the name it was written to take
    QTest::addColumn<QString>("found");     // file>its name:what it holds, or nothing
    const QString temporary = QStringLiteral("Samples/Prog.txt.aB3xYz");
    const QString program = QStringLiteral("Samples/Prog.txt");
    QTest::newRow("new file of a stopped write")
        << QStringLiteral("new") << temporary << program
        << QStringLiteral("Samples/Prog.txt.aB3xYz>Samples/Prog.txt:written");
    QTest::newRow("backup copy of a stopped write")
        << QStringLiteral("copy") << QStringLiteral("Samples/Prog.Bak.Q7rT2k")
        << QStringLiteral("Samples/Prog.Bak")
        << QStringLiteral("Samples/Prog.Bak.Q7rT2k>Samples/Prog.Bak:written");
#ifdef Q_OS_UNIX
    QTest::newRow("beside a symbolic link's target")
        << QStringLiteral("link") << QStringLiteral("real/prog.txt.aB3xYz") << program
        << QStringLiteral("real/prog.txt.aB3xYz>Samples/Prog.txt:written");
#endif
    QTest::newRow("only named like a temporary")
        << QStringLiteral("named") << QString() << QString() << QString();
    QTest::newRow("swapped out before the stop")
        << QStringLiteral("swapped") << temporary << program
        << QStringLiteral("Samples/Prog.txt.aB3xYz>Samples/Prog.txt:swapped");
    QTest::newRow("another program's save that could not be put back")
        << QStringLiteral("changed") << QString() << QString()
        << QStringLiteral("Samples/Prog.txt.*>Samples/Prog.txt:swapped");
    QTest::newRow("noted, then gone")
        << QStringLiteral("gone") << temporary << program << QString();
    QTest::newRow("note cut short") << QStringLiteral("cut") << temporary << program << QString();
}

// Only what Brindle noted as its own is offered for removal, wherever it lies; a file that may
// hold another program's save is named and kept; a user's file named like a temporary is not
// taken for a leftover.
void TestRewrite::leftoverFiles()
{
    QFETCH(QString, left);
    QFETCH(QString, temporary);
    QFETCH(QString, forName);
    QFETCH(QString, found);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Samples")));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("real")));
    const QString samples = dir.filePath(QStringLiteral("Samples"));
    const QString program = dir.filePath(QStringLiteral("Samples/Prog.txt"));
    const QString target = dir.filePath(QStringLiteral("real/prog.txt"));
    put(left == QLatin1String("link") ? target : program, previousFile);
    if (left == QLatin1String("link"))
        QVERIFY(QFile::link(target, program));
    put(dir.filePath(QStringLiteral("Samples/Stock.txt.240101")), "a dated copy");
    const QByteArray edited = QByteArray(previousFile).replace("Dim Form1", "Dim FormE");
    WriteJournal stopped; // a writer stopped before its write ended never finishes its notes
    if (left == QLatin1String("changed")) {
        // Another program saves while the new file is written, and the swap back fails: on a
        // disk without the exchange, the new file cannot be moved aside again.
        FaultyFileSteps steps({QStringLiteral("moveAside#2")});
        steps.swaps = false;
        steps.hold = [&](const QString &call) {
            if (call == QLatin1String("commit#1"))
                put(program, edited);
        };
        const Outcome r = rewrite(steps, program, 3, previousSection, newSection);
        QVERIFY2(r.message.contains(QStringLiteral("what the other program saved is in")),
                 qPrintable(r.message));
    } else if (!temporary.isEmpty()) {
        put(dir.filePath(temporary), "half");
        QVERIFY(stopped.writing(dir.filePath(forName), dir.filePath(temporary)).ok());
        if (left == QLatin1String("swapped"))
            QVERIFY(stopped.swapping(dir.filePath(temporary)).ok());
        if (left == QLatin1String("gone"))
            QVERIFY(QFile::remove(dir.filePath(temporary)));
        QFile note(WriteJournal::pathIn(samples));
        if (left == QLatin1String("cut"))
            QVERIFY(note.resize(note.size() - 2));
    }

    DiskFileSteps disk;
    const Result<LeftoverBackups::Survey> surveyed = LeftoverBackups::survey(disk, samples);
    QVERIFY(surveyed.ok());
    // A swap back that failed keeps the backup too: the content before the change.
    QCOMPARE(surveyed.value().backups.size(), left == QLatin1String("changed") ? 1 : 0);
    const QString actual = notesText(surveyed.value().written, dir.path());
    QVERIFY2(QRegularExpression::fromWildcard(found).match(actual).hasMatch(), qPrintable(actual));
    // Notes of files that are gone are forgotten.
    QCOMPARE(QFile::exists(WriteJournal::pathIn(samples)), !found.isEmpty());
    for (const WriteJournal::Entry &entry : surveyed.value().written) {
        const bool own = entry.holds == WriteJournal::Holds::Written;
        const QString asked = LeftoverBackups::message(entry, true);
        QVERIFY2(asked.contains(entry.forPath), qPrintable(asked));
        QCOMPARE(asked.contains(QStringLiteral("Remove ") + entry.path + QStringLiteral(" now?")),
                 own);
        QCOMPARE(LeftoverBackups::removeWritten(disk, samples, entry.path).ok(), own);
        QCOMPARE(contentOf(entry.path), own                                ? "<missing>"
                                        : left == QLatin1String("changed") ? edited
                                                                           : "half");
    }
    QCOMPARE(contentOf(dir.filePath(QStringLiteral("Samples/Stock.txt.240101"))),
             QByteArray("a dated copy"));
    QCOMPARE(contentOf(program), left == QLatin1String("changed") ? newFile : previousFile);
}

QTEST_GUILESS_MAIN(TestRewrite)
#include "tst_rewrite.moc"
