#include "leftoverbackups.h"

#include "filesteps.h"
#include "saferewrite.h"

#include <QDir>
#include <QFileInfo>

namespace LeftoverBackups {

namespace {

const QString suffix = QStringLiteral(".Bak");

struct Unlock
{
    FileSteps &files;
    ~Unlock() { files.unlock(); }
};

} // namespace

QList<Found> find(const QStringList &names)
{
    QList<Found> found;
    for (const QString &name : names) {
        if (!name.endsWith(suffix) || name.size() == suffix.size())
            continue;
        // The listed program whose backup name this is; else the name it would have.
        QString program;
        for (const QString &candidate : names) {
            if (candidate.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive) &&
                SafeRewrite::backupName(candidate, names) == name) {
                program = candidate;
                break;
            }
        }
        if (!program.isEmpty()) {
            found.append({name, program, true, {}});
            continue;
        }
        program = name.chopped(suffix.size()) + QStringLiteral(".txt");
        found.append({name, program, names.contains(program), {}});
    }
    return found;
}

QString message(const Found &found, const QString &where)
{
    const QString head = where + QStringLiteral(" holds the backup file ") + found.backup +
                         QStringLiteral(", left by a TAB change that was interrupted.\r\n");
    if (!found.programThere) {
        return head + QStringLiteral("It may be the only copy of the program ") + found.program +
               QStringLiteral(", which is not in the folder.\r\n\r\nRestore it now as ") +
               found.program +
               QStringLiteral("?\r\n(No leaves it as it is; you can also rename it to ") +
               found.program + QStringLiteral(" yourself.)");
    }
    // A program written over in place may be cut where the change was stopped.
    const QString cut =
        !found.writtenInPlace
            ? QString()
            : found.program + QStringLiteral(" is written over in place (") +
                  *found.writtenInPlace +
                  QStringLiteral("), so the interrupted change may have left it cut.\r\n");
    return head + cut + QStringLiteral("It holds the content that ") + found.program +
           QStringLiteral(" had before that change, and may be its only copy.\r\n"
                          "To get that content back, rename ") +
           found.program + QStringLiteral(" to keep it, then rename ") + found.backup +
           QStringLiteral(" to ") + found.program +
           QStringLiteral(". TAB changes of that program are not written while ") + found.backup +
           QStringLiteral(" is there.");
}

bool isCopy(FileSteps &files, const QString &backupPath, const QString &programPath)
{
    if (!files.exists(programPath) || !files.exists(backupPath))
        return false;
    if (files.sameFile(backupPath, programPath))
        return true;
    if (QFileInfo(backupPath).size() != QFileInfo(programPath).size())
        return false;
    const Result<QByteArray> backup = files.read(backupPath);
    const Result<QByteArray> program = files.read(programPath);
    return backup && program && backup.value() == program.value();
}

Result<Survey> survey(FileSteps &files, const QString &folder, const QString &program)
{
    const Result<> locked = files.lock(WriteJournal::pathIn(folder));
    if (!locked)
        return Result<Survey>::failure(locked.message());
    const Unlock unlock{files};
    // Listed under the lock: no name of a write that is running, none that it took away.
    QDir dir(folder);
    dir.setFilter(QDir::Files | QDir::Hidden);
    dir.setSorting(QDir::Unsorted);
    Survey found;
    for (const Found &backup : find(dir.entryList())) {
        if (!program.isEmpty() && backup.program != program)
            continue;
        const QString backupPath = QDir::toNativeSeparators(dir.filePath(backup.backup));
        if (backup.programThere &&
            isCopy(files, backupPath, QDir::toNativeSeparators(dir.filePath(backup.program))) &&
            files.remove(backupPath))
            continue;
        Found left = backup;
        if (left.programThere)
            left.writtenInPlace =
                files.keepsOnlyInPlace(QDir::toNativeSeparators(dir.filePath(backup.program)));
        found.backups.append(left);
    }
    WriteJournal::tidy(folder);
    for (const WriteJournal::Entry &entry : WriteJournal::entries(folder)) {
        if (files.exists(entry.path))
            found.written.append(entry);
    }
    return found;
}

