#include "helpviewer.h"
#include "paths.h"
#include "textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

class TestPlatform : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void splitLines_data();
    void splitLines();
    void appendLineCreatesAndKeepsEarlierLines();
    void appendLineMendsMissingLineEnd();
    void appendLineReportsFailure();
    void readMissingFileReportsError();
    void samplesListing();
    void samplesMissingFolder();
    void irregularFilesRefused_data();
    void irregularFilesRefused();
    void fullDiskGivesTheSystemsReason();
    void samplesProblems_data();
    void samplesProblems();
    void pathsFollowCurrentDirectory();
    void helpViewerArguments_data();
    void helpViewerArguments();
};

void TestPlatform::splitLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::newRow("empty") << QByteArray() << QList<QByteArray>{};
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QList<QByteArray>{"a", "b"};
    QTest::newRow("no final end") << QByteArray("a\r\nb") << QList<QByteArray>{"a", "b"};
    QTest::newRow("lf") << QByteArray("a\nb\n") << QList<QByteArray>{"a", "b"};
    QTest::newRow("lone cr") << QByteArray("a\rb\r") << QList<QByteArray>{"a", "b"};
    QTest::newRow("mixed") << QByteArray("a\r\nb\nc\rd") << QList<QByteArray>{"a", "b", "c", "d"};
    QTest::newRow("empty lines") << QByteArray("\r\n\r\nx\n\n")
                                 << QList<QByteArray>{"", "", "x", ""};
    QTest::newRow("lf cr is two ends") << QByteArray("a\n\rb") << QList<QByteArray>{"a", "", "b"};
    QTest::newRow("8-bit bytes") << QByteArray("\xb0\xe9\r\n\xff")
                                 << QList<QByteArray>{"\xb0\xe9", "\xff"};
}

void TestPlatform::splitLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QList<QByteArray>, lines);
    QCOMPARE(TextFile::splitLines(bytes), lines);
}

static QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestPlatform::appendLineCreatesAndKeepsEarlierLines()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("x.txt"));
    QVERIFY(TextFile::appendLine(file, "one").ok());
    QVERIFY(TextFile::appendLine(file, "tw\xf6").ok());
    QCOMPARE(contents(file), QByteArray("one\r\ntw\xf6\r\n"));
    const auto read = TextFile::read(file);
    QVERIFY(read.ok());
    QCOMPARE(read.value(), (QList<QByteArray>{"one", "tw\xf6"}));
}

void TestPlatform::appendLineMendsMissingLineEnd()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("x.txt"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("edited by hand");
    f.close();
    QVERIFY(TextFile::appendLine(file, "new").ok());
    QCOMPARE(contents(file), QByteArray("edited by hand\r\nnew\r\n"));
}

void TestPlatform::appendLineReportsFailure()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("missing/x.txt"));
    const Result<> appended = TextFile::appendLine(file, "a");
    QVERIFY(!appended.ok() && !appended.message().isEmpty());
    QVERIFY(!QFile::exists(file));
}

void TestPlatform::readMissingFileReportsError()
{
    QTemporaryDir dir;
    const auto read = TextFile::read(dir.filePath(QStringLiteral("none.txt")));
    QVERIFY(!read.ok());
    QVERIFY(!read.message().isEmpty());
}

void TestPlatform::samplesListing()
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir(dir.path()).mkpath(QStringLiteral("Samples/folder.txt"));
    for (const char *name :
         {"Prog.txt", "UPPER.TXT", "Mixed.Txt", "notes.md", "Prog.Bak", "a.txt.bak"}) {
        QFile f(dir.filePath(QStringLiteral("Samples/") + QString::fromLatin1(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QDir::setCurrent(dir.path());
    QStringList names = Paths::samplePrograms();
    QDir::setCurrent(previous);
    names.sort();
    QCOMPARE(names, (QStringList{QStringLiteral("Mixed.Txt"), QStringLiteral("Prog.txt"),
                                 QStringLiteral("UPPER.TXT")}));
}

void TestPlatform::samplesMissingFolder()
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const QStringList names = Paths::samplePrograms();
    QDir::setCurrent(previous);
    QVERIFY(names.isEmpty());
}

void TestPlatform::irregularFilesRefused_data()
{
    QTest::addColumn<bool>("pipe");
    QTest::addColumn<QString>("messagePart");
    QTest::newRow("pipe") << true << QStringLiteral("not a regular file");
    QTest::newRow("folder") << false << QStringLiteral("folder");
}

// A pipe or a folder where a text file is expected is refused at once: reading never blocks
// and appending writes nothing.
void TestPlatform::irregularFilesRefused()
{
    QFETCH(bool, pipe);
    QFETCH(QString, messagePart);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("MyCode.Txt"));
    if (pipe) {
#ifdef Q_OS_UNIX
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
#else
        QSKIP("no named pipes in the file system here");
#endif
    } else {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("MyCode.Txt")));
    }
    const Result<QByteArray> read = TextFile::readBytes(path);
    QVERIFY2(!read.ok() && read.message().contains(messagePart), qPrintable(read.message()));
    const Result<> append = TextFile::appendLine(path, "T*a");
    QVERIFY2(!append.ok() && append.message().contains(messagePart), qPrintable(append.message()));
    QCOMPARE(QFileInfo(path).isDir(), !pipe);
}

