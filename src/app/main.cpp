#include "cli.h"
#include "console.h"
#include "prog.h"
#include "qtplatform.h"
#include "workfolder.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

// On X11 and Wayland systems a window needs a display server; say so plainly instead of
// letting the toolkit abort with its own message.
bool displayAvailable()
{
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    const auto set = [](const char *name) {
        const char *v = std::getenv(name);
        return v && *v;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

// A command runs without a window: no display and no platform plugin are needed. Its exit
// status when the arguments name a command, nothing when they start the window.
std::optional<int> runCommand(int &argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments += QString::fromLocal8Bit(argv[i]);
    if (!Cli::isCommand(arguments))
        return std::nullopt;
    Console::attachToParent();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("brindle"));
    return Cli::execute(QCoreApplication::arguments());
}

// The application's name and font, for the window and its message boxes.
void setUpLook()
{
    // No display name: Qt would append it to every window title, and the titles are the
    // system's own ("Brindle by Tarnwick", the message-box preview's typed title).
    QApplication::setApplicationName(QStringLiteral("Brindle"));
    // The message and input boxes use the window's font too.
    QApplication::setFont(Prog::designFont());
}

// The icons of the sizes a title bar and a task bar use, for the window and its message
// boxes. Qt reads and decodes each picture as it is added, so they come once the window's
// first frame is on the screen, which the title bar's icon does not hold up.
void setUpIcons()
{
    QIcon icon;
    for (const char *size : {"16", "32", "48"})
        icon.addFile(QStringLiteral(":/brindle-") + QLatin1String(size) + QStringLiteral(".png"));
    QApplication::setWindowIcon(icon);
}

// The desktop entry starts "brindle --desktop": Brindle then works in ~/Brindle, made on the
// first start from the installed samples and documents. Started any other way, it works in
// the current folder. False, after telling the user, when the folder cannot be used.
bool enterWorkFolder(Platform &platform)
{
    if (!QApplication::arguments().contains(QStringLiteral("--desktop")))
        return true;
    const QString folder = QDir::homePath() % QStringLiteral("/Brindle");
    const QString dataDir = QDir::cleanPath(QApplication::applicationDirPath() %
                                            QStringLiteral("/" BRINDLE_DATA_FROM_PROGRAM));
    Result<> ready = WorkFolder::prepare(folder, dataDir);
    if (ready && !QDir::setCurrent(folder))
        ready = Result<>::failure(QStringLiteral("Cannot open the working folder ") %
                                  QDir::toNativeSeparators(folder));
    if (ready)
        return true;
    platform.messageBox(ready.message(), Platform::Critical, {},
                        QStringLiteral("Brindle works in ") % QDir::toNativeSeparators(folder) %
                            QStringLiteral(" when started from the desktop menu; it makes that "
                                           "folder on the first start."));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    if (const std::optional<int> status = runCommand(argc, argv))
        return *status;
    if (!displayAvailable()) {
        std::fputs(
            "brindle: no display found. Brindle is a desktop program and needs a graphical "
            "session (DISPLAY or WAYLAND_DISPLAY is not set).\n"
            "Start it from a desktop session, or under a virtual display such as "
            "'xvfb-run brindle'. Its commands need no display: 'brindle --help' lists them.\n",
            stderr);
        return 1;
    }
    QApplication app(argc, argv);
    setUpLook();
    QtPlatform qtPlatform;
    if (!enterWorkFolder(qtPlatform))
        return 1;
    Prog window(qtPlatform, Prog::Panels::AfterFirstPaint);
    QObject::connect(&window, &Prog::firstFramePainted, &window, setUpIcons);
    window.show();
    return app.exec();
}
