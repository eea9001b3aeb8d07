#include "librarycommand.h"

#include "commandline.h"
#include "librarysearch.h"
#include "paths.h"
#include "referencetables.h"
#include "snippetstore.h"
#include "storedcode.h"
#include "textfile.h"

namespace LibraryCommand {

QStringList categoryNames()
{
    return {QStringLiteral("color"),      QStringLiteral("comparison"), QStringLiteral("datetime"),
            QStringLiteral("dateformat"), QStringLiteral("string"),     QStringLiteral("vartype"),
            QStringLiteral("global"),     QStringLiteral("errors")};
}

namespace {

// The category's entry without its runs of blanks: "Color Costants".
QString categoryTitle(int position)
{
    return ReferenceTables::category(position).simplified();
}

QByteArray lines(const QStringList &entries)
{
    QByteArray out;
    for (const QString &e : entries)
        out += e.toLocal8Bit() + '\n';
    return out;
}

} // namespace

QString lookUp(const QString &name)
{
    for (int t = 0; t < ReferenceTables::tableCount; ++t) {
        for (const QString &entry : ReferenceTables::entries(t)) {
            if (t == ReferenceTables::errorCodesPosition) {
                const QString trimmed = entry.trimmed();
                if (trimmed.section(QLatin1Char(' '), 0, 0) == name.trimmed())
                    return trimmed;
            } else if (entry.compare(name, Qt::CaseInsensitive) == 0) {
                return ReferenceTables::describe(entry);
            }
        }
    }
    for (const QString &entry : ReferenceTables::messageBoxEntries()) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return ReferenceTables::describe(entry);
    }
    return {};
}

namespace {

// The entries of every name, and the names that have none.
struct LookedUp
{
    QStringList found;
    QStringList unknown;
};

// Each name's reference entry, or with `search` every entry that holds it, the stored code's
// bytes included.
LookedUp lookUpAll(const QStringList &names, bool search, const QByteArray &stored)
{
    LookedUp looked;
    for (const QString &name : names) {
        QStringList entries;
        if (search)
            entries = LibrarySearch::found(name, stored);
        else if (const QString entry = lookUp(name); !entry.isEmpty())
            entries.append(entry);
        if (entries.isEmpty())
            looked.unknown.append(name);
        looked.found += entries;
    }
    return looked;
}

// What lookup prints: the entries found, then a note on a stored code that cannot be read and
// on the names found nowhere, which refuse.
Outcome lookupOutcome(const LookedUp &looked, bool search, const Result<QByteArray> &stored,
                      const QString &path)
{
    Outcome o = Outcome::done(lines(looked.found));
    QStringList notes;
    if (!stored)
        notes << QStringLiteral("The stored code in ") % path %
                     QStringLiteral(" cannot be read, so no snippet was searched.\r\n") %
                     stored.message();
    if (!looked.unknown.isEmpty()) {
        o.status = Outcome::Refused;
        notes << (search ? QStringLiteral("No constant, error code or stored code holds: ")
                         : QStringLiteral("Not in the reference: ")) %
                     looked.unknown.join(QStringLiteral(", "));
    }
    o.err = notes.join(u'\n');
    return o;
}

} // namespace

Outcome runLookup(const QStringList &arguments)
{
    CommandLine cl(
        QStringLiteral("lookup"), QStringLiteral("[--search] NAME..."),
        QStringLiteral("Prints each constant with its value and meaning (the name in any "
                       "letter case), or an error code's message, one a line."));
    cl.parser().addPositionalArgument(
        QStringLiteral("NAME"),
        QStringLiteral("A constant (vbRed, vbYesNo) or an error code (53)."));
    const QCommandLineOption searchOption(
        QStringLiteral("search"),
        QStringLiteral("Each NAME is a text to search for, as the window's filter does with no "
                       "category chosen: every constant, error code and title of the stored "
                       "code in Samples/MyCode.Txt of the current folder that holds it (a "
                       "constant by name, value or meaning, a snippet by title or code), one a "
                       "line after the heading of its table."));
    cl.parser().addOption(searchOption);
    if (std::optional<Outcome> stop = cl.parse(arguments))
        return *stop;
    const QStringList names = cl.parser().positionalArguments();
    if (names.isEmpty())
        return cl.usage(QStringLiteral("NAME is missing"));
    const bool search = cl.parser().isSet(searchOption);
    const QString path = Paths::at(QLatin1String(StoredCode::relativePath));
    // Without the file there is no snippet to find; one that cannot be read is named.
    const Result<QByteArray> stored = search && StoredCode::exists(path)
                                          ? TextFile::readBytes(path)
                                          : Result<QByteArray>(QByteArray());
    const LookedUp looked = lookUpAll(names, search, stored ? stored.value() : QByteArray());
    return lookupOutcome(looked, search, stored, path);
}

