#include "snippetstore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSnippetStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void steps_data();
    void steps();

private:
    // Runs one step ("show T 1", "add N*n", "edit T x|y", "delete", "undo", "redo", or
    // "outside", which writes `file` as another program would) and gives what it came to: W
    // written, R refused, I invalid, N nothing to do, S shown, - not shown or not the store's.
    static QChar run(SnippetStore &store, const QStringList &step, const QByteArray &file);
    static void write(const QString &path, const QByteArray &bytes);
};

void TestSnippetStore::write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QChar TestSnippetStore::run(SnippetStore &store, const QStringList &step, const QByteArray &file)
{
    const QString &verb = step.at(0);
    if (verb == u"show")
        return store.show({step.at(1), step.value(2).toInt()}) ? u'S' : u'-';
    if (verb == u"outside") {
        write(store.path(), file);
        return u'-';
    }
    if (verb == u"add")
        return store.add(step.at(1).toLatin1()) ? u'W' : u'R';
    const SnippetStore::Change change = verb == u"edit"     ? store.edit(step.at(1), step.at(2))
                                        : verb == u"delete" ? store.remove()
                                        : verb == u"undo"   ? store.undo()
                                                            : store.redo();
    // A refusal always says why.
    if (change.kind == SnippetStore::Change::Kind::Refused && change.message.isEmpty())
        return u'?';
    return QChar::fromLatin1("WIRN"[int(change.kind)]);
}

void TestSnippetStore::steps_data()
{
    QTest::addColumn<QByteArray>("initial"); // null: no file
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("outcomes");     // one letter a step, as run() gives it
    QTest::addColumn<QByteArrayList>("files"); // the file after each step

    const QByteArray a = "A*1\r\n", ab = "A*1\r\nB*b\r\n", axy = "A*1\r\nB*x|y\r\n";
    QTest::newRow("store, edit, delete; all undone, all redone")
        << a << QStringList{u"add B*b"_s, u"show B"_s, u"edit B x|y"_s, u"show B"_s, u"delete"_s,
                            u"undo"_s,    u"undo"_s,   u"undo"_s,       u"undo"_s,   u"redo"_s,
                            u"redo"_s,    u"redo"_s,   u"redo"_s}
        << u"WSWSWWWWNWWWN"_s << QByteArrayList{ab, ab, axy, axy, a, axy, ab, a, a, ab, axy, a, a};
    QTest::newRow("a change made meanwhile is kept; the step waits for the file it left")
        << QByteArray("T*a\r\n") << QStringList{u"show T"_s,  u"delete"_s, u"outside"_s, u"undo"_s,
                                                u"outside"_s, u"undo"_s,   u"outside"_s, u"redo"_s}
        << u"SW-R-W-R"_s
        << QByteArrayList{"T*a\r\n", "", "U*u\r\n", "U*u\r\n", "", "T*a\r\n", "T*b\r\n", "T*b\r\n"};
    QTest::newRow("an edit of bytes no longer on disk is refused")
        << a << QStringList{u"show A"_s, u"outside"_s, u"edit A 2"_s, u"delete"_s} << u"S-RR"_s
        << QByteArrayList{a, ab, ab, ab};
    QTest::newRow("nothing shown, nothing to change")
        << a << QStringList{u"show B"_s, u"delete"_s} << u"-I"_s << QByteArrayList{a, a};
    QTest::newRow("a new step after an undo drops the redo")
        << a << QStringList{u"add B*b"_s, u"undo"_s, u"add C*c"_s, u"redo"_s, u"undo"_s, u"undo"_s}
        << u"WWWNWN"_s << QByteArrayList{ab, a, "A*1\r\nC*c\r\n", "A*1\r\nC*c\r\n", a, a};
    QTest::newRow("the earlier of a repeated title; a store that made the file")
        << QByteArray() << QStringList{u"add T*1"_s, u"add T*2"_s, u"show T 1"_s, u"delete"_s,
                                       u"undo"_s,    u"undo"_s,    u"undo"_s}
        << u"WWSWWWW"_s << QByteArrayList{"T*1\r\n", "T*1\r\nT*2\r\n", "T*1\r\nT*2\r\n",
                                          "T*2\r\n", "T*1\r\nT*2\r\n", "T*1\r\n",
                                          ""};
}

void TestSnippetStore::steps()
{
    QFETCH(QByteArray, initial);
    QFETCH(QStringList, steps);
    QFETCH(QString, outcomes);
    QFETCH(QByteArrayList, files);
    QCOMPARE(outcomes.size(), steps.size());
    QCOMPARE(files.size(), steps.size());
    QTemporaryDir dir;
    const QString path = dir.filePath(u"MyCode.Txt"_s);
    if (!initial.isNull())
        write(path, initial);
    SnippetStore store(path);
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const QChar outcome = run(store, steps.at(i).split(u' '), files.at(i));
        QCOMPARE(steps.at(i) + u' ' + outcome, steps.at(i) + u' ' + outcomes.at(i));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), files.at(i));
    }
}

QTEST_GUILESS_MAIN(TestSnippetStore)
#include "tst_snippetstore.moc"
