#include "librarysearch.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestLibrarySearch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void found_data();
    void found();
};

void TestLibrarySearch::found_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("colour by meaning")
        << u"yellow (RED"_s
        << QStringList{u"Color Costants: vbYellow = 65535 (&HFFFF): yellow (red and green), as a "
                       "colour value"_s};
    QTest::newRow("message box by name")
        << u"yesno"_s
        << QStringList{u"MsgBox Constants: vbYesNoCancel = 3: Yes, No and Cancel buttons, as a "
                       "message box's buttons"_s,
                       u"MsgBox Constants: vbYesNo = 4: Yes and No buttons, as a message box's "
                       "buttons"_s};
    QTest::newRow("title once") << u"tidy"_s << QStringList{u"MY CODE: Tidy"_s};
    QTest::newRow("error and code")
        << u"file not"_s
        << QStringList{u"ERROR Codes: 53 File not found"_s, u"MY CODE: Open|Close"_s};
    QTest::newRow("nothing") << u"zzz"_s << QStringList();
}

void TestLibrarySearch::found()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    const QByteArray stored = "Tidy*x = Trim(x)\r\nnote, no entry: tidy\r\nTidy*y = Trim(y)\n"
                              "Open|Close*' file not open|Close 1\r\n";
    QCOMPARE(LibrarySearch::found(text, stored), lines);
}

QTEST_APPLESS_MAIN(TestLibrarySearch)
#include "tst_librarysearch.moc"
