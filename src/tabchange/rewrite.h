#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class FileSteps;

// Rewrites a program file: its head as now on disk (its first genStart lines, bytes kept),
// then the changed section, every line ended by CR LF. Nothing is written unless the file on
// disk still holds, from its line genStart on, exactly the section bytes it was read with (or
// last written with): an edit made meanwhile by another program is never overwritten.
//
// While the new file is written, the previous content stays under the backup name
// («Prog.txt» -> «Prog.Bak», «my.prog.txt» -> «my.prog.Bak») as well as under the program's own
// name, which the complete new file replaces in one step once it is synced to disk; then the
// backup goes. Whatever step fails or wherever the process stops, the program's name holds
// the whole previous or the whole new content. A backup name that is taken is never used.
namespace Rewrite {

// The file name up to and including its last dot, then "Bak"; empty when there is no dot.
QString backupName(const QString &fileName);
// The backup's path beside the program file; empty when the name has no dot.
QString backupPath(const QString &programPath);

struct Result
{
    bool written = false;     // the new content is under the program's name
    QString message;          // what to tell the user; empty after a clean rewrite
    bool fileChanged = false; // refused: the file is gone or no longer the one that was read
    QByteArray section;       // after a write, the section's bytes as now on disk
};

// readSection: the file's bytes from the "Begin Gen" line to its end, as read or as last
// written.
Result rewrite(FileSteps &files, const QString &programPath, int genStart,
               const QByteArray &readSection, const QList<QByteArray> &section);

} // namespace Rewrite
