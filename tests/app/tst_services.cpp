#include "qtplatform.h"
#include "referencetables.h"
#include "uitest.h"

#include <QAction>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <QStandardPaths>

using Call = FakePlatform::Call;

namespace {

const QString installerPrompt = QStringLiteral("Type the full path to your Installer program\r\n"
                                               "(.exe ffile) and click OK to run it.");

// The path a menu item must use: the current directory now, then the fixed part.
QString inCurrentDir(const QString &relative)
{
    return QDir::toNativeSeparators(QDir::currentPath() + relative);
}

void trigger(UiFixture &ui, const char *action)
{
    auto *found = ui.prog->findChild<QAction *>(QString::fromLatin1(action));
    QVERIFY2(found, action);
    found->trigger();
}

void makeTools(const UiFixture &ui)
{
    QVERIFY(QDir(ui.path(QString())).mkpath(QStringLiteral("Tools")));
}

// The assistant ended as EXIT ends it: topmost released, then quit, as the last two calls.
void verifyEnded(const UiFixture &ui)
{
    const QList<Call> &calls = ui.platform.calls;
    QCOMPARE(ui.platform.quitCount, 1);
    QVERIFY(calls.size() >= 2);
    QCOMPARE(calls.at(calls.size() - 2).kind, QStringLiteral("topmost"));
    QCOMPARE(calls.at(calls.size() - 2).flags, 0);
    QCOMPARE(calls.last().kind, QStringLiteral("quit"));
}

// The assistant is still running and still on top.
void verifyStillOpen(const UiFixture &ui)
{
    QCOMPARE(ui.platform.quitCount, 0);
    QVERIFY(ui.platform.topmost);
    QCOMPARE(ui.platform.callsOf(QStringLiteral("topmost")).size(), 1);
}

// Whitespace-normalised lines of a text, for comparing against text extracted from a PDF.
QSet<QString> normalisedLines(const QString &text)
{
    QSet<QString> lines;
    for (const QString &line : text.split(QRegularExpression(QStringLiteral("[\r\n\f]"))))
        lines.insert(line.simplified());
    return lines;
}

QString toolsFile(const char *name)
{
    return QStringLiteral(BRINDLE_TOOLS_DIR "/") + QLatin1String(name);
}

} // namespace

class TestServices : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void referenceCardOpensMaximizedThenEnds();
    void referenceCardFollowsCurrentDirectory();
    void referenceCardFailureKeepsAssistantOpen_data();
    void referenceCardFailureKeepsAssistantOpen();
    void installer_data();
    void installer();
    void quickHelpOpensRepeatedlyAndStaysOpen();
    void quickHelpFailureIsReported_data();
    void quickHelpFailureIsReported();
    void aboutBox();

    void startProgramRunsTypedCommandLine_data();
    void startProgramRunsTypedCommandLine();
    void startProgramReportsFailure();
    void missingDocumentsAreReported();
    void documentsOpenWithTheDesktopsPrograms_data();
    void documentsOpenWithTheDesktopsPrograms();

    void builtReferenceCardHoldsEveryEntry();
    void builtQuickHelpHoldsEveryPage();
};

void TestServices::referenceCardOpensMaximizedThenEnds()
{
    UiFixture ui;
    makeTools(ui);
    ui.writeFile(QStringLiteral("Tools/ReferenceCard.pdf"), "%PDF-1.4\n");
    ui.start();
    trigger(ui, "LangRef");

    const QList<Call> opened = ui.platform.callsOf(QStringLiteral("open"));
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened.first().text, inCurrentDir(QStringLiteral("/Tools/ReferenceCard.pdf")));
    QCOMPARE(opened.first().flags, int(Platform::MaximizedFocus));
    QVERIFY(ui.platform.messages().isEmpty());
    verifyEnded(ui);
}

void TestServices::referenceCardFollowsCurrentDirectory()
{
    UiFixture ui;
    ui.start();
    // The card is looked up where the process is at the moment of the click.
    QTemporaryDir other;
    QVERIFY(QDir(other.path()).mkpath(QStringLiteral("Tools")));
    QFile card(other.filePath(QStringLiteral("Tools/ReferenceCard.pdf")));
    QVERIFY(card.open(QIODevice::WriteOnly));
    card.close();
    QVERIFY(QDir::setCurrent(other.path()));
    trigger(ui, "LangRef");
    const QList<Call> opened = ui.platform.callsOf(QStringLiteral("open"));
    QCOMPARE(opened.size(), 1);
    QCOMPARE(QFileInfo(opened.first().text).canonicalFilePath(),
             QFileInfo(card.fileName()).canonicalFilePath());
    verifyEnded(ui);
}

