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
