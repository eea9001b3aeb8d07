#include "tabordercommand.h"

#include "commandline.h"
#include "diskfilesteps.h"
#include "formplace.h"
#include "leftoverbackups.h"
#include "rewrite.h"
#include "sectionreader.h"
#include "tabexchange.h"
#include "taborder.h"
#include "textfile.h"

#include <QCommandLineOption>
#include <QFileInfo>

namespace TabOrderCommand {

namespace {

// «Form1                 -1» gives «Form1»; the end entry gives nothing.
QString formName(const QString &tableEntry)
{
    if (tableEntry.startsWith(QStringLiteral("°°°°°")))
        return {};
    return tableEntry.left(tableEntry.lastIndexOf(QLatin1Char('-'))).trimmed();
}

// A program file as read: its section and the range of the chosen form.
struct Program
{
    QString path;
    int genStart = 0;
    QByteArray readSection; // the section's bytes, which the line views point into
    QList<QByteArray> lines;
    int rangeStart = 0;
    int rangeEnd = -1;
    QStringList entries; // the objects of the range in TAB order
};

// The new section replaces the old one through the rewrite: never over a change made by
// another program, never while a backup of an interrupted change is there.
Outcome write(const Program &program, const QList<QByteArray> &section)
{
    if (section == program.lines)
        return Outcome::done();
    DiskFileSteps files;
    const QString backup = Rewrite::backupPath(program.path);
    if (!backup.isEmpty() && files.exists(backup)) {
        const QFileInfo info(program.path);
        return Outcome::refused(LeftoverBackups::message(
            {Rewrite::backupName(info.fileName()), info.fileName(), true}));
    }
    const Result<QByteArray> current =
        Rewrite::current(files, program.path, program.genStart, program.readSection);
    if (!current)
        return Outcome::refused(current.message());
    const Result<Rewrite::Written> written = Rewrite::write(
        files, program.path, current.value(), program.genStart, section, program.readSection);
    if (!written)
        return Outcome::refused(written.message());
    return Outcome::done({}, written.value().warning);
}

// The name of a listed object, without the blanks that hide its block index.
QString objectName(const QString &entry)
{
    return SectionReader::entryName(entry).trimmed();
}

// The object of a name (in any letter case) not yet taken: its row, or -1.
int rowOf(const QStringList &entries, const QString &name, const QList<int> &taken)
{
    for (int row = 0; row < entries.size(); ++row) {
        if (!taken.contains(row + 1) &&
            objectName(entries[row]).compare(name, Qt::CaseInsensitive) == 0)
            return row;
    }
    return -1;
}

QString noObject(const Program &program, const QString &name)
{
    return QStringLiteral("No object ") % name % QStringLiteral(" in ") %
           QFileInfo(program.path).fileName();
}

} // namespace

Outcome run(const QStringList &arguments)
{
    CommandLine cl(
        QStringLiteral("tab-order"),
        QStringLiteral("FILE [--form NAME] (--list | --order NAME,NAME,... | --swap NAME "
                       "POSITION)"),
        QStringLiteral(
            "Lists the objects of a form of a program file saved in generated-code layout in "
            "TAB order (position, name, kind), or gives them a new TAB order and rewrites the "
            "file safely: nothing is written over a change made meanwhile by another program, "
            "the previous content is kept as Name.Bak until the new file is on disk, "
            "permissions are kept, and a Name.Bak left by an interrupted change refuses the "
            "write. --form is needed when the file has several forms."));
    QCommandLineParser &p = cl.parser();
    const QCommandLineOption form(QStringLiteral("form"), QStringLiteral("The form."),
                                  QStringLiteral("NAME"));
    const QCommandLineOption list(QStringLiteral("list"),
                                  QStringLiteral("Print the objects in TAB order."));
    const QCommandLineOption order(
        QStringLiteral("order"),
        QStringLiteral("The new order; objects not named keep their order after the named ones."),
        QStringLiteral("NAME,NAME,..."));
    const QCommandLineOption swap(
        QStringLiteral("swap"),
        QStringLiteral("Give object NAME the TAB position POSITION (the argument after FILE); "
                       "the object holding it takes NAME's."),
        QStringLiteral("NAME"));
    p.addOptions({form, list, order, swap});
    p.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The program file."));
    if (std::optional<Outcome> stop = cl.parse(arguments))
        return *stop;
    const QStringList args = p.positionalArguments();
    if (int(p.isSet(list)) + int(p.isSet(order)) + int(p.isSet(swap)) != 1)
        return cl.usage(QStringLiteral("give one of --list, --order or --swap"));
    if (args.isEmpty())
        return cl.usage(QStringLiteral("FILE is missing"));
    if (args.size() != (p.isSet(swap) ? 2 : 1))
        return cl.usage(p.isSet(swap) ? QStringLiteral("--swap NAME takes a POSITION")
                                      : QStringLiteral("too many arguments"));

    Program program;
    program.path = QFileInfo(args[0]).absoluteFilePath();
    const Result<QByteArray> file = TextFile::readBytes(program.path);
    if (!file)
        return Outcome::refused(SectionReader::unreadableMessage(program.path, file.message()));
    Result<SectionReader::Section> read = SectionReader::parse(file.value());
    if (!read)
        return Outcome::refused(read.message());
    program.genStart = read.value().genStart;
    program.readSection = read.value().bytes;
    program.lines = SectionReader::lineViews(program.readSection);
    const int lastIndex = int(program.lines.size()) - 1;

    const QStringList table = SectionReader::formTable(program.lines);
    QStringList forms;
    for (const QString &entry : table) {
        if (!formName(entry).isEmpty())
            forms += formName(entry);
    }
    if (table.size() <= 2 && !p.isSet(form)) {
        // One form (or none): the whole section, as the window lists it.
        program.rangeEnd = lastIndex;
    } else {
        if (!p.isSet(form))
            return cl.usage(QStringLiteral("the file has several forms: give --form (") %
                            forms.join(QStringLiteral(", ")) % QLatin1Char(')'));
        int k = 0;
        while (k < table.size() &&
               formName(table[k]).compare(p.value(form), Qt::CaseInsensitive) != 0)
            ++k;
        if (k == table.size())
            return Outcome::refused(QStringLiteral("No form ") % p.value(form) %
                                    QStringLiteral(" in ") % QFileInfo(program.path).fileName());
        const SectionReader::Range range = SectionReader::formRange(table, k, lastIndex);
        program.rangeStart = range.start;
        program.rangeEnd = range.end;
    }
    program.entries =
        SectionReader::listObjects(program.lines, program.rangeStart, program.rangeEnd).entries;
    const int count = int(program.entries.size());

    if (p.isSet(list)) {
        const QList<FormPlace::Object> objects =
            FormPlace::objects(program.lines, program.rangeStart, program.rangeEnd);
        QByteArray out;
        for (int row = 0; row < count; ++row) {
            const QString kind = row < objects.size() ? objects[row].opening.kind : QString();
            out += (SectionReader::entryOrdinal(program.entries[row]) % QLatin1Char('\t') %
                    objectName(program.entries[row]) % QLatin1Char('\t') %
                    (kind.isEmpty() ? QStringLiteral("-") : kind))
                       .toLocal8Bit() +
                   '\n';
        }
        return Outcome::done(out);
    }

    if (p.isSet(swap)) {
        const int row = rowOf(program.entries, p.value(swap), {});
        if (row < 0)
            return Outcome::refused(noObject(program, p.value(swap)));
        bool ok = false;
        const int newTab = args[1].toInt(&ok);
        if (!ok || newTab < 1 || newTab > count)
            return cl.usage(QStringLiteral("POSITION is a whole number from 1 to ") %
                            QString::number(count));
        const QString &entry = program.entries[row];
        const int selBlock = SectionReader::entryIndex(entry);
        const int oldTab = SectionReader::entryOrdinal(entry).toInt();
        const int targetBlock = SectionReader::entryIndex(program.entries[newTab - 1]);
        const Result<TabExchange::Prepared> prepared =
            TabExchange::prepare(program.lines, selBlock, oldTab, targetBlock, newTab);
        if (!prepared)
            return Outcome::refused(prepared.message());
        return write(program, TabExchange::exchange(program.lines, selBlock, prepared.value().moved,
                                                    targetBlock, prepared.value().target));
    }

    QList<int> picked;
    for (const QString &raw : p.value(order).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString name = raw.trimmed();
        const int row = rowOf(program.entries, name, picked);
        if (row >= 0) {
            picked.append(row + 1);
            continue;
        }
        if (rowOf(program.entries, name, {}) >= 0)
            return cl.usage(name % QStringLiteral(" is given more than once"));
        return Outcome::refused(noObject(program, name));
    }
    const Result<QList<QByteArray>> reordered = TabOrder::reorder(
        program.lines, program.rangeStart, program.rangeEnd, TabOrder::complete(picked, count));
    if (!reordered)
        return Outcome::refused(reordered.message());
    return write(program, reordered.value());
}

} // namespace TabOrderCommand
