#include "librarysearch.h"

#include "referencetables.h"
#include "snippetindex.h"
#include "storedcode.h"

#include <limits>
#include <vector>

namespace LibrarySearch {

namespace {

void addConstants(QStringList &lines, const QString &heading, const QStringList &names,
                  const QString &text)
{
    for (const QString &name : names) {
        const QString line = ReferenceTables::describe(name);
        if (line.contains(text, Qt::CaseInsensitive))
            lines.append(heading + QStringLiteral(": ") + line);
    }
}

} // namespace

QStringList found(const QString &text, QByteArrayView storedCode)
{
    if (text.isEmpty())
        return {};
    SnippetIndex index(storedCode.toByteArray());
    return found(text, index, std::numeric_limits<qsizetype>::max()).lines;
}

Found found(const QString &text, SnippetIndex &storedCode, qsizetype atMost)
{
    Found result;
    if (text.isEmpty())
        return result;
    QStringList &lines = result.lines;
    for (int position = 0; position < ReferenceTables::errorCodesPosition; ++position)
        addConstants(lines, ReferenceTables::heading(position), ReferenceTables::entries(position),
                     text);
    addConstants(lines, ReferenceTables::messageBoxHeading(), ReferenceTables::messageBoxEntries(),
                 text);
    const QString errors = ReferenceTables::heading(ReferenceTables::errorCodesPosition);
    for (const QString &entry :
         ReferenceTables::filtered(ReferenceTables::errorCodesPosition, text))
        lines.append(errors + QStringLiteral(": ") + entry.trimmed());
    if (lines.size() > atMost) {
        result.more = lines.size() - atMost;
        lines.resize(atMost);
    }

    // Each title is listed once, at its first entry that holds the text; only the titles
    // listed are decoded.
    const QString myCode = ReferenceTables::heading(ReferenceTables::myCodePosition);
    const QList<bool> matches = storedCode.matches(text);
    std::vector<bool> listed(size_t(storedCode.titleCount()), false);
    for (qsizetype i = 0; i < matches.size(); ++i) {
        if (!matches.at(i) || listed[size_t(storedCode.titleNumber(i))])
            continue;
        listed[size_t(storedCode.titleNumber(i))] = true;
        if (lines.size() < atMost)
            lines.append(myCode + QStringLiteral(": ") +
                         QString::fromLocal8Bit(storedCode.title(i)));
        else
            ++result.more;
    }
    return result;
}

} // namespace LibrarySearch
