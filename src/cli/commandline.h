#pragma once

#include "outcome.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

// The parser of one command: its synopsis, its options, and the help and usage errors that
// every command words the same way.
//   CommandLine cl(u"array"_s, u"KIND COUNT ..."_s, u"Generates..."_s);
//   cl.parser().addOption(...); if (auto stop = cl.parse(args)) return *stop;
class CommandLine
{
public:
    CommandLine(const QString &command, const QString &synopsis, const QString &description);

    QCommandLineParser &parser() { return m_parser; }
    // Parses the arguments after the command's name. Gives the outcome to return at once for
    // --help (the help text) and for a parse error (bad usage); nothing when the command goes on.
    std::optional<Outcome> parse(const QStringList &arguments);
    // Bad usage, with a pointer to the command's help.
    Outcome usage(const QString &why) const;
    // The help text: the synopsis, the description and the options.
    QString help();

private:
    QString m_command;
    QString m_synopsis;
    QCommandLineParser m_parser;
};