Outcome runList(const QStringList &arguments)
{
    CommandLine cl(QStringLiteral("list"), QStringLiteral("[CATEGORY]"),
                   QStringLiteral("Prints a reference table, one entry a line; without CATEGORY, "
                                  "the categories."));
    cl.parser().addPositionalArgument(QStringLiteral("CATEGORY"),
                                      categoryNames().join(QStringLiteral(", ")));
    if (std::optional<Outcome> stop = cl.parse(arguments))
        return *stop;
    const QStringList args = cl.parser().positionalArguments();
    if (args.size() > 1)
        return cl.usage(QStringLiteral("too many arguments"));
    if (args.isEmpty()) {
        QStringList rows;
        for (int t = 0; t < ReferenceTables::tableCount; ++t)
            rows += categoryNames().at(t).leftJustified(12) % categoryTitle(t);
        return Outcome::done(lines(rows));
    }
    const int position = int(categoryNames().indexOf(args[0].toLower()));
    if (position < 0)
        return cl.usage(QStringLiteral("unknown CATEGORY '") % args[0] %
                        QStringLiteral("' (one of ") % categoryNames().join(QStringLiteral(", ")) %
                        QLatin1Char(')'));
    return Outcome::done(lines(ReferenceTables::entries(position)));
}

namespace {

// `snippets list`: the titles' bytes as stored, in the file's code page, one a line.
Outcome listTitles(SnippetStore &store)
{
    if (!store.exists())
        return Outcome::refused(QStringLiteral("No code's items available"));
    const Result<QByteArray> file = store.read();
    if (!file)
        return Outcome::refused(QStringLiteral("The stored code in ") % store.path() %
                                QStringLiteral(" cannot be read, so no title is listed.\r\n") %
                                file.message());
    QByteArray titles;
    for (const StoredCode::Span &span : StoredCode::titleSpans(file.value())) {
        titles.append(QByteArrayView(file.value()).sliced(span.at, span.size));
        titles += '\n';
    }
    return Outcome::done(titles);
}

// A title in any letter case, as the window's list finds it; the exact one first. A failure
// names the titles that differ from it only in letter case.
Result<QString> storedTitle(const QByteArray &file, const QString &typed)
{
    if (StoredCode::titleCount(file, typed) > 0)
        return typed;
    QStringList alike;
    for (const QString &stored : StoredCode::titles(file)) {
        if (stored.compare(typed, Qt::CaseInsensitive) == 0 && !alike.contains(stored))
            alike << stored;
    }
    if (alike.size() > 1)
        return Result<QString>::failure(QStringLiteral("Several titles differ from ") % typed %
                                        QStringLiteral(" only in letter case: ") %
                                        alike.join(QStringLiteral(", ")) %
                                        QStringLiteral(". Give one as it is written."));
    return alike.value(0, typed);
}

// `snippets show TITLE [--entry N]`: the code's bytes as stored, in the file's code page, with
// CR LF line ends. `entry` counts from 1 in the order of the file; 0 is the last.
Outcome showSnippet(SnippetStore &store, const QString &typed, int entry)
{
    const Result<QByteArray> file = store.read();
    if (!file)
        return Outcome::refused(QStringLiteral("The stored code in ") % store.path() %
                                QStringLiteral(" cannot be read.\r\n") % file.message());
    const Result<QString> title = storedTitle(file.value(), typed);
    if (!title)
        return Outcome::refused(title.message());
    const int count = StoredCode::titleCount(file.value(), title.value());
    if (count == 0)
        return Outcome::refused(QStringLiteral("No code is stored under the title ") % typed);
    if (entry > count)
        return Outcome::refused(
            QStringLiteral("No entry %1 is stored under the title ").arg(entry) % typed %
            QStringLiteral(": it has %1.").arg(count));
    store.show({title.value(), entry > 0 ? count - entry : 0});
    QString note;
    if (count > 1 && entry == 0)
        note = QStringLiteral("%1 entries are stored under the title ").arg(count) % title.value() %
               QStringLiteral("; this is the last. --entry 1 to %1 shows each, in the order of "
                              "the file.")
                   .arg(count);
    return Outcome::done(StoredCode::listBytesToLines(store.shownList()), note);
}

// The entry that --entry N asks for, counted from 1; 0 (the last) when it is not given; nothing
// when N is no whole number from 1.
std::optional<int> entryNumber(const QString &value, bool given)
{
    bool numeric = false;
    const int entry = value.toInt(&numeric);
    if (!given)
        return 0;
    if (!numeric || entry < 1)
        return std::nullopt;
    return entry;
}

// `snippets add TITLE`: the code's bytes are stored as given, already in the file's code page.
Outcome addSnippet(SnippetStore &store, const QString &typed, QByteArray code)
{
    const QString title = StoredCode::singleLineTitle(typed);
    // The line end that ends a file or a here-document ends the last line; it starts no new one.
    if (code.endsWith("\r\n"))
        code.chop(2);
    else if (code.endsWith('\n') || code.endsWith('\r'))
        code.chop(1);
    Result<> storable = StoredCode::fitsLayout(title, QByteArrayView(code));
    if (storable)
        storable = StoredCode::encodable(title);
    if (!storable)
        return Outcome::refused(storable.message() + QStringLiteral("\r\nNothing was stored."));
    const Result<QByteArray> before =
        store.add(StoredCode::entryOfBytes(title, StoredCode::codeBytesToList(code)));
    if (!before)
        return Outcome::refused(QStringLiteral("Error ") + before.message());
    // A repeated title is no error: it is stored all the same, and the user is told.
    const int repeats = StoredCode::titleCount(before.value(), title);
    if (repeats == 0)
        return Outcome::done();
    return Outcome::done({}, QStringLiteral("Warning: a code was already stored under the title ") %
                                 title %
                                 QStringLiteral("; this one is stored as well, as its entry %1 "
                                                "(show --entry %1).")
                                     .arg(repeats + 1));
}

} // namespace