void TestPlatform::fullDiskGivesTheSystemsReason()
{
    QFile full(QStringLiteral("/dev/full"));
    if (!full.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        QSKIP("no /dev/full here");
    const Result<> written = TextFile::writeAll(full, QByteArray(100000, 'x'));
    QVERIFY(!written.ok());
#ifdef Q_OS_LINUX
    QCOMPARE(written.message(), QStringLiteral("No space left on device"));
#else
    // Elsewhere the system words it its own way; what matters is that it is not unknown.
    QVERIFY2(!written.message().isEmpty() && written.message() != QStringLiteral("Unknown error"),
             qPrintable(written.message()));
#endif
}

void TestPlatform::samplesProblems_data()
{
    QTest::addColumn<QString>("samples"); // "folder", "file" or "none"
    QTest::addColumn<QByteArray>("fileName");
    QTest::addColumn<QString>("messagePart"); // empty: nothing to say
    QTest::newRow("fine") << QStringLiteral("folder") << QByteArray("Prog.txt") << QString();
    QTest::newRow("no Samples") << QStringLiteral("none") << QByteArray() << QString();
    QTest::newRow("Samples is a file")
        << QStringLiteral("file") << QByteArray() << QStringLiteral("is a file, not a folder");
#ifndef Q_OS_WIN
    QTest::newRow("name not valid text") << QStringLiteral("folder") << QByteArray("Bad\xff.txt")
                                         << QStringLiteral("not valid text");
#endif
}

void TestPlatform::samplesProblems()
{
    QFETCH(QString, samples);
    QFETCH(QByteArray, fileName);
    QFETCH(QString, messagePart);
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.filePath(QStringLiteral("Samples")));
    if (samples == QLatin1String("folder"))
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Samples")));
    if (samples == QLatin1String("file"))
        std::ofstream(folder.toStdString()) << "not a folder";
    if (!fileName.isEmpty())
        std::ofstream(QByteArray(folder + '/' + fileName).toStdString()) << "x";

    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const QStringList problems = Paths::samplesProblems();
    QDir::setCurrent(previous);
    // Qt cannot name the undecodable file, so the folder goes by its bytes.
    std::filesystem::remove_all(folder.toStdString());
    if (messagePart.isEmpty()) {
        QCOMPARE(problems, QStringList());
        return;
    }
    QCOMPARE(problems.size(), 1);
    QVERIFY2(problems.at(0).contains(messagePart), qPrintable(problems.at(0)));
}

void TestPlatform::pathsFollowCurrentDirectory()
{
    QTemporaryDir a;
    QTemporaryDir b;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(a.path());
    const QString inA = Paths::at(QStringLiteral("/Samples/MyCode.Txt"));
    QDir::setCurrent(b.path());
    const QString inB = Paths::at(QStringLiteral("/Samples/MyCode.Txt"));
    QDir::setCurrent(previous);
    QCOMPARE(inA, QDir::toNativeSeparators(QDir(a.path()).canonicalPath() +
                                           QStringLiteral("/Samples/MyCode.Txt")));
    QCOMPARE(inB, QDir::toNativeSeparators(QDir(b.path()).canonicalPath() +
                                           QStringLiteral("/Samples/MyCode.Txt")));
}

void TestPlatform::helpViewerArguments_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("arguments");
    const QString file = QStringLiteral("/w/My Tools/Brindle.chm");
    QTest::newRow("xchm at a page")
        << QStringLiteral("xchm") << QStringLiteral("arrays.html")
        << QStringList{QStringLiteral("file:/w/My Tools/Brindle.chm#xchm:/arrays.html")};
    QTest::newRow("kchmviewer at a page")
        << QStringLiteral("kchmviewer") << QStringLiteral("keywords.html")
        << QStringList{QStringLiteral("-showPage"), QStringLiteral("/keywords.html"), file};
    QTest::newRow("uchmviewer at a page named from the root")
        << QStringLiteral("uchmviewer") << QStringLiteral("/dialogs.html")
        << QStringList{QStringLiteral("-showPage"), QStringLiteral("/dialogs.html"), file};
    QTest::newRow("xchm at its start") << QStringLiteral("xchm") << QString() << QStringList{file};
    QTest::newRow("another program")
        << QStringLiteral("okular") << QStringLiteral("arrays.html") << QStringList{file};
}

void TestPlatform::helpViewerArguments()
{
    QFETCH(QString, program);
    QFETCH(QString, page);
    QFETCH(QStringList, arguments);
    QCOMPARE(HelpViewer::arguments(program, QStringLiteral("/w/My Tools/Brindle.chm"), page),
             arguments);
}

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
