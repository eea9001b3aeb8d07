// The Windows half of the platform layer against the system's own process and shell services:
// command lines typed as in the Run box, documents opened through a registered file type.
#include "qtplatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class TestWinPlatform : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void unquotedPathWithBlanksAndBackslashes();
    void quotedPathAndQuotedArgument();
    void programNamedWithoutExtension();
    void missingProgramIsReported();
    void emptyCommandLineIsReported();
    void documentOpensInAssociatedProgram();
    void documentWithoutAssociationIsReported();
    void missingDocumentIsReported();
    void missingHelpFileIsReported();

private:
    // The lines the recorder wrote once it has been started, or an empty list after 20 s.
    QStringList recorded();

    QTemporaryDir m_dir;
    QString m_record;
    QString m_setupFolder; // a folder with a blank in its name, in native form
    QtPlatform m_platform;
};

namespace {

// The message of a failure; the empty text on success.
QString failureOf(const Result<> &outcome)
{
    return outcome ? QString() : outcome.message();
}

// The outcome of an opening, which the Windows shell reports before the call returns.
QString opened(QtPlatform &platform, const QString &document, int style)
{
    QString outcome = QStringLiteral("<not reported>");
    platform.openDocument(document, style, nullptr,
                          [&outcome](const Result<> &r) { outcome = failureOf(r); });
    return outcome;
}

QString helpOpened(QtPlatform &platform, const QString &help)
{
    QString outcome = QStringLiteral("<not reported>");
    platform.openHelp(nullptr, help, {}, [&outcome](const Result<> &r) { outcome = failureOf(r); });
    return outcome;
}

const char documentType[] = ".brindletest";
const char documentClass[] = "Brindle.TestDocument";

// The file types the shell reads: HKEY_CLASSES_ROOT, the machine's types merged with the user's.
// Writing there needs an administrator on Windows; under Wine it is the machine's own list.
QSettings classes()
{
    return QSettings(QStringLiteral("HKEY_CLASSES_ROOT"), QSettings::NativeFormat);
}

} // namespace

void TestWinPlatform::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("Setup Folder")));
    m_setupFolder = QDir::toNativeSeparators(m_dir.filePath(QStringLiteral("Setup Folder")));
    const QString recorder = QCoreApplication::applicationDirPath() + "/brindle_recorder.exe";
    QVERIFY2(QFile::copy(recorder, m_setupFolder + "\\setup.exe"), qPrintable(recorder));
    m_record = QDir::toNativeSeparators(m_dir.filePath(QStringLiteral("record.txt")));
    // Started programs inherit the environment, and with it the file to record into.
    qputenv("BRINDLE_RECORD", m_record.toLocal8Bit());
}

void TestWinPlatform::cleanupTestCase()
{
    auto types = classes();
    types.remove(QLatin1String(documentType));
    types.remove(QLatin1String(documentClass));
}

void TestWinPlatform::init()
{
    QFile::remove(m_record);
}

QStringList TestWinPlatform::recorded()
{
    if (!QTest::qWaitFor([this] { return QFile::exists(m_record); }, 20000))
        return {};
    QFile f(m_record);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void TestWinPlatform::unquotedPathWithBlanksAndBackslashes()
{
    const QString line = m_setupFolder + "\\setup.exe /quiet";
    QVERIFY(line.contains(QLatin1String("Setup Folder\\setup.exe")));
    QCOMPARE(failureOf(m_platform.startProgram(line, Platform::NormalFocus)), QString());
    QCOMPARE(recorded(), QStringList{QStringLiteral("/quiet")});
}

void TestWinPlatform::quotedPathAndQuotedArgument()
{
    const QString line = "  \"" + m_setupFolder + "\\setup.exe\" first \"two words\"  ";
    QCOMPARE(failureOf(m_platform.startProgram(line, Platform::MaximizedFocus)), QString());
    QCOMPARE(recorded(), (QStringList{QStringLiteral("first"), QStringLiteral("two words")}));
}

void TestWinPlatform::programNamedWithoutExtension()
{
    QCOMPARE(failureOf(m_platform.startProgram(m_setupFolder + "\\setup", Platform::NormalFocus)),
             QString());
    QVERIFY(QTest::qWaitFor([this] { return QFile::exists(m_record); }, 20000));
}

void TestWinPlatform::missingProgramIsReported()
{
    const QString line = m_setupFolder + "\\missing.exe /quiet";
    const QString error = failureOf(m_platform.startProgram(line, Platform::NormalFocus));
    QVERIFY2(error.startsWith("Cannot start \"" + line + "\":\r\n"), qPrintable(error));
    QVERIFY2(error.size() > line.size() + 20, qPrintable(error)); // the system's reason follows
    QVERIFY(!QTest::qWaitFor([this] { return QFile::exists(m_record); }, 500));
}

void TestWinPlatform::emptyCommandLineIsReported()
{
    QCOMPARE(failureOf(m_platform.startProgram(QStringLiteral("   "), Platform::NormalFocus)),
             QStringLiteral("The command line is empty."));
}

void TestWinPlatform::documentOpensInAssociatedProgram()
{
    // A file type of its own, opened by the recorder with the document as argument.
    auto types = classes();
    types.setValue(QLatin1String(documentType) + "/.", QLatin1String(documentClass));
    types.setValue(
        QLatin1String(documentClass) + "/shell/open/command/.",
        QStringLiteral("\"%1\\setup.exe\" \"%2\"").arg(m_setupFolder, QStringLiteral("%1")));
    types.sync();
    if (types.status() != QSettings::NoError)
        QSKIP("Registering a file type needs the rights to write HKEY_CLASSES_ROOT.");
    const QString document = QDir::toNativeSeparators(
        m_dir.filePath(QStringLiteral("Reference Card") + QLatin1String(documentType)));
    QFile f(document);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QCOMPARE(opened(m_platform, document, Platform::MaximizedFocus), QString());
    QCOMPARE(recorded(), QStringList{document});
}

void TestWinPlatform::documentWithoutAssociationIsReported()
{
    const QString document =
        QDir::toNativeSeparators(m_dir.filePath(QStringLiteral("notes.brindlenothing")));
    QFile f(document);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QCOMPARE(opened(m_platform, document, Platform::NormalFocus),
             QStringLiteral("No program on this system is associated with files of type "
                            ".brindlenothing,\r\nso \"%1\" cannot be opened.")
                 .arg(document));
}

void TestWinPlatform::missingDocumentIsReported()
{
    const QString document = m_setupFolder + "\\card.pdf";
    QCOMPARE(opened(m_platform, document, Platform::MaximizedFocus),
             QStringLiteral("The file \"%1\" does not exist.").arg(document));
}

void TestWinPlatform::missingHelpFileIsReported()
{
    const QString help = m_setupFolder + "\\Brindle.chm";
    QCOMPARE(helpOpened(m_platform, help),
             QStringLiteral("The help file \"%1\" does not exist.").arg(help));
}

QTEST_GUILESS_MAIN(TestWinPlatform)
#include "tst_winplatform.moc"
