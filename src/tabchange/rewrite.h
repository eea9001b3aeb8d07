#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class FileSteps;

// Rewrites a program file: its head as now on disk (its first genStart lines, bytes kept),
// then the changed section, every line ended by CR LF. The previous content moves to the
// backup name first («Prog.txt» -> «Prog.Bak», «my.prog.txt» -> «my.Bak») and the backup is
// deleted once the new file is complete on disk. Whatever step fails, the whole previous
// content stays under the program's name (or, when even putting it back fails, under the
// backup's name, which the message then names), and nothing else is left behind.
namespace Rewrite {

// The file name up to and including its first dot, then "Bak"; empty when there is no dot.
QString backupName(const QString &fileName);
// The backup's path beside the program file; empty when the name has no dot.
QString backupPath(const QString &programPath);

struct Result
{
    bool written = false;     // the new content is under the program's name
    QString message;          // what to tell the user; empty after a clean rewrite
    bool fileChanged = false; // refused because the file is no longer the one that was read
};

Result rewrite(FileSteps &files, const QString &programPath, int genStart,
               const QList<QByteArray> &section);

} // namespace Rewrite
