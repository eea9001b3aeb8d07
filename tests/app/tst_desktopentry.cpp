#include "desktopentry.h"

#include <QTest>

class TestDesktopEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void desktopEntryValue_data();
    void desktopEntryValue();
    void desktopEntryCommand_data();
    void desktopEntryCommand();
};

void TestDesktopEntry::desktopEntryValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    const QString entry = QStringLiteral("# a comment\n"
                                         "[Desktop Entry]\n"
                                         "Name[de]=Betrachter\n"
                                         "Name=Viewer\n"
                                         "Exec = view --page=1 %f \n"
                                         "Icon=viewer\n"
                                         "[Desktop Action new]\n"
                                         "Exec=view --new\n"
                                         "Comment=elsewhere\n");
    QTest::newRow("plain") << entry << QStringLiteral("Icon") << QStringLiteral("viewer");
    QTest::newRow("blanks around equals")
        << entry << QStringLiteral("Exec") << QStringLiteral("view --page=1 %f");
    QTest::newRow("localised key skipped")
        << entry << QStringLiteral("Name") << QStringLiteral("Viewer");
    QTest::newRow("other group ignored") << entry << QStringLiteral("Comment") << QString();
    QTest::newRow("missing") << entry << QStringLiteral("TryExec") << QString();
    QTest::newRow("before any group") << QStringLiteral("Exec=x\n[Desktop Entry]\nName=n\n")
                                      << QStringLiteral("Exec") << QString();
    QTest::newRow("escapes") << QStringLiteral(
                                    "[Desktop Entry]\r\nExec=a\\sb\\\\c\\td \\\"e\\\"\r\n")
                             << QStringLiteral("Exec") << QStringLiteral("a b\\c\td \\\"e\\\"");
}

void TestDesktopEntry::desktopEntryValue()
{
    QFETCH(QString, text);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QCOMPARE(DesktopEntry::value(text, key), value);
}

void TestDesktopEntry::desktopEntryCommand_data()
{
    QTest::addColumn<QString>("exec");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<QStringList>("command");

    const QString doc = QStringLiteral("/t/my card.pdf");
    QTest::newRow("url list code")
        << QStringLiteral("okular --unique %U") << QString()
        << QStringList{QStringLiteral("okular"), QStringLiteral("--unique"), doc};
    QTest::newRow("file code in the middle")
        << QStringLiteral("evince %f --fullscreen") << QString()
        << QStringList{QStringLiteral("evince"), doc, QStringLiteral("--fullscreen")};
    QTest::newRow("no file code appends the document")
        << QStringLiteral("xpdf") << QString() << QStringList{QStringLiteral("xpdf"), doc};
    QTest::newRow("file code inside an argument")
        << QStringLiteral("app --open=%u") << QString()
        << QStringList{QStringLiteral("app"), QStringLiteral("--open=") + doc};
    QTest::newRow("quoted program with blanks")
        << QStringLiteral("\"/opt/My Viewer/view\"  %f") << QString()
        << QStringList{QStringLiteral("/opt/My Viewer/view"), doc};
    QTest::newRow("escapes inside quotes")
        << QStringLiteral("sh -c \"echo \\\"\\$1\\\" \\\\\" x %F") << QString()
        << QStringList{QStringLiteral("sh"), QStringLiteral("-c"), QStringLiteral("echo \"$1\" \\"),
                       QStringLiteral("x"), doc};
    QTest::newRow("percent sign") << QStringLiteral("app --zoom=100%% %f") << QString()
                                  << QStringList{QStringLiteral("app"),
                                                 QStringLiteral("--zoom=100%"), doc};
    QTest::newRow("icon code with icon")
        << QStringLiteral("app %i %f") << QStringLiteral("viewer")
        << QStringList{QStringLiteral("app"), QStringLiteral("--icon"), QStringLiteral("viewer"),
                       doc};
    QTest::newRow("icon code without icon")
        << QStringLiteral("app %i %f") << QString() << QStringList{QStringLiteral("app"), doc};
    QTest::newRow("name and entry codes")
        << QStringLiteral("app --caption %c --desktop=%k %f") << QString()
        << QStringList{QStringLiteral("app"), QStringLiteral("--caption"),
                       QStringLiteral("PDF Viewer"),
                       QStringLiteral("--desktop=/usr/share/applications/v.desktop"), doc};
    QTest::newRow("deprecated codes dropped")
        << QStringLiteral("app %d %D %n %N %v %m %f") << QString()
        << QStringList{QStringLiteral("app"), doc};
    QTest::newRow("empty quoted argument kept")
        << QStringLiteral("app \"\" %f") << QString()
        << QStringList{QStringLiteral("app"), QString(), doc};
    QTest::newRow("tabs separate") << QStringLiteral("app\t-x\t%f") << QString()
                                   << QStringList{QStringLiteral("app"), QStringLiteral("-x"), doc};
    QTest::newRow("unbalanced quote")
        << QStringLiteral("app \"-x %f") << QString() << QStringList{};
    QTest::newRow("unknown field code") << QStringLiteral("app %z") << QString() << QStringList{};
    QTest::newRow("trailing percent") << QStringLiteral("app %") << QString() << QStringList{};
    QTest::newRow("trailing backslash") << QStringLiteral("app \\") << QString() << QStringList{};
    QTest::newRow("empty") << QString() << QString() << QStringList{};
    QTest::newRow("empty program") << QStringLiteral("\"\" %f") << QString() << QStringList{};
}

void TestDesktopEntry::desktopEntryCommand()
{
    QFETCH(QString, exec);
    QFETCH(QString, icon);
    QFETCH(QStringList, command);
    const DesktopEntry::Fields fields{QStringLiteral("/t/my card.pdf"),
                                      QStringLiteral("PDF Viewer"), icon,
                                      QStringLiteral("/usr/share/applications/v.desktop")};
    QCOMPARE(DesktopEntry::command(exec, fields), command);
}

QTEST_GUILESS_MAIN(TestDesktopEntry)
#include "tst_desktopentry.moc"
