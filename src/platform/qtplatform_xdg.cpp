// Starting programs and opening documents on a freedesktop.org desktop (Linux and the like):
// programs start detached, documents open in the desktop's default application for their
// type as xdg-mime names it, compiled help in a CHM viewer.
#include "desktopentry.h"
#include "helpviewer.h"
#include "qtplatform.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <QWindow>

namespace {

// Starts a program without waiting for it; on failure, why it failed.
Result<> startDetached(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (process.startDetached())
        return {};
    return Result<>::failure(
        QStringLiteral("Cannot start \"%1\":\r\n%2").arg(program, process.errorString()));
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
};

// The program named by xdg-mime's answer (a desktop file id), with the command line of its
// desktop entry. Unknown when the answer gives nothing usable, so the caller can fall back to
// the generic opener.
Association associationOf(const QString &answer, const QString &document)
{
    Association result;
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

// The generic opener behind QDesktopServices, which starts the desktop's opener and does not
// wait for it.
Result<> openGeneric(const QString &path)
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        return Result<>::failure(
            QStringLiteral("No program on this system could open \"%1\".").arg(path));
    return {};
}

Result<> openWith(const Association &association, const QString &path, const QString &mimeType)
{
    switch (association.outcome) {
    case Association::Found: {
        QStringList arguments = association.command;
        const QString program = arguments.takeFirst();
        const Result<> started = startDetached(program, arguments);
        if (started)
            return {};
        return Result<>::failure(
            QStringLiteral("\"%1\" cannot be opened.\r\n%2").arg(path, started.message()));
    }
    case Association::NoneAssociated:
        return Result<>::failure(
            QStringLiteral("No program on this system is associated with files of type %1,\r\n"
                           "so \"%2\" cannot be opened.")
                .arg(mimeType, path));
    case Association::Unknown:
        break;
    }
    return openGeneric(path);
}

// Reports the outcome of an opening, unless the object that asked for it is gone.
Platform::Outcome guarded(QObject *context, Platform::Outcome done)
{
    if (!context)
        return done;
    return [context = QPointer<QObject>(context), done = std::move(done)](const Result<> &outcome) {
        if (context)
            done(outcome);
    };
}

// Opens a document in its associated program: the desktop's default application when it names
// one, else the generic opener. The desktop is asked with xdg-mime, a process of its own, so
// the window goes on while it answers; an answer that takes longer than a few seconds counts
// as none.
void openAssociated(const QString &path, QObject *context, const Platform::Outcome &done)
{
    const QString mimeType = QMimeDatabase().mimeTypeForFile(path).name();
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty()) {
        done(openGeneric(path));
        return;
    }
    auto *query = new QProcess(context);
    QObject::connect(query, &QProcess::finished, query,
                     [query, path, mimeType, done](int, QProcess::ExitStatus status) {
                         query->deleteLater();
                         if (status != QProcess::NormalExit) {
                             done(openGeneric(path));
                             return;
                         }
                         const QString answer =
                             QString::fromLocal8Bit(query->readAllStandardOutput());
                         done(openWith(associationOf(answer, path), path, mimeType));
                     });
    // A query that cannot start sends no finished signal; the others end in one.
    QObject::connect(query, &QProcess::errorOccurred, query,
                     [query, path, done](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         query->deleteLater();
                         done(openGeneric(path));
                     });
    QTimer::singleShot(5000, query, [query] { query->kill(); });
    query->start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
}

// A window kept above all others would cover the help viewer, another program's window: it is
// kept on top no more until the user comes back to it, so that the help opens in front of it.
// The window system is told directly, so that the window stays shown where it is.
class StepBack : public QObject
{
public:
    static void install(QWidget *window)
    {
        if (!window->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            return;
        new StepBack(window);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::WindowDeactivate) {
            m_left = true;
        } else if (event->type() == QEvent::WindowActivate && m_left) {
            keepOnTop(true);
            deleteLater();
        }
        return false;
    }

private:
    explicit StepBack(QWidget *window) : QObject(window), m_window(window)
    {
        window->installEventFilter(this);
        keepOnTop(false);
    }

    void keepOnTop(bool onTop)
    {
        Qt::WindowFlags flags = m_window->windowFlags();
        flags.setFlag(Qt::WindowStaysOnTopHint, onTop);
        m_window->overrideWindowFlags(flags);
        if (QWindow *handle = m_window->windowHandle())
            handle->setFlags(flags);
    }

    QWidget *m_window;
    bool m_left = false;
};

} // namespace

// The window style is a request this platform cannot pass on: on a Linux desktop the started
// program and the window manager decide how its window opens.
Result<> QtPlatform::startProgram(const QString &commandLine, int)
{
    const QString line = commandLine.trimmed();
    if (line.isEmpty())
        return Result<>::failure(QStringLiteral("The command line is empty."));
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
        return Result<>::failure(
            QStringLiteral("The command line \"%1\" names no program.").arg(line));
    const QString program = arguments.takeFirst();
    return startDetached(program, arguments);
}

void QtPlatform::openDocument(const QString &path, int, QObject *context, Outcome done)
{
    if (!QFileInfo::exists(path)) {
        done(Result<>::failure(QStringLiteral("The file \"%1\" does not exist.").arg(path)));
        return;
    }
    openAssociated(path, context, guarded(context, std::move(done)));
}

// A CHM viewer opens the file at the page asked for; without one the file goes to the program
// associated with it, which opens it at its start page. The owner's window steps back from
// being kept on top, so that the help shows in front of it.
void QtPlatform::openHelp(QWidget *owner, const QString &path, const QString &page, Outcome done)
{
    if (!QFileInfo::exists(path)) {
        done(Result<>::failure(QStringLiteral("The help file \"%1\" does not exist.").arg(path)));
        return;
    }
    QPointer<QWidget> window = owner ? owner->window() : nullptr;
    for (const QString &viewer : HelpViewer::programs()) {
        const QString program = QStandardPaths::findExecutable(viewer);
        if (!program.isEmpty() &&
            startDetached(program, HelpViewer::arguments(viewer, path, page))) {
            if (window)
                StepBack::install(window);
            done({});
            return;
        }
    }
    openAssociated(path, owner,
                   guarded(owner, [window, done = std::move(done)](const Result<> &opened) {
                       if (!opened) {
                           done(Result<>::failure(opened.message() %
                                                  QStringLiteral("\r\nInstall a CHM help viewer "
                                                                 "such as xchm or kchmviewer.")));
                           return;
                       }
                       if (window)
                           StepBack::install(window);
                       done({});
                   }));
}
