#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Backups that an interrupted rewrite may have left in the Samples folder. A rewrite keeps the
// previous content of «X.txt» in «X.Bak» while it writes, so a «X.Bak» found later may be the
// only copy of a program. Example: the names «Stock.txt», «Stock.Bak», «Lost.Bak» give
// «Stock.Bak» (its program «Stock.txt» is there) and «Lost.Bak» (its program «Lost.txt» is not).
namespace LeftoverBackups {

struct Found
{
    QString backup;            // the backup's file name
    QString program;           // the program name it is restored under
    bool programThere = false; // a file of that name, in any case, is in the folder
};

// The backups among a folder's file names, in the order given.
QList<Found> find(const QStringList &names);

// What the user is told of a backup. When the program is not there, the text ends in the
// question whether to restore it.
QString message(const Found &found);

} // namespace LeftoverBackups
