#include "desktopentry.h"

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

namespace {

// The arguments split off an Exec value so far, and the one being read.
struct Split
{
    QStringList arguments;
    QString current;
    bool started = false; // the current argument exists, even if empty ("")
    bool hasFileCode = false;

    void add(const QString &text)
    {
        current += text;
        started = true;
    }
    void finish()
    {
        if (started)
            arguments.append(current);
        current.clear();
        started = false;
    }
};

// Expands the field code that follows a percent sign; false for an unknown code.
bool expandFieldCode(Split &split, char code, const Fields &fields)
{
    switch (code) {
    case '%':
        split.add(QStringLiteral("%"));
        return true;
    case 'f':
    case 'F':
    case 'u':
    case 'U':
        split.add(fields.document);
        split.hasFileCode = true;
        return true;
    case 'c':
        split.add(fields.name);
        return true;
    case 'k':
        split.add(fields.entryPath);
        return true;
    case 'i':
        // The icon option and its value, only as arguments of their own.
        if (!split.started && !fields.icon.isEmpty()) {
            split.arguments.append(QStringLiteral("--icon"));
            split.add(fields.icon);
        }
        return true;
    case 'd':
    case 'D':
    case 'n':
    case 'N':
    case 'v':
    case 'm':
        // Deprecated codes expand to nothing.
        return true;
    default:
        return false;
    }
}

} // namespace

QStringList command(const QString &exec, const Fields &fields)
{
    Split split;
    bool inQuotes = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        // A backslash takes the next character as it is, and outside quotes a percent sign
        // starts a field code; either one at the very end leaves the value malformed.
        const bool takesNext = c == QLatin1Char('\\') || (c == QLatin1Char('%') && !inQuotes);
        if (takesNext && ++i == exec.size())
            return {};
        if (c == QLatin1Char('"')) {
            inQuotes = !inQuotes;
            split.started = true;
        } else if (!inQuotes &&
                   (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n'))) {
            split.finish();
        } else if (c == QLatin1Char('%') && !inQuotes) {
            if (!expandFieldCode(split, exec.at(i).toLatin1(), fields))
                return {};
        } else {
            split.add(takesNext ? QString(exec.at(i)) : QString(c));
        }
    }
    if (inQuotes)
        return {};
    split.finish();
    if (split.arguments.isEmpty() || split.arguments.first().isEmpty())
        return {};
    if (!split.hasFileCode)
        split.arguments.append(fields.document);
    return split.arguments;
}

} // namespace DesktopEntry
