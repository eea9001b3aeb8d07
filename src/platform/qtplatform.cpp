#include "qtplatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

QString shownTitle(const QString &title)
{
    return title.isEmpty() ? QString::fromLatin1(Platform::applicationTitle) : title;
}

QString displayText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

QList<QMessageBox::StandardButton> buttonsOf(int set)
{
    switch (set) {
    case Platform::OkCancel:
        return {QMessageBox::Ok, QMessageBox::Cancel};
    case Platform::AbortRetryIgnore:
        return {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore};
    case Platform::YesNoCancel:
        return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case Platform::YesNo:
        return {QMessageBox::Yes, QMessageBox::No};
    case Platform::RetryCancel:
        return {QMessageBox::Retry, QMessageBox::Cancel};
    default:
        return {QMessageBox::Ok};
    }
}

int answerOf(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Cancel:
        return Platform::Cancel;
    case QMessageBox::Abort:
        return Platform::Abort;
    case QMessageBox::Retry:
        return Platform::Retry;
    case QMessageBox::Ignore:
        return Platform::Ignore;
    case QMessageBox::Yes:
        return Platform::Yes;
    case QMessageBox::No:
        return Platform::No;
    default:
        return Platform::Ok;
    }
}

QMessageBox::Icon iconOf(int icon)
{
    switch (icon) {
    case Platform::Critical:
        return QMessageBox::Critical;
    case Platform::Question:
        return QMessageBox::Question;
    case Platform::Exclamation:
        return QMessageBox::Warning;
    case Platform::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

#ifndef Q_OS_WIN
// Programs and documents start the desktop's way here; qtplatform_win.cpp has Windows's.

// Starts a program without waiting for it; empty on success, else why it failed.
QString startDetached(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (process.startDetached())
        return {};
    return QStringLiteral("Cannot start \"%1\":\r\n%2").arg(program, process.errorString());
}

bool isProgramFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

// What the desktop knows of the program associated with a document.
struct Association
{
    enum Outcome { Found, NoneAssociated, Unknown } outcome = Unknown;
    QStringList command; // program and arguments, when Found
    QString mimeType;
};

// The desktop's default application for the document's type, as xdg-mime reports it, with
// the command line of its desktop entry. Unknown when the desktop gives no usable answer, so
// the caller can fall back to the generic opener.
Association associationOf(const QString &document)
{
    Association result;
    result.mimeType = QMimeDatabase().mimeTypeForFile(document).name();
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return result;
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), result.mimeType});
    if (!query.waitForFinished(5000) || query.exitStatus() != QProcess::NormalExit) {
        query.kill();
        return result;
    }
    const QString answer = QString::fromLocal8Bit(query.readAllStandardOutput());
    const QString id = answer.section(QLatin1Char('\n'), 0, 0).trimmed();
    if (id.isEmpty()) {
        result.outcome = Association::NoneAssociated;
        return result;
    }
    // A desktop file id "vendor-app.desktop" may also live at vendor/app.desktop.
    QString entryPath = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id);
    for (qsizetype dash = id.indexOf(QLatin1Char('-')); entryPath.isEmpty() && dash > 0;
         dash = id.indexOf(QLatin1Char('-'), dash + 1)) {
        QString nested = id;
        nested[dash] = QLatin1Char('/');
        entryPath = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, nested);
    }
    QFile entry(entryPath);
    if (entryPath.isEmpty() || !entry.open(QIODevice::ReadOnly))
        return result;
    const QString text = QString::fromUtf8(entry.readAll());
    const DesktopEntry::Fields fields{document, DesktopEntry::value(text, QStringLiteral("Name")),
                                      DesktopEntry::value(text, QStringLiteral("Icon")), entryPath};
    result.command =
        DesktopEntry::command(DesktopEntry::value(text, QStringLiteral("Exec")), fields);
    if (!result.command.isEmpty())
        result.outcome = Association::Found;
    return result;
}