Outcome runSnippets(const QStringList &arguments, const std::function<QByteArray()> &readInput)
{
    CommandLine cl(QStringLiteral("snippets"),
                   QStringLiteral("[list | show TITLE [--entry N] | add TITLE]"),
                   QStringLiteral("Lists the titles of the stored code in Samples/MyCode.Txt of "
                                  "the current folder, prints the code stored under a title (CR "
                                  "LF line ends, as COPY CODE copies it), or stores the code read "
                                  "from standard input under a new title. A title stored more "
                                  "than once is listed once for each entry; show prints the last "
                                  "of them, or the Nth in the order of the file with --entry N."));
    cl.parser().addPositionalArgument(QStringLiteral("ACTION"),
                                      QStringLiteral("list (the default), show or add."));
    const QCommandLineOption entryOption(
        QStringLiteral("entry"),
        QStringLiteral("With show: the Nth entry stored under TITLE, counted from 1."),
        QStringLiteral("N"));
    cl.parser().addOption(entryOption);
    if (std::optional<Outcome> stop = cl.parse(arguments))
        return *stop;
    const QStringList args = cl.parser().positionalArguments();
    const QString action = args.value(0, QStringLiteral("list"));
    const bool entryGiven = cl.parser().isSet(entryOption);
    if (entryGiven && action != QLatin1String("show"))
        return cl.usage(QStringLiteral("--entry belongs to show"));
    SnippetStore store(Paths::at(QLatin1String(StoredCode::relativePath)));
    if (action == QLatin1String("list"))
        return args.size() > 1 ? cl.usage(QStringLiteral("list takes no TITLE"))
                               : listTitles(store);
    if (action != QLatin1String("show") && action != QLatin1String("add"))
        return cl.usage(QStringLiteral("unknown action '") % action %
                        QStringLiteral("' (list, show or add)"));
    if (args.size() != 2)
        return cl.usage(action % QStringLiteral(" takes one TITLE"));
    if (action == QLatin1String("add"))
        return addSnippet(store, args[1], readInput());
    const std::optional<int> entry = entryNumber(cl.parser().value(entryOption), entryGiven);
    return entry ? showSnippet(store, args[1], *entry)
                 : cl.usage(QStringLiteral("--entry takes a whole number from 1"));
}

} // namespace LibraryCommand
