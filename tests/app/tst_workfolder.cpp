#include "workfolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A folder's whole content: "a/" a folder, "a@" a link (its target), "a" a file (its bytes).
using Tree = QMap<QString, QByteArray>;

Tree snapshot(const QString &root)
{
    Tree tree;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        const QString name = QDir(root).relativeFilePath(entry.filePath());
        if (entry.isSymLink()) {
            tree.insert(name + u'@', entry.symLinkTarget().toUtf8());
        } else if (entry.isDir()) {
            tree.insert(name + u'/', {});
        } else {
            QFile file(entry.filePath());
            tree.insert(name, file.open(QIODevice::ReadOnly) ? file.readAll() : "unreadable");
        }
    }
    return tree;
}

// Makes what `tree` describes below `root`; a link's target is taken below `root` too.
bool make(const QString &root, const Tree &tree)
{
    QDir dir(root);
    for (auto it = tree.cbegin(); it != tree.cend(); ++it) {
        QString name = it.key();
        const QChar kind = name.back();
        if (kind == u'/') {
            if (!dir.mkpath(name))
                return false;
            continue;
        }
        if (kind == u'@') {
            name.chop(1);
            if (!QFile::link(dir.filePath(QString::fromUtf8(it.value())), dir.filePath(name)))
                return false;
            continue;
        }
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(it.value()) != it.value().size())
            return false;
    }
    return true;
}

// What an installation puts into share/brindle: a read-only sample, an empty snippet file
// and two documents.
const Tree installed{
    {QStringLiteral("Samples/"), {}},
    {QStringLiteral("Samples/Stock.txt"),
     "' stock counter\r\nAddObject \"Label\",\"L\xe9\",1,2,3,4\r\n"},
    {QStringLiteral("Samples/MyCode.Txt"), {}},
    {QStringLiteral("Tools/"), {}},
    {QStringLiteral("Tools/ReferenceCard.pdf"), "%PDF-1.4 card"},
    {QStringLiteral("Tools/Brindle.chm"), "ITSF help"},
};

} // namespace

class TestWorkFolder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void prepare_data();
    void prepare();
};

void TestWorkFolder::prepare_data()
{
    QTest::addColumn<Tree>("home");
    QTest::addColumn<bool>("dataInstalled");
    QTest::addColumn<bool>("made");
    QTest::addColumn<bool>("error");

    QTest::newRow("empty home") << Tree{} << true << true << false;
    QTest::newRow("home with other folders")
        << Tree{{QStringLiteral("Documents/"), {}}, {QStringLiteral("Documents/a.txt"), "x"}}
        << true << true << false;
    QTest::newRow("folder in use")
        << Tree{{QStringLiteral("Brindle/Samples/"), {}},
                {QStringLiteral("Brindle/Samples/MyCode.Txt"), "Beep*Beep|Sleep 200\r\n"},
                {QStringLiteral("Brindle/Samples/Stock.txt"), "edited \xe9\r\n"},
                {QStringLiteral("Brindle/Samples/Stock.Bak"), "' stock counter\r\n"},
                {QStringLiteral("Brindle/Tools/"), {}},
                {QStringLiteral("Brindle/Tools/Notes.txt"), "mine"}}
        << true << false << false;
    QTest::newRow("empty folder") << Tree{{QStringLiteral("Brindle/"), {}}} << true << false
                                  << false;
    QTest::newRow("link to a folder")
        << Tree{{QStringLiteral("Work/Samples/"), {}}, {QStringLiteral("Brindle@"), "Work"}} << true
        << false << false;
    QTest::newRow("file in the way")
        << Tree{{QStringLiteral("Brindle"), "notes"}} << true << false << true;
    QTest::newRow("broken link in the way")
        << Tree{{QStringLiteral("Brindle@"), "gone"}} << true << false << true;
    QTest::newRow("installed files missing") << Tree{} << false << false << true;
    QTest::newRow("installed files missing, folder in use")
        << Tree{{QStringLiteral("Brindle/Samples/"), {}}} << false << false << false;
}

void TestWorkFolder::prepare()
{
    QFETCH(Tree, home);
    QFETCH(bool, dataInstalled);
    QFETCH(bool, made);
    QFETCH(bool, error);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString homeDir = root.filePath(QStringLiteral("home"));
    const QString dataDir = root.filePath(QStringLiteral("share/brindle"));
    QVERIFY(QDir().mkpath(homeDir));
    QVERIFY(make(homeDir, home));
    if (dataInstalled) {
        QVERIFY(make(dataDir, installed));
        QVERIFY(QFile::setPermissions(dataDir + QStringLiteral("/Samples/Stock.txt"),
                                      QFileDevice::ReadOwner | QFileDevice::ReadOther));
    }
    const Tree before = snapshot(homeDir);

    const QString folder = homeDir + QStringLiteral("/Brindle");
    const Result<> prepared = WorkFolder::prepare(folder, dataDir);
    QCOMPARE(!prepared.ok(), error);
    // A failure says what is wrong; a success says nothing.
    QCOMPARE(prepared.message().isEmpty(), !error);

    Tree expected = before;
    if (made) {
        expected.insert(QStringLiteral("Brindle/"), {});
        for (auto it = installed.cbegin(); it != installed.cend(); ++it) {
            if (it.key().startsWith(u"Tools/") && !it.key().endsWith(u'/'))
                expected.insert(QStringLiteral("Brindle/") + it.key() + u'@',
                                (dataDir + u'/' + it.key()).toUtf8());
            else
                expected.insert(QStringLiteral("Brindle/") + it.key(), it.value());
        }
    }
    QCOMPARE(snapshot(homeDir), expected);
    if (!made)
        return;

    // The samples are the user's to change; the documents follow an update of the package.
    QVERIFY(QFile::permissions(folder + QStringLiteral("/Samples/Stock.txt")) &
            QFileDevice::WriteOwner);
    QFile card(dataDir + QStringLiteral("/Tools/ReferenceCard.pdf"));
    QVERIFY(card.open(QIODevice::WriteOnly | QIODevice::Truncate));
    card.write("%PDF-1.4 updated card");
    card.close();
    QFile linked(folder + QStringLiteral("/Tools/ReferenceCard.pdf"));
    QVERIFY(linked.open(QIODevice::ReadOnly));
    QCOMPARE(linked.readAll(), QByteArray("%PDF-1.4 updated card"));
}

QTEST_GUILESS_MAIN(TestWorkFolder)
#include "tst_workfolder.moc"
