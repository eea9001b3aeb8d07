#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include "result.h"

class FileSteps;

// Rewrites a program file: its head as now on disk (its first genStart lines, bytes kept),
// then the changed section, every line ended by CR LF. The caller first asks current() for
// the file as it is now: an edit made meanwhile by another program is never overwritten.
//
// While the new file is written, the previous content stays under the backup name
// («Prog.txt» -> «Prog.Bak», «my.prog.txt» -> «my.prog.Bak») as well as under the program's own
// name, which the complete new file replaces in one step once it is synced to disk; then the
// backup goes. Whatever step fails or wherever the process stops, the program's name holds
// the whole previous or the whole new content. A backup name that is taken is never used.
namespace Rewrite {

// The file name up to and including its last dot, then "Bak"; empty when there is no dot.
QString backupName(const QString &fileName);
// The backup name of a program among the folder's file names: backupName(), unless a program
// listed before it (in the order of the names' bytes) has that backup name already, as
// «Prog.TXT» beside «Prog.txt» has; then «Prog~2.Bak», «Prog~3.Bak», ..., a name that no
// listed program has as its own backup name.
QString backupName(const QString &fileName, const QStringList &folderNames);
// The backup's path beside the program file, among the files now in its folder; empty when
// the name has no dot.
QString backupPath(const QString &programPath);

// The file's bytes as now on disk, when it still holds, from its line genStart on, exactly the
// section bytes it was read with (or last written with): readSection. Else a failure saying
// that it changed, is gone or cannot be read, and that the changes held in memory are dropped.
Result<QByteArray> current(FileSteps &files, const QString &programPath, int genStart,
                           const QByteArray &readSection);

struct Written
{
    QByteArray section; // the section's bytes as now on disk
    QString warning;    // what to tell the user after a write that left its backup; else empty
};

// Writes the head of `current` (the bytes current() gave) and the section. Lines that lie one
// after another in `held`, each followed there by CR LF (lines of the section as read), are
// written as one slice of it.
Result<Written> write(FileSteps &files, const QString &programPath, const QByteArray &current,
                      int genStart, const QList<QByteArray> &section, QByteArrayView held = {});

} // namespace Rewrite