QString message(const WriteJournal::Entry &entry, bool asking)
{
    if (entry.holds == WriteJournal::Holds::SwappedOut)
        return QStringLiteral("The file ") + entry.path +
               QStringLiteral(" holds what was under the name ") + entry.forPath +
               QStringLiteral(" when Brindle put its new content there: what another program "
                              "saved as ") +
               entry.forPath +
               QStringLiteral(" while Brindle was writing it, or the content it had just "
                              "before. It may be the only copy of that save, so Brindle does "
                              "not remove it. Compare it with ") +
               entry.forPath + QStringLiteral(", keep what you need, then rename or remove ") +
               entry.path + QStringLiteral(" yourself.");
    const QString what = QStringLiteral("The file ") + entry.path +
                         QStringLiteral(" was left by a write that was stopped: Brindle was "
                                        "writing it to take the name ") +
                         entry.forPath +
                         QStringLiteral(", and noted it as its own when it made it. It holds "
                                        "only what Brindle wrote, and ") +
                         entry.forPath + QStringLiteral(" does not need it.");
    if (!asking)
        return what + QStringLiteral(" It is left as it is: remove it once you no longer need it.");
    return what + QStringLiteral("\r\n\r\nRemove ") + entry.path +
           QStringLiteral(" now?\r\n(No leaves it as it is.)");
}

Result<> removeWritten(FileSteps &files, const QString &folder, const QString &path)
{
    const Result<> locked = files.lock(WriteJournal::pathIn(folder));
    if (!locked)
        return locked;
    const Unlock unlock{files};
    const QString wanted = QDir::cleanPath(QDir::fromNativeSeparators(path));
    for (const WriteJournal::Entry &entry : WriteJournal::entries(folder)) {
        if (entry.holds == WriteJournal::Holds::Written &&
            QDir::cleanPath(QDir::fromNativeSeparators(entry.path)) == wanted)
            return files.remove(path);
    }
    return Result<>::failure(QStringLiteral("it is no longer noted as a file Brindle wrote"));
}

Result<> restore(FileSteps &files, const QString &backupPath, const QString &programPath)
{
    const Result<> locked = files.lock(programPath);
    if (!locked)
        return locked;
    const Unlock unlock{files};
    return files.rename(backupPath, programPath);
}

namespace {

Offer offerOf(const Found &found, const QDir &dir)
{
    if (found.programThere)
        return {.act = Offer::Act::Tell, .text = message(found)};
    return {.act = Offer::Act::Restore,
            .text = message(found),
            .path = QDir::toNativeSeparators(dir.filePath(found.backup)),
            .program = found.program};
}

// Only a file Brindle noted as holding nothing but what it wrote is offered for removal, and
// No is the answer Return gives; any other is named and kept.
Offer offerOf(const WriteJournal::Entry &entry)
{
    if (entry.holds != WriteJournal::Holds::Written)
        return {.act = Offer::Act::Tell, .text = message(entry, false)};
    return {.act = Offer::Act::Remove,
            .text = message(entry, true),
            .noByDefault = true,
            .path = entry.path};
}

} // namespace

Result<QList<Offer>> plan(FileSteps &files, const QString &folder)
{
    const Result<Survey> left = survey(files, folder);
    if (!left)
        return Result<QList<Offer>>::failure(left.message());
    const QDir dir(folder);
    QList<Offer> offers;
    for (const Found &found : left.value().backups)
        offers.append(offerOf(found, dir));
    for (const WriteJournal::Entry &entry : left.value().written)
        offers.append(offerOf(entry));
    return offers;
}

Result<> carryOut(FileSteps &files, const QString &folder, const Offer &offer)
{
    if (offer.act == Offer::Act::Restore) {
        const Result<> restored = restore(
            files, offer.path, QDir::toNativeSeparators(QDir(folder).filePath(offer.program)));
        if (!restored)
            return Result<>::failure(QFileInfo(offer.path).fileName() +
                                     QStringLiteral(" could not be restored as ") + offer.program +
                                     QStringLiteral(" (") + restored.message() +
                                     QStringLiteral("). It is left as it is."));
    } else if (offer.act == Offer::Act::Remove) {
        const Result<> removed = removeWritten(files, folder, offer.path);
        if (!removed)
            return Result<>::failure(offer.path + QStringLiteral(" could not be removed (") +
                                     removed.message() + QStringLiteral("). It is left as it is."));
    }
    return {};
}

} // namespace LeftoverBackups
