#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

#include "filesteps.h"
#include "result.h"

// Replaces a file's whole content so that nothing is lost at any moment, also with other
// Brindle instances and other programs writing the same file:
//   - other Brindle instances wait on a lock for the whole compare-and-replace;
//   - the content is read under the lock and handed to `build`, which checks it and gives the
//     new content or refuses;
//   - the previous content stays under the backup name until the synced new file took the
//     file's name; then the backup goes;
//   - a link stays a link: the file it leads to is locked, read and replaced, in its folder;
//   - the new file is swapped in (in one step where the system can, else by two renames that
//     never replace) and what was swapped out is compared with what was read: a file saved
//     meanwhile by another program is swapped back and reported, never overwritten;
//   - a file whose new copy could not carry what it has (hard links, owner, extended
//     attributes) is written over in place once its backup copy is synced.
// Example: a file «a» with the build «onDisk + "b"» ends as «ab»; a build that refuses
// leaves it «a» and the refusal is the failure's reason.
namespace SafeReplace {

enum class Stage {
    None,        // the new content is in place
    Lock,        // another instance kept the lock, or the lock could not be taken
    Read,        // the file could not be read
    Refused,     // build refused the content on disk; reason is its message
    BackupTaken, // the backup name is taken
    Backup,      // making the backup failed
    Write,       // writing or putting in place the new file failed; the file is as it was,
                 // unless inPlace is set: then it may be cut or gone, and the backup holds
                 // its previous content (and `elsewhere`, when the name was left empty)
    Changed,     // another program saved the file while it was written; its save is kept,
                 // under the name, or in `elsewhere` when it could not be put back there
};

struct Outcome
{
    Stage failed = Stage::None;
    QString reason; // the system's reason, or the refusal of build
    bool inPlace = false;
    std::optional<QString> elsewhere;  // a file beside it that holds a content, as said above
    std::optional<QString> backupLeft; // why the backup could not be removed
    bool ok() const { return failed == Stage::None; }
};

using Build = std::function<Result<QByteArray>(const QByteArray &onDisk)>;

// A missing file reads as empty and is created (never over a file that appears meanwhile). An empty
// backupPath makes no backup, and a file that can only be written in place is then refused at
// Stage::Backup.
Outcome replace(FileSteps &files, const QString &path, const QString &backupPath,
                const Build &build);

// The file's content as read under the lock and the content that replaces it, each as slices
// of buffers that the caller keeps until replace() returns.
struct Contents
{
    Slices onDisk;
    Slices replacement;
};

// Reads the file under the lock (it is there when `exists`), checks it and gives the contents;
// or refuses with the message to show (Stage::Refused).
using Read = std::function<Result<Contents>(bool exists)>;

// The same replace for a large file read and compared in slices (FileSteps::scan) as it is
// read, and written from slices: no buffer of the file's size is made on the way.
Outcome replace(FileSteps &files, const QString &path, const QString &backupPath, const Read &read);

} // namespace SafeReplace