void TestServices::referenceCardFailureKeepsAssistantOpen_data()
{
    QTest::addColumn<bool>("cardPresent");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<int>("openCalls");

    QTest::newRow("card missing") << false << QString() << 0;
    QTest::newRow("no program associated")
        << true
        << QStringLiteral("No program on this system is associated with files of type "
                          "application/pdf")
        << 1;
    QTest::newRow("viewer cannot start") << true << QStringLiteral("Cannot start \"viewer\"") << 1;
}

void TestServices::referenceCardFailureKeepsAssistantOpen()
{
    QFETCH(bool, cardPresent);
    QFETCH(QString, failure);
    QFETCH(int, openCalls);

    UiFixture ui;
    makeTools(ui);
    if (cardPresent)
        ui.writeFile(QStringLiteral("Tools/ReferenceCard.pdf"), "%PDF-1.4\n");
    ui.platform.startResults.enqueue(failure);
    ui.start();
    trigger(ui, "LangRef");

    QCOMPARE(ui.platform.callsOf(QStringLiteral("open")).size(), openCalls);
    const QList<Call> boxes = ui.platform.callsOf(QStringLiteral("msgbox"));
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().flags, 0);
    QCOMPARE(boxes.first().title, QString());
    if (cardPresent)
        QCOMPARE(boxes.first().text, failure);
    else
        QCOMPARE(boxes.first().text, QStringLiteral("The reference card is missing:\r\n") +
                                         inCurrentDir(QStringLiteral("/Tools/ReferenceCard.pdf")));
    // Below the message: where the card is expected, or what opens it.
    QVERIFY(boxes.first().extra.contains(cardPresent ? QStringLiteral("PDF")
                                                     : inCurrentDir(QString())));
    verifyStillOpen(ui);
}

void TestServices::installer_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<bool>("started");
    QTest::addColumn<bool>("ends");

    QTest::newRow("cancelled") << QString() << QString() << false << false;
    QTest::newRow("started") << QStringLiteral("/opt/setup") << QString() << true << true;
    QTest::newRow("path with blanks passed whole")
        << QStringLiteral("/home/ann/My Tools/setup tool --quiet") << QString() << true << true;
    QTest::newRow("start fails") << QStringLiteral("/nowhere/setup")
                                 << QStringLiteral("Cannot start \"/nowhere/setup\"") << true
                                 << false;
}

void TestServices::installer()
{
    QFETCH(QString, answer);
    QFETCH(QString, failure);
    QFETCH(bool, started);
    QFETCH(bool, ends);

    UiFixture ui;
    ui.platform.inputAnswers.enqueue(answer);
    ui.platform.startResults.enqueue(failure);
    ui.start();
    trigger(ui, "Infact");

    const QList<Call> inputs = ui.platform.callsOf(QStringLiteral("input"));
    QCOMPARE(inputs.size(), 1);
    QCOMPARE(inputs.first().text, installerPrompt);
    QCOMPARE(inputs.first().title, QStringLiteral("INSTALLER"));
    QCOMPARE(inputs.first().extra, QString());

    const QList<Call> starts = ui.platform.callsOf(QStringLiteral("start"));
    QCOMPARE(starts.size(), started ? 1 : 0);
    if (started) {
        QCOMPARE(starts.first().text, answer);
        QCOMPARE(starts.first().flags, int(Platform::NormalFocus));
    }
    if (ends) {
        QVERIFY(ui.platform.messages().isEmpty());
        verifyEnded(ui);
    } else {
        QCOMPARE(ui.platform.messages(), failure.isEmpty() ? QStringList() : QStringList{failure});
        // A failed start says what is expected below its message.
        for (const QString &details : ui.platform.messageDetails())
            QVERIFY(details.startsWith(QStringLiteral("Expected: the full path of a program")));
        verifyStillOpen(ui);
    }
}

