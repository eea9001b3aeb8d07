#include "commandline.h"

CommandLine::CommandLine(const QString &command, const QString &synopsis,
                         const QString &description)
    : m_command(command), m_synopsis(synopsis)
{
    m_parser.setApplicationDescription(description);
    // Not addHelpOption(): its --help-all offers the options of a window this command lacks.
    m_parser.addOption(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                                          QStringLiteral("Displays this help.")));
}

std::optional<Outcome> CommandLine::parse(const QStringList &arguments)
{
    // The parser skips its first argument, the program's name.
    if (!m_parser.parse(QStringList{QStringLiteral("brindle")} + arguments))
        return usage(m_parser.errorText());
    if (m_parser.isSet(QStringLiteral("help")))
        return Outcome::done(help().toLocal8Bit());
    return std::nullopt;
}

Outcome CommandLine::usage(const QString &why) const
{
    return Outcome::badUsage(QStringLiteral("brindle ") % m_command % QStringLiteral(": ") % why %
                             QStringLiteral("\nTry 'brindle ") % m_command %
                             QStringLiteral(" --help'."));
}

QString CommandLine::help()
{
    // The parser's own first line names the running program; the synopsis replaces it.
    QString text = m_parser.helpText();
    text.remove(0, text.indexOf(QLatin1Char('\n')) + 1);
    return QStringLiteral("Usage: brindle ") % m_command % QLatin1Char(' ') % m_synopsis %
           QLatin1Char('\n') % text;
}