// Opens a document in its associated program: the desktop's default application when it names
// one, else the generic opener behind QDesktopServices.
QString openAssociated(const QString &path)
{
    const Association association = associationOf(path);
    switch (association.outcome) {
    case Association::Found: {
        QStringList arguments = association.command;
        const QString program = arguments.takeFirst();
        const QString error = startDetached(program, arguments);
        if (error.isEmpty())
            return {};
        return QStringLiteral("\"%1\" cannot be opened.\r\n%2").arg(path, error);
    }
    case Association::NoneAssociated:
        return QStringLiteral("No program on this system is associated with files of type %1,\r\n"
                              "so \"%2\" cannot be opened.")
            .arg(association.mimeType, path);
    case Association::Unknown:
        break;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        return QStringLiteral("No program on this system could open \"%1\".").arg(path);
    return {};
}

#endif // !Q_OS_WIN

} // namespace

int QtPlatform::messageBox(const QString &text, int flags, const QString &title)
{
    QMessageBox box(iconOf(flags & 0x70), shownTitle(title), displayText(text),
                    QMessageBox::NoButton, QApplication::activeWindow());
    const auto buttons = buttonsOf(flags & 0x7);
    for (auto b : buttons)
        box.addButton(b);
    const int defaultIndex = (flags & 0x300) >> 8;
    if (defaultIndex < buttons.size())
        box.setDefaultButton(buttons.at(defaultIndex));
    if (flags & SystemModal)
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    // Escape answers with the cancelling button when the set has one.
    if (buttons.contains(QMessageBox::Cancel))
        box.setEscapeButton(QMessageBox::Cancel);
    else if (buttons.size() == 1)
        box.setEscapeButton(buttons.first());
    box.exec();
    auto *clicked = box.clickedButton();
    return clicked ? answerOf(box.standardButton(clicked)) : answerOf(buttons.first());
}

QString QtPlatform::inputBox(const QString &prompt, const QString &title,
                             const QString &defaultAnswer)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(QApplication::activeWindow(), shownTitle(title), displayText(prompt),
                              QLineEdit::Normal, defaultAnswer, &ok);
    return ok ? text : QString();
}

void QtPlatform::setClipboardText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

void QtPlatform::setTopmost(QWidget *window, bool topmost)
{
    const bool wasVisible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    // Changing a window flag hides a shown window; show it again in place.
    if (wasVisible)
        window->show();
}

void QtPlatform::quit()
{
    QCoreApplication::exit(0);
}

#ifndef Q_OS_WIN

// The window style is a request this platform cannot pass on: on a Linux desktop the started
// program and the window manager decide how its window opens.
QString QtPlatform::startProgram(const QString &commandLine, int)
{
    const QString line = commandLine.trimmed();
    if (line.isEmpty())
        return QStringLiteral("The command line is empty.");
    // Like the unquoted command lines users type on other systems, the longest part before a
    // blank that names an existing program is the program, even when its path holds blanks;
    // what follows are its arguments.
    for (qsizetype end = line.size(); end > 0; end = line.lastIndexOf(QLatin1Char(' '), end - 1)) {
        const QString candidate = line.left(end).trimmed();
        if (isProgramFile(candidate))
            return startDetached(QFileInfo(candidate).absoluteFilePath(),
                                 QProcess::splitCommand(line.mid(end)));
    }
    QStringList arguments = QProcess::splitCommand(line);
    if (arguments.isEmpty())
        return QStringLiteral("The command line \"%1\" names no program.").arg(line);
    const QString program = arguments.takeFirst();
    return startDetached(program, arguments);
}

QString QtPlatform::openDocument(const QString &path, int)
{
    if (!QFileInfo::exists(path))
        return QStringLiteral("The file \"%1\" does not exist.").arg(path);
    return openAssociated(path);
}

