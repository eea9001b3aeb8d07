#include "librarysearch.h"

#include "referencetables.h"
#include "snippetedits.h"
#include "storedcode.h"

#include <QSet>

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
    QStringList lines;
    if (text.isEmpty())
        return lines;
    for (int position = 0; position < ReferenceTables::errorCodesPosition; ++position)
        addConstants(lines, ReferenceTables::heading(position), ReferenceTables::entries(position),
                     text);
    addConstants(lines, ReferenceTables::messageBoxHeading(), ReferenceTables::messageBoxEntries(),
                 text);

    const QString errors = ReferenceTables::heading(ReferenceTables::errorCodesPosition);
    for (const QString &entry :
         ReferenceTables::filtered(ReferenceTables::errorCodesPosition, text))
        lines.append(errors + QStringLiteral(": ") + entry.trimmed());

    // The file's entries and their titles are the same lines, those holding "*", in file order.
    const QString myCode = ReferenceTables::heading(ReferenceTables::myCodePosition);
    const QList<bool> matches = SnippetEdits::matches(storedCode, text);
    const QList<StoredCode::Span> titles = StoredCode::titleSpans(storedCode);
    QSet<QString> listed;
    for (qsizetype i = 0; i < matches.size() && i < titles.size(); ++i) {
        if (!matches.at(i))
            continue;
        const QString title =
            QString::fromLocal8Bit(storedCode.sliced(titles.at(i).at, titles.at(i).size));
        if (!listed.contains(title)) {
            listed.insert(title);
            lines.append(myCode + QStringLiteral(": ") + title);
        }
    }
    return lines;
}

} // namespace LibrarySearch
