#include "tabordercommand.h"

#include "commandline.h"
#include "diskfilesteps.h"
#include "formplace.h"
#include "leftoverbackups.h"
#include "taborder.h"
#include "tabsession.h"

#include <QCommandLineOption>
#include <QDir>
#include <QFileInfo>

namespace TabOrderCommand {

namespace {

// What interrupted writes left beside the file, one text each, as the window names them but
// asking nothing: its backup, and the files Brindle noted as its own or as swapped out. A
// backup refuses a write while it is there, its name being taken; the noted files are in no
// write's way, since a write makes its files under free names, so they are named and left as
// they are. A backup that is a mere copy of the file is removed, as the window removes it.
// All is looked for under the lock writers take, so nothing of a running write is named.
QString leftoversBeside(FileSteps &files, const QString &path)
{
    const QFileInfo info(path);
    const Result<LeftoverBackups::Survey> found =
        LeftoverBackups::survey(files, info.absolutePath(), info.fileName());
    if (!found)
        return {};
    QStringList texts;
    for (const LeftoverBackups::Found &backup : found.value().backups)
        texts << LeftoverBackups::message(
            backup, QStringLiteral("The folder ") + QDir::toNativeSeparators(info.absolutePath()));
    for (const WriteJournal::Entry &entry : found.value().written)
        texts << LeftoverBackups::message(entry, false);
    return texts.join(QStringLiteral("\r\n"));
}

// The outcome, then what was left beside the file: its own message stays the first line.
Outcome withLeftovers(Outcome outcome, const QString &leftovers)
{
    if (!leftovers.isEmpty())
        outcome.err =
            outcome.err.isEmpty() ? leftovers : outcome.err + QStringLiteral("\r\n") + leftovers;
    return outcome;
}

// The changes held by the session go to the file through its safe rewrite: never over a
// change made by another program, never while a backup of an interrupted change is there. The
// backup is looked for under the rewrite's lock, where no other Brindle is half-way through a
// write of its own, so a refusal names a real leftover. What interrupted writes left beside
// the file is looked for first, and named after the outcome.
Outcome write(FileSteps &files, TabSession &session)
{
    const QString leftovers = leftoversBeside(files, session.path());
    if (!session.hasPending())
        return withLeftovers(Outcome::done(), leftovers);
    const Result<QString> written = session.commit();
    if (!written)
        return withLeftovers(Outcome::refused(written.message()), leftovers);
    return withLeftovers(Outcome::done({}, written.value()), leftovers);
}

// The name of a listed object, without the blanks around it.
QString objectName(const SectionReader::Object &object)
{
    return object.name.trimmed();
}

// The object of a name (in any letter case) not yet taken: its row, or -1.
int rowOf(const QList<SectionReader::Object> &objects, const QString &name, const QList<int> &taken)
{
    for (int row = 0; row < objects.size(); ++row) {
        if (!taken.contains(row + 1) &&
            objectName(objects[row]).compare(name, Qt::CaseInsensitive) == 0)
            return row;
    }
    return -1;
}

QString noObject(const TabSession &session, const QString &name)
{
    return QStringLiteral("No object ") % name % QStringLiteral(" in ") %
           QFileInfo(session.path()).fileName();
}

// The command's options: one of the actions, and the form.
struct Options
{
    const QCommandLineOption form{QStringLiteral("form"), QStringLiteral("The form."),
                                  QStringLiteral("NAME")};
    const QCommandLineOption list{QStringLiteral("list"),
                                  QStringLiteral("Print the objects in TAB order.")};
    const QCommandLineOption order{
        QStringLiteral("order"),
        QStringLiteral("The new order; objects not named keep their order after the named ones."),
        QStringLiteral("NAME,NAME,...")};
    const QCommandLineOption swap{
        QStringLiteral("swap"),
        QStringLiteral("Give object NAME the TAB position POSITION (the argument after FILE); "
                       "the object holding it takes NAME's."),
        QStringLiteral("NAME")};
    const QCommandLineOption byPosition{
        QStringLiteral("by-position"),
        QStringLiteral("Order the objects by their places on the form: in rows from top to "
                       "bottom, left to right in each row; objects without a place keep their "
                       "order after the placed ones.")};
    const QCommandLineOption forms{QStringLiteral("forms"),
                                   QStringLiteral("Print the names of the file's forms.")};
};

// What the command's help says it does.
QString description()
{
    return QStringLiteral(
        "Lists the objects of a form of a program file saved in generated-code layout in TAB "
        "order (position, name, kind), or gives them a new TAB order and rewrites the file "
        "safely: nothing is written over a change made meanwhile by another program, the "
        "previous content is kept as Name.Bak until the new file is on disk, permissions are "
        "kept, and a Name.Bak left by an interrupted change refuses the write. What interrupted "
        "writes left beside the file is named on standard error. --form is needed when the "
        "file has several forms.");
}

// Bad usage: not one action, or not the arguments it takes.
std::optional<Outcome> misuse(CommandLine &cl, const Options &o)
{
    const QCommandLineParser &p = cl.parser();
    const QStringList args = p.positionalArguments();
    if (int(p.isSet(o.list)) + int(p.isSet(o.order)) + int(p.isSet(o.swap)) +
            int(p.isSet(o.byPosition)) + int(p.isSet(o.forms)) !=
        1)
        return cl.usage(
            QStringLiteral("give one of --list, --order, --swap, --by-position or --forms"));
    if (args.isEmpty())
        return cl.usage(QStringLiteral("FILE is missing"));
    if (args.size() != (p.isSet(o.swap) ? 2 : 1))
        return cl.usage(p.isSet(o.swap) ? QStringLiteral("--swap NAME takes a POSITION")
                                        : QStringLiteral("too many arguments"));
    return std::nullopt;
}

// The names of the file's forms, in the order of the form table.
QStringList formNames(const TabSession &session)
{
    QStringList forms;
    for (const SectionReader::Form &f : session.forms()) {
        if (!f.isEnd)
            forms += f.name;
    }
    return forms;
}

// Lists the objects of the form named `name` (in any letter case); with no name given, the
// file must have only one form.
std::optional<Outcome> chooseForm(const CommandLine &cl, TabSession &session,
                                  const std::optional<QString> &name)
{
    if (!name) {
        if (!session.needsForm())
            return std::nullopt;
        return cl.usage(QStringLiteral("the file has several forms: give --form (") %
                        formNames(session).join(QStringLiteral(", ")) % QLatin1Char(')'));
    }
    int k = 0;
    const QList<SectionReader::Form> &table = session.forms();
    while (k < table.size() &&
           (table[k].isEnd || table[k].name.compare(*name, Qt::CaseInsensitive) != 0))
        ++k;
    if (k == table.size())
        return Outcome::refused(QStringLiteral("No form ") % *name % QStringLiteral(" in ") %
                                QFileInfo(session.path()).fileName());
    (void)session.chooseForm(k);
    return std::nullopt;
}

// One line per object: its position, its name and its kind ("-" when none is given).
QByteArray listing(const TabSession &session)
{
    const QList<SectionReader::Object> &objects = session.objects();
    const QList<FormPlace::Object> places =
        FormPlace::objects(session.lines(), session.range().start, session.range().end);
    QByteArray out;
    for (int row = 0; row < objects.size(); ++row) {
        const QString kind = row < places.size() ? places[row].opening.kind : QString();
        out +=
            (QString::number(objects[row].ordinal) % QLatin1Char('\t') % objectName(objects[row]) %
             QLatin1Char('\t') % (kind.isEmpty() ? QStringLiteral("-") : kind))
                .toLocal8Bit() +
            '\n';
    }
    return out;
}

// Gives object `name` the TAB position `position`, and writes the file.
Outcome swapObject(const CommandLine &cl, FileSteps &files, TabSession &session,
                   const QString &name, const QString &position)
{
    const int row = rowOf(session.objects(), name, {});
    if (row < 0)
        return Outcome::refused(noObject(session, name));
    const int count = int(session.objects().size());
    bool ok = false;
    const int newTab = position.toInt(&ok);
    if (!ok || newTab < 1 || newTab > count)
        return cl.usage(QStringLiteral("POSITION is a whole number from 1 to ") %
                        QString::number(count));
    (void)session.select(row);
    if (const Result<TabSession::Change> exchanged = session.exchange(newTab); !exchanged)
        return Outcome::refused(exchanged.message());
    return write(files, session);
}

// Gives the objects the order `order`, and writes the file.
Outcome reorderTo(FileSteps &files, TabSession &session, const QList<int> &order)
{
    if (const Result<> reordered = session.reorder(order); !reordered)
        return Outcome::refused(reordered.message());
    return write(files, session);
}

// The objects named, in any letter case, first in the order given; the others after them.
Outcome orderObjects(const CommandLine &cl, FileSteps &files, TabSession &session,
                     const QString &names)
{
    const QList<SectionReader::Object> &objects = session.objects();
    QList<int> picked;
    for (const QString &raw : names.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString name = raw.trimmed();
        const int row = rowOf(objects, name, picked);
        if (row >= 0) {
            picked.append(row + 1);
            continue;
        }
        if (rowOf(objects, name, {}) >= 0)
            return cl.usage(name % QStringLiteral(" is given more than once"));
        return Outcome::refused(noObject(session, name));
    }
    return reorderTo(files, session, TabOrder::complete(picked, int(objects.size())));
}

} // namespace

Outcome run(const QStringList &arguments)
{
    const Options o;
    CommandLine cl(
        QStringLiteral("tab-order"),
        QStringLiteral("FILE [--form NAME] (--list | --order NAME,NAME,... | --swap NAME "
                       "POSITION | --by-position | --forms)"),
        description());
    cl.parser().addOptions({o.form, o.list, o.order, o.swap, o.byPosition, o.forms});
    cl.parser().addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The program file."));
    if (std::optional<Outcome> stop = cl.parse(arguments))
        return *stop;
    if (std::optional<Outcome> wrong = misuse(cl, o))
        return *wrong;
    const QCommandLineParser &p = cl.parser();
    const QStringList args = p.positionalArguments();

    DiskFileSteps files;
    TabSession session(files);
    if (const auto failed = session.pick(QFileInfo(args[0]).absoluteFilePath()))
        return Outcome::refused(failed->message);
    if (p.isSet(o.forms)) {
        const QStringList forms = formNames(session);
        return Outcome::done(forms.isEmpty() ? QByteArray()
                                             : forms.join(QLatin1Char('\n')).toLocal8Bit() + '\n');
    }
    const std::optional<QString> form =
        p.isSet(o.form) ? std::optional<QString>(p.value(o.form)) : std::nullopt;
    if (std::optional<Outcome> unchosen = chooseForm(cl, session, form))
        return *unchosen;
    if (p.isSet(o.list))
        return withLeftovers(Outcome::done(listing(session)),
                             leftoversBeside(files, session.path()));
    if (p.isSet(o.swap))
        return swapObject(cl, files, session, p.value(o.swap), args[1]);
    if (p.isSet(o.byPosition))
        return reorderTo(files, session, session.positionOrder());
    return orderObjects(cl, files, session, p.value(o.order));
}

} // namespace TabOrderCommand