void TestServices::quickHelpOpensRepeatedlyAndStaysOpen()
{
    UiFixture ui;
    makeTools(ui);
    ui.writeFile(QStringLiteral("Tools/Brindle.chm"), "ITSF");
    ui.start();
    QVERIFY(ui.platform.callsOf(QStringLiteral("help")).isEmpty());

    trigger(ui, "QHlP");
    trigger(ui, "QHlP");

    const QString help = inCurrentDir(QStringLiteral("/Tools/Brindle.chm"));
    const QList<Call> opened = ui.platform.callsOf(QStringLiteral("help"));
    QCOMPARE(opened.size(), 2);
    for (const Call &call : opened)
        QCOMPARE(call.text, help);
    QVERIFY(ui.platform.messages().isEmpty());
    verifyStillOpen(ui);
}

void TestServices::quickHelpFailureIsReported_data()
{
    QTest::addColumn<bool>("helpPresent");
    QTest::addColumn<QString>("failure");

    QTest::newRow("help missing") << false << QString();
    QTest::newRow("no viewer") << true
                               << QStringLiteral("No program on this system could open the help");
}

void TestServices::quickHelpFailureIsReported()
{
    QFETCH(bool, helpPresent);
    QFETCH(QString, failure);

    UiFixture ui;
    makeTools(ui);
    if (helpPresent)
        ui.writeFile(QStringLiteral("Tools/Brindle.chm"), "ITSF");
    ui.platform.startResults.enqueue(failure);
    ui.start();
    trigger(ui, "QHlP");

    const QString help = inCurrentDir(QStringLiteral("/Tools/Brindle.chm"));
    const QList<Call> opened = ui.platform.callsOf(QStringLiteral("help"));
    QCOMPARE(opened.size(), helpPresent ? 1 : 0);
    if (helpPresent)
        QCOMPARE(opened.first().text, help);
    QCOMPARE(ui.platform.messages(),
             QStringList{helpPresent
                             ? failure
                             : QStringLiteral("The quick-help file is missing:\r\n") + help});
    // A missing file's message says below it where the file is expected.
    QCOMPARE(ui.platform.messageDetails().first().contains(inCurrentDir(QString())), !helpPresent);
    verifyStillOpen(ui);
}

void TestServices::aboutBox()
{
    UiFixture ui;
    ui.start();
    trigger(ui, "info");

    const QList<Call> boxes = ui.platform.callsOf(QStringLiteral("msgbox"));
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().flags, 64);
    QCOMPARE(boxes.first().title, QStringLiteral("Brindle"));
    const QStringList lines = boxes.first().text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 4);
    for (const QString &line : lines) {
        QVERIFY(!line.trimmed().isEmpty());
        QVERIFY(!line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r')));
    }
    QVERIFY(lines.first().contains(QStringLiteral("the Brindle developers")));
    verifyStillOpen(ui);
}

void TestServices::startProgramRunsTypedCommandLine_data()
{
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QString>("received");

    QTest::newRow("path alone") << QString() << QString();
    QTest::newRow("path and arguments")
        << QStringLiteral(" --quiet  two") << QStringLiteral("--quiet two");
    QTest::newRow("quoted argument") << QStringLiteral(" \"a b\"") << QStringLiteral("a b");
}

// A program in a folder with blanks in its name, typed unquoted, runs with what follows as
// its arguments.
void TestServices::startProgramRunsTypedCommandLine()
{
    QFETCH(QString, arguments);
    QFETCH(QString, received);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("My Tools/set up")));
    const QString marker = dir.filePath(QStringLiteral("marker"));
    const QString program = dir.filePath(QStringLiteral("My Tools/set up/install me"));
    QFile script(program);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\necho \"$*\" > \"" + marker.toLocal8Bit() + ".tmp\"\nmv \"" +
                 marker.toLocal8Bit() + ".tmp\" \"" + marker.toLocal8Bit() + "\"\n");
    script.close();
    QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner));

    QtPlatform platform;
    const Result<> started = platform.startProgram(program + arguments, Platform::NormalFocus);
    QVERIFY2(started.ok(), qPrintable(started.message()));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 20000);
    QFile out(marker);
    QVERIFY(out.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromLocal8Bit(out.readAll()).trimmed(), received);
}