// A CHM viewer opens the file with its table of contents shown; without one the file goes to
// the program associated with it.
QString QtPlatform::openHelp(QWidget *, const QString &path)
{
    if (!QFileInfo::exists(path))
        return QStringLiteral("The help file \"%1\" does not exist.").arg(path);
    for (const char *viewer : {"xchm", "kchmviewer", "uchmviewer"}) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(viewer));
        if (!program.isEmpty() && startDetached(program, {path}).isEmpty())
            return {};
    }
    const QString error = openAssociated(path);
    if (error.isEmpty())
        return {};
    return error % QStringLiteral("\r\nInstall a CHM help viewer such as xchm or kchmviewer.");
}

namespace DesktopEntry {

QString value(const QString &desktopFileText, const QString &key)
{
    bool inEntryGroup = false;
    const QStringList lines = desktopFileText.split(QLatin1Char('\n'));
    for (QString line : lines) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntryGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inEntryGroup || line.startsWith(QLatin1Char('#')) || equals < 0 ||
            line.left(equals).trimmed() != key)
            continue;
        const QString raw = line.mid(equals + 1).trimmed();
        QString out;
        for (qsizetype i = 0; i < raw.size(); ++i) {
            const QChar c = raw.at(i);
            const QChar next = i + 1 < raw.size() ? raw.at(i + 1) : QChar();
            const char escaped = next == QLatin1Char('s')    ? ' '
                                 : next == QLatin1Char('n')  ? '\n'
                                 : next == QLatin1Char('t')  ? '\t'
                                 : next == QLatin1Char('r')  ? '\r'
                                 : next == QLatin1Char('\\') ? '\\'
                                                             : 0;
            if (c == QLatin1Char('\\') && escaped) {
                out += QLatin1Char(escaped);
                ++i;
            } else {
                out += c;
            }
        }
        return out;
    }
    return {};
}

QStringList command(const QString &exec, const Fields &fields)
{
    QStringList arguments;
    QString current;
    bool started = false; // the current argument exists, even if empty ("")
    bool inQuotes = false;
    bool hasFileCode = false;
    auto finish = [&] {
        if (started)
            arguments.append(current);
        current.clear();
        started = false;
    };
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (inQuotes) {
            if (c == QLatin1Char('"')) {
                inQuotes = false;
            } else if (c == QLatin1Char('\\')) {
                if (++i == exec.size())
                    return {};
                current += exec.at(i);
            } else {
                current += c;
            }
            continue;
        }
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')) {
            finish();
        } else if (c == QLatin1Char('"')) {
            inQuotes = true;
            started = true;
        } else if (c == QLatin1Char('\\')) {
            if (++i == exec.size())
                return {};
            current += exec.at(i);
            started = true;
        } else if (c == QLatin1Char('%')) {
            if (++i == exec.size())
                return {};
            const char code = exec.at(i).toLatin1();
            switch (code) {
            case '%':
                current += QLatin1Char('%');
                started = true;
                break;
            case 'f':
            case 'F':
            case 'u':
            case 'U':
                current += fields.document;
                started = hasFileCode = true;
                break;
            case 'c':
                current += fields.name;
                started = true;
                break;
            case 'k':
                current += fields.entryPath;
                started = true;
                break;
            case 'i':
                if (!started && !fields.icon.isEmpty()) {
                    arguments.append(QStringLiteral("--icon"));
                    current = fields.icon;
                    started = true;
                }
                break;
            case 'd':
            case 'D':
            case 'n':
            case 'N':
            case 'v':
            case 'm':
                break;
            default:
                return {};
            }
        } else {
            current += c;
            started = true;
        }
    }
    if (inQuotes)
        return {};
    finish();
    if (arguments.isEmpty() || arguments.first().isEmpty())
        return {};
    if (!hasFileCode)
        arguments.append(fields.document);
    return arguments;
}

} // namespace DesktopEntry

#endif // !Q_OS_WIN
