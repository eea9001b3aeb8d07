#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

class SnippetIndex;

// One search over the whole code library: the reference tables, the message-box constants and
// the stored snippets. Each line found starts with where the entry comes from, the heading of
// its table, then the entry as the reference tells it:
//   found("yellow", {}) gives "Color Costants: vbYellow = 65535 (&HFFFF): yellow (red and
//   green), as a colour value";
//   found("trim", "Tidy*x = Trim(x)\r\n") gives "MY CODE: Tidy".
namespace LibrarySearch {

// The lines of every entry that holds the text, in any case: a constant by its name, value or
// meaning, an error by its number or message, a snippet of the stored-code file's bytes by its
// title or code. Constants first, table by table in the order of the category list, then the
// message-box constants, the error codes and the snippets' titles, each title once however
// many entries share it. Nothing for an empty text.
QStringList found(const QString &text, QByteArrayView storedCode);

// The same, at most `atMost` lines, with the stored snippets searched through an index kept
// for the file (key by key it answers from what it found for the keys before), and how many
// more lines there are.
struct Found
{
    QStringList lines;
    qsizetype more = 0;
};
Found found(const QString &text, SnippetIndex &storedCode, qsizetype atMost);

} // namespace LibrarySearch