void TestServices::startProgramReportsFailure()
{
    QTemporaryDir dir;
    QtPlatform platform;
    const QString missing = dir.filePath(QStringLiteral("no such installer"));
    const Result<> missingStart = platform.startProgram(missing + QStringLiteral(" --quiet"), 1);
    QVERIFY(!missingStart.ok());
    QVERIFY(missingStart.message().startsWith(QStringLiteral("Cannot start")));
    // A file that exists but is no program is not run either.
    QFile plain(dir.filePath(QStringLiteral("setup.exe")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    const Result<> plainStart = platform.startProgram(plain.fileName(), 1);
    QVERIFY(!plainStart.ok());
    QVERIFY(!plainStart.message().isEmpty());
    const Result<> emptyStart = platform.startProgram(QStringLiteral("   "), 1);
    QVERIFY(!emptyStart.ok());
    QCOMPARE(emptyStart.message(), QStringLiteral("The command line is empty."));
}

void TestServices::missingDocumentsAreReported()
{
    QTemporaryDir dir;
    QtPlatform platform;
    const QString card = dir.filePath(QStringLiteral("ReferenceCard.pdf"));
    const QString help = dir.filePath(QStringLiteral("Brindle.chm"));
    QStringList reported;
    const auto record = [&reported](const Result<> &outcome) {
        QVERIFY(!outcome.ok());
        reported << outcome.message();
    };
    platform.openDocument(card, Platform::MaximizedFocus, nullptr, record);
    platform.openHelp(nullptr, help, {}, record);
    QCOMPARE(reported,
             (QStringList{QStringLiteral("The file \"%1\" does not exist.").arg(card),
                          QStringLiteral("The help file \"%1\" does not exist.").arg(help)}));
}

void TestServices::documentsOpenWithTheDesktopsPrograms_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("defaultApplication");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("received");

    QTest::newRow("card in the default application")
        << QStringLiteral("ReferenceCard.pdf") << QStringLiteral("fake-viewer.desktop") << QString()
        << QStringLiteral("--page 1 %1");
    QTest::newRow("card without an associated program")
        << QStringLiteral("ReferenceCard.pdf") << QString()
        << QStringLiteral("No program on this system is associated with files of type "
                          "application/pdf,\r\nso \"%1\" cannot be opened.")
        << QString();
    QTest::newRow("help in a CHM viewer, at a page")
        << QStringLiteral("Brindle.chm") << QString() << QString()
        << QStringLiteral("file:%1#xchm:/tabchange.html");
}

// The desktop is simulated: an xdg-mime that names a desktop entry, the entry in the data
// folder, and a CHM viewer, all first on the search paths. The started programs record their
// arguments.
void TestServices::documentsOpenWithTheDesktopsPrograms()
{
    QFETCH(QString, document);
    QFETCH(QString, defaultApplication);
    QFETCH(QString, error);
    QFETCH(QString, received);

    QTemporaryDir dir;
    QDir root(dir.path());
    QVERIFY(root.mkpath(QStringLiteral("bin")) &&
            root.mkpath(QStringLiteral("share/applications")));
    const QByteArray marker = dir.filePath(QStringLiteral("marker")).toLocal8Bit();
    auto writeFile = [&](const QString &relative, const QByteArray &bytes, bool program) {
        QFile file(dir.filePath(relative));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        if (program)
            QVERIFY(file.setPermissions(file.permissions() | QFile::ExeOwner));
    };
    const QByteArray recorder = "#!/bin/sh\necho \"$*\" > \"" + marker + ".tmp\"\nmv \"" + marker +
                                ".tmp\" \"" + marker + "\"\n";
    writeFile(QStringLiteral("bin/xdg-mime"),
              "#!/bin/sh\n[ \"$1 $2 $3\" = \"query default application/pdf\" ] && echo " +
                  defaultApplication.toLatin1() + "\nexit 0\n",
              true);
    writeFile(QStringLiteral("bin/view er"), recorder, true);
    writeFile(QStringLiteral("bin/xchm"), recorder, true);
    writeFile(QStringLiteral("share/applications/fake-viewer.desktop"),
              "[Desktop Entry]\nType=Application\nName=Viewer\nExec=\"" +
                  dir.filePath(QStringLiteral("bin/view er")).toLocal8Bit() + "\" --page 1 %U\n",
              false);
    const QString path = dir.filePath(document);
    writeFile(document, document.endsWith(QLatin1String(".pdf")) ? "%PDF-1.4\n" : "ITSF", false);

    const QByteArray oldPath = qgetenv("PATH");
    const bool hadData = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    const auto restore = qScopeGuard([&] {
        qputenv("PATH", oldPath);
        if (hadData)
            qputenv("XDG_DATA_HOME", oldData);
        else
            qunsetenv("XDG_DATA_HOME");
    });
    qputenv("PATH", dir.filePath(QStringLiteral("bin")).toLocal8Bit() + ':' + oldPath);
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("share")).toLocal8Bit());
    QtPlatform platform;
    QObject context;
    QStringList results;
    // The message of a failure, the empty text for a success.
    const auto record = [&results](const Result<> &r) { results << (r ? QString() : r.message()); };
    if (document.endsWith(QLatin1String(".pdf"))) {
        platform.openDocument(path, Platform::MaximizedFocus, &context, record);
        // The desktop is asked by a process of its own: the call does not wait for it.
        QVERIFY(results.isEmpty());
    } else {
        platform.openHelp(nullptr, path, QStringLiteral("tabchange.html"), record);
    }
    QTRY_COMPARE_WITH_TIMEOUT(results.size(), 1, 20000);
    QCOMPARE(results.at(0), error.isEmpty() ? QString() : error.arg(path));
    if (received.isEmpty()) {
        QVERIFY(!QFile::exists(QString::fromLocal8Bit(marker)));
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QString::fromLocal8Bit(marker)), 20000);
    QFile out(QString::fromLocal8Bit(marker));
    QVERIFY(out.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromLocal8Bit(out.readAll()).trimmed(), received.arg(path));
}

