#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class FileSteps;

// Backups that an interrupted rewrite may have left in the Samples folder. A rewrite keeps the
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
};

// The backups among a folder's file names, in the order given.
QList<Found> find(const QStringList &names);

// What the user is told of a backup. When the program is not there, the text ends in the
// question whether to restore it.
QString message(const Found &found);

// Whether the backup holds nothing the program does not: the same file (a second link to it)
// or the same bytes. Such a backup is removed without asking.
bool isCopy(FileSteps &files, const QString &backupPath, const QString &programPath);

// The temporaries a stopped rewrite may have left: «Prog.txt.aB3xYz» (a program's name, a
// dot and six letters or digits). Each names its program.
struct Temporary
{
    QString name;
    QString program;
};
QList<Temporary> temporaries(const QStringList &names);

// What the user is told of a temporary; the text ends in the question whether to remove it.
QString message(const Temporary &temporary);

} // namespace LeftoverBackups
