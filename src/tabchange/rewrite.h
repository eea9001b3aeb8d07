#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include "filesteps.h"
#include "result.h"

// Rewrites a program file: its head as now on disk (its first genStart lines, bytes kept), then
// the changed section, every line ended by CR LF. Under the lock that other Brindle windows
// honour, the file is read and compared with the section as it was read (or last written):
// an edit made meanwhile by another program is never overwritten.
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

// The lines, each ended by CR LF, as slices: lines that lie one after another in `held`, each
// followed there by CR LF (lines of the section as read), are one slice of it.
Slices sectionSlices(const QList<QByteArray> &lines, QByteArrayView held = {});

// Writes the head as now on disk and then `section` (the new section's bytes, every line ended
// by CR LF), when the file still holds, from its line genStart on, exactly readSection: the
// section's bytes as read, or as last written. Gives what to tell the user after a write that
// left its backup, else an empty text. On a failure, `dropped` (when given) says whether the
// changes held in memory no longer apply: the file is gone, could not be read to be compared,
// or changed since it was read; the message then says that they are dropped.
Result<QString> write(FileSteps &files, const QString &programPath, int genStart,
                      QByteArrayView readSection, const Slices &section, bool *dropped = nullptr);

// Puts the whole content `restored` back in place of the program file, through the same lock,
// backup and replace as write(), when the file holds exactly `expected` (the content a TAB
// change left): undoing or redoing a written change gives the file back byte for byte.
// `changed` (when given) says that the file did not hold `expected`: it was changed, moved or
// deleted outside Brindle since, and nothing was written.
Result<QString> restore(FileSteps &files, const QString &programPath, QByteArrayView expected,
                        QByteArrayView restored, bool *changed = nullptr);

} // namespace Rewrite
