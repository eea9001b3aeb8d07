#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

#include "filesteps.h"
#include "safereplace.h"

// The one rewrite of a user's file that Brindle makes: the file is replaced only when it still
// holds what was read, under the lock that other Brindle windows honour, with the previous
// content kept under the backup name («Prog.txt» -> «Prog.Bak») until the new content is in
// place (see SafeReplace). The outcome is a value: what happened, with the system's reason and
// the paths involved; each caller words it in its own terms.
//
// Example: «MyCode.Txt» holding «a», rewritten from «a» to «b», ends as «b» with Written; had
// another program saved «c» meanwhile, it stays «c» and the outcome is Changed.
namespace SafeRewrite {

// The file name up to and including its last dot, then "Bak"; empty when there is no dot.
QString backupName(const QString &fileName);
// The backup name of a program among the folder's file names: backupName(), unless a program
// listed before it (in the order of the names' bytes) has that backup name already, as
// «Prog.TXT» beside «Prog.txt» has; then «Prog~2.Bak», «Prog~3.Bak», ..., a name that no
// listed program has as its own backup name.
QString backupName(const QString &fileName, const QStringList &folderNames);
// The backup's path beside the file, among the files now in its folder; empty when the name
// has no dot.
QString backupPath(const QString &path);

enum class Status {
    Written,            // the new content is in place and the backup is gone
    WrittenBackupLeft,  // the new content is in place, but the backup stays (backupLeft says why)
    Gone,               // the file was deleted or renamed since it was read; nothing was written
    Changed,            // it differs from what was read; nothing was written
    ReadFailed,         // it could not be read to compare it with what was read
    Locked,             // another Brindle window kept its lock, or the lock could not be taken
    NoBackupName,       // its name has no dot to form a backup name
    BackupTaken,        // the backup name is taken, perhaps by the only copy of a file
    BackupFailed,       // making the backup failed
    RecheckFailed,      // reading it once more just before writing it in place failed
    WriteFailed,        // writing failed; the file keeps its previous content
    WriteFailedInPlace, // writing failed where the file may now be cut or gone: its previous
                        // content is in the backup (and in `elsewhere`, when that is set)
    SavedMeanwhile,     // another program saved it during the write; its save is kept, under
                        // the file's name or in `elsewhere` when it could not be put back
};

struct Outcome
{
    Status status = Status::Written;
    QString path;                      // the file, as given
    QString backup;                    // its backup's path; empty when the name has no dot
    QString reason;                    // the system's reason for a failure
    std::optional<QString> elsewhere;  // a file beside it that holds a content, as said above
    std::optional<QString> backupLeft; // why the backup could not be removed

    bool written() const
    {
        return status == Status::Written || status == Status::WrittenBackupLeft;
    }
    // The file is not what was read (gone, changed, unreadable, or saved by another program
    // during the write): changes held in memory no longer apply to it.
    bool changesDropped() const
    {
        return status == Status::Gone || status == Status::Changed ||
               status == Status::ReadFailed || status == Status::RecheckFailed ||
               status == Status::SavedMeanwhile;
    }
    // The reason, with where else the previous content is when the write left the name empty.
    QString why() const;
};

// Replaces the whole content of the file at path by `replacement` when it holds exactly
// `asRead`, compared as it is read (no buffer of its size). A file that is not there, before
// or under the lock, is Gone.
Outcome rewrite(FileSteps &files, const QString &path, QByteArrayView asRead,
                QByteArrayView replacement);

// Gives the replacement for a file whose head (the bytes before the tail) is `head`, each
// slice kept alive by the caller until rewrite() returns; nothing when the head is not one the
// replacement may follow.
using Build = std::function<std::optional<Slices>(QByteArrayView head)>;

// Replaces the file at path when it ends with exactly `tail` after a head that `build` accepts.
// The tail is compared as the file is read, and only the head is gathered into a buffer of
// its own: a large file is rewritten without a buffer of its size.
Outcome rewrite(FileSteps &files, const QString &path, QByteArrayView tail, const Build &build);

// The outcome of a replace of path with the backup backupPath.
Outcome outcomeOf(const SafeReplace::Outcome &replaced, const QString &path,
                  const QString &backupPath);

// A plain sentence for the outcome, for callers that have no wording of their own; empty for
// Written.
QString message(const Outcome &outcome);

} // namespace SafeRewrite
