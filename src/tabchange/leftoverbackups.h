#pragma once

#include <QList>
#include <QString>

#include <QStringList>
#include <optional>

#include "result.h"
#include "writejournal.h"

class FileSteps;

// What interrupted writes may have left in the Samples folder: backups, and the new files that
// Brindle notes as its own while it writes (see WriteJournal). A rewrite keeps the
// previous content of «X.txt» in «X.Bak» while it writes, so a «X.Bak» found later may be the
// only copy of a program. Example: the names «Stock.txt», «Stock.Bak», «Lost.Bak» give
// «Stock.Bak» (its program «Stock.txt» is there) and «Lost.Bak» (its program «Lost.txt» is not).
// A backup belongs to the listed program whose backup name it is, so «Prog.Bak» and
// «Prog~2.Bak» beside «Prog.txt» and «Prog.TXT» belong to one each.
namespace LeftoverBackups {

struct Found
{
    QString backup;            // the backup's file name
    QString program;           // the program name it is restored under
    bool programThere = false; // a file of that name is in the folder
    // Why the program is written over in place (further hard links...), so that a stopped
    // change may have left it cut; none when a change replaces it whole.
    std::optional<QString> writtenInPlace;
};

// The backups among a folder's file names, in the order given.
QList<Found> find(const QStringList &names);

// What the user is told of a backup, found in the folder `where` names («The Samples
// folder»). When the program is not there, the text ends in the question whether to restore
// it.
QString message(const Found &found, const QString &where = QStringLiteral("The Samples folder"));

// Whether the backup holds nothing the program does not: the same file (a second link to it)
// or the same bytes. Such a backup is removed without asking.
bool isCopy(FileSteps &files, const QString &backupPath, const QString &programPath);

// What a survey of a folder found.
struct Survey
{
    QList<Found> backups;               // backups that may be the only copy of a program
    QList<WriteJournal::Entry> written; // files stopped writes left, as Brindle noted them
};

// Looks, under the lock every writer of the folder takes, for what interrupted writes left
// in the folder: its backups (of the program named `program` alone when given), of which
// those that are mere copies are removed there and then, and the files that Brindle's note of
// its writes lists and that are still there. Fails, touching nothing, when the lock is not
// had: a write is then running, and its files are no leftovers. A file only named like one of
// Brindle's («Stock.txt.240101») is not listed.
Result<Survey> survey(FileSteps &files, const QString &folder, const QString &program = {});

// What the user is told of a file a stopped write left, by its full path. A Written file is
// Brindle's own: when `asking`, the text ends in the question whether to remove it, else it
// says that it is left as it is. A SwappedOut file may hold another program's save: the text
// says what it may hold and that it is kept.
QString message(const WriteJournal::Entry &entry, bool asking);

// Removes a file a stopped write left, under the folder's lock, when it is still noted as a
// file Brindle wrote (Written).
Result<> removeWritten(FileSteps &files, const QString &folder, const QString &path);

// Gives a backup its program's name back, under the folder's lock and never over a file.
Result<> restore(FileSteps &files, const QString &backupPath, const QString &programPath);

// One leftover as the user meets it: a text that only tells of it, or a question whose Yes
// carries out `act` (carryOut()).
struct Offer
{
    enum class Act {
        Tell,    // nothing to carry out
        Restore, // the backup of a program that is gone takes the program's name back
        Remove,  // a file Brindle noted as its own goes
    };
    Act act = Act::Tell;
    QString text = {};        // what the user is told or asked
    bool noByDefault = false; // the answer Return gives is No: a file would go
    QString path = {};        // the leftover's full path
    QString program = {};     // Restore: the program's file name, beside the backup
};

// What to tell and ask about the leftovers survey() finds in the Samples folder `folder`: its
// backups first, then the files stopped writes left, each in the order found. A backup whose
// program is gone is offered for restoring; a file Brindle noted as holding only what it
// wrote is offered for removal, No being the default; any other is only named.
Result<QList<Offer>> plan(FileSteps &files, const QString &folder);

// Carries out the offer the user said Yes to; a failure says, in the words shown, what was
// not done and that the file is left as it is.
Result<> carryOut(FileSteps &files, const QString &folder, const Offer &offer);

} // namespace LeftoverBackups