void TestServices::builtReferenceCardHoldsEveryEntry()
{
    const QString card = toolsFile("ReferenceCard.pdf");
    QVERIFY2(QFileInfo(card).isFile(), "the build renders Tools/ReferenceCard.pdf");
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    QVERIFY2(!pdftotext.isEmpty(), "pdftotext (Debian package poppler-utils) is needed");

    QProcess extract;
    extract.start(pdftotext,
                  {QStringLiteral("-enc"), QStringLiteral("UTF-8"), card, QStringLiteral("-")});
    QVERIFY(extract.waitForFinished(60000));
    QCOMPARE(extract.exitCode(), 0);
    const QString text = QString::fromUtf8(extract.readAllStandardOutput());
    // One to three pages: pdftotext ends each page with a form feed.
    QVERIFY(text.count(QLatin1Char('\f')) >= 1 && text.count(QLatin1Char('\f')) <= 3);

    const QSet<QString> lines = normalisedLines(text);
    for (int position = 0; position < ReferenceTables::tableCount; ++position) {
        const QStringList entries = ReferenceTables::entries(position);
        QVERIFY(!entries.isEmpty());
        // A constant's line gives its value and meaning; an error's its number and message.
        for (const QString &entry : entries) {
            const QString line = position == ReferenceTables::errorCodesPosition
                                     ? entry
                                     : ReferenceTables::describe(entry);
            QVERIFY2(lines.contains(line.simplified()), qPrintable(line));
        }
    }
    QVERIFY(lines.contains(ReferenceTables::messageBoxHeading()));
    for (const QString &name : ReferenceTables::messageBoxEntries())
        QVERIFY2(lines.contains(ReferenceTables::describe(name).simplified()), qPrintable(name));
}

void TestServices::builtQuickHelpHoldsEveryPage()
{
    const QString help = toolsFile("Brindle.chm");
    QVERIFY2(QFileInfo(help).isFile(), "the build compiles Tools/Brindle.chm");
    QVERIFY(QFileInfo(help).size() > 0);
    QFile file(help);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(4), QByteArray("ITSF"));

    const QString chmls = QStandardPaths::findExecutable(QStringLiteral("chmls"));
    QVERIFY2(!chmls.isEmpty(), "chmls (Debian package fp-utils) is needed");
    QProcess list;
    list.start(chmls, {QStringLiteral("-p"), QStringLiteral("-n"), QStringLiteral("list"), help});
    QVERIFY(list.waitForFinished(60000));
    const QString listing = QString::fromUtf8(list.readAllStandardOutput());
    for (const char *page : {"/index.html", "/arrays.html", "/keywords.html", "/dialogs.html",
                             "/tabchange.html", "/services.html", "/files.html", "/toc.hhc"})
        QVERIFY2(listing.contains(QLatin1String(page)), page);
}

QTEST_MAIN(TestServices)
#include "tst_services.moc"
