#include "paths.h"
#include "textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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
    void pathsFollowCurrentDirectory();
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
    QTest::newRow("empty lines") << QByteArray("\r\n\r\nx\n\n") << QList<QByteArray>{"", "", "x", ""};
    QTest::newRow("lf cr is two ends") << QByteArray("a\n\rb") << QList<QByteArray>{"a", "", "b"};
    QTest::newRow("8-bit bytes") << QByteArray("\xb0\xe9\r\n\xff") << QList<QByteArray>{"\xb0\xe9", "\xff"};
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
    QCOMPARE(TextFile::appendLine(file, "one"), QString());
    QCOMPARE(TextFile::appendLine(file, "tw\xf6"), QString());
    QCOMPARE(contents(file), QByteArray("one\r\ntw\xf6\r\n"));
    const auto read = TextFile::read(file);
    QVERIFY(read.ok());
    QCOMPARE(read.lines, (QList<QByteArray>{"one", "tw\xf6"}));
}

void TestPlatform::appendLineMendsMissingLineEnd()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("x.txt"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("edited by hand");
    f.close();
    QCOMPARE(TextFile::appendLine(file, "new"), QString());
    QCOMPARE(contents(file), QByteArray("edited by hand\r\nnew\r\n"));
}

void TestPlatform::appendLineReportsFailure()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("missing/x.txt"));
    QVERIFY(!TextFile::appendLine(file, "a").isEmpty());
    QVERIFY(!QFile::exists(file));
}

void TestPlatform::readMissingFileReportsError()
{
    QTemporaryDir dir;
    const auto read = TextFile::read(dir.filePath(QStringLiteral("none.txt")));
    QVERIFY(!read.ok());
    QVERIFY(read.lines.isEmpty());
}

void TestPlatform::samplesListing()
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir(dir.path()).mkpath(QStringLiteral("Samples/folder.txt"));
    for (const char *name : {"Prog.txt", "UPPER.TXT", "Mixed.Txt", "notes.md", "Prog.Bak", "a.txt.bak"}) {
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
    QCOMPARE(inA, QDir::toNativeSeparators(QDir(a.path()).canonicalPath() + QStringLiteral("/Samples/MyCode.Txt")));
    QCOMPARE(inB, QDir::toNativeSeparators(QDir(b.path()).canonicalPath() + QStringLiteral("/Samples/MyCode.Txt")));
}

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
