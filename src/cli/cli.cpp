#include "cli.h"

#include "arraycommand.h"
#include "dialogcommand.h"
#include "librarycommand.h"
#include "tabordercommand.h"

#include <QFile>

#include <cstdio>

namespace Cli {

namespace {

const char overview[] =
    "Usage: brindle [--desktop]\n"
    "       brindle COMMAND [ARGUMENTS] [--help]\n"
    "\n"
    "Without a command Brindle opens its window (in ~/Brindle with --desktop). A command runs\n"
    "without a window or display and writes to standard output; generated code has CR LF line\n"
    "ends and no line end after its last line, byte for byte what the window copies.\n"
    "\n"
    "Commands:\n"
    "  array KIND COUNT (--vertical | --horizontal) [--top T] [--left L] [--width W]\n"
    "        [--height H] [--spacer S] [--device ppc|hpc] [--number N]\n"
    "  array KIND --custom \"T,L,W,H|...\" [--device ppc|hpc] [--number N]\n"
    "  msgbox --text LINE... [--buttons SET] [--default-button N] [--icon ICON] [--modal]\n"
    "        [--title TITLE]\n"
    "  msgbox --simple --text LINE...\n"
    "  inputbox --text LINE... [--title TITLE] [--default-answer TEXT] [--dialogx]\n"
    "  lookup NAME...\n"
    "  list [CATEGORY]\n"
    "  snippets [list | show TITLE [--entry N] | add TITLE]\n"
    "  tab-order FILE [--form NAME] (--list | --order NAME,NAME,... | --swap NAME POSITION |\n"
    "            --by-position)\n"
    "\n"
    "Exit status: 0 done, 1 refused (the reason on standard error), 2 bad usage.\n"
    "'brindle COMMAND --help' describes a command.\n";

Outcome usage(const QString &why)
{
    return Outcome::badUsage(QStringLiteral("brindle: ") % why %
                             QStringLiteral("\nTry 'brindle --help'."));
}

} // namespace

bool isCommand(const QStringList &arguments)
{
    return !arguments.isEmpty() && arguments != QStringList{QStringLiteral("--desktop")};
}

Outcome run(const QStringList &arguments, const std::function<QByteArray()> &readInput)
{
    if (arguments.isEmpty())
        return usage(QStringLiteral("no command"));
    const QString command = arguments.constFirst();
    const QStringList rest = arguments.mid(1);
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help"))
        return Outcome::done(QByteArray(overview));
    if (command == QLatin1String("--version") || command == QLatin1String("-v"))
        return Outcome::done(QByteArrayLiteral("brindle " BRINDLE_VERSION "\n"));
    if (command == QLatin1String("array"))
        return ArrayCommand::run(rest);
    if (command == QLatin1String("msgbox"))
        return DialogCommand::runMessageBox(rest);
    if (command == QLatin1String("inputbox"))
        return DialogCommand::runInputBox(rest);
    if (command == QLatin1String("lookup"))
        return LibraryCommand::runLookup(rest);
    if (command == QLatin1String("list"))
        return LibraryCommand::runList(rest);
    if (command == QLatin1String("snippets"))
        return LibraryCommand::runSnippets(rest, readInput);
    if (command == QLatin1String("tab-order"))
        return TabOrderCommand::run(rest);
    if (command == QLatin1String("--desktop"))
        return usage(QStringLiteral("--desktop opens the window and takes no command"));
    return usage(QStringLiteral("unknown command '") % command % QLatin1Char('\''));
}

int execute(const QStringList &arguments)
{
    const Outcome outcome = run(arguments.mid(1), [] {
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly))
            return QByteArray();
        return in.readAll();
    });
    std::fwrite(outcome.out.constData(), 1, size_t(outcome.out.size()), stdout);
    std::fflush(stdout);
    if (!outcome.err.isEmpty()) {
        // The window's messages break lines with CR LF; a terminal wants LF.
        QString message = outcome.err;
        message.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        const QByteArray bytes = message.toLocal8Bit() + '\n';
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    }
    if (std::ferror(stdout))
        return Outcome::Refused;
    return outcome.status;
}

} // namespace Cli
