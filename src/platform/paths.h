#pragma once

#include <QString>
#include <QStringList>

// Every path is built when it is used: the process's current directory at that moment
// followed by a fixed relative part, e.g. "/Samples/MyCode.Txt" gives
// "/home/ann/work/Samples/MyCode.Txt".
namespace Paths {

QString at(const QString &relative);

// Names, without folder, of the ordinary files of the Samples folder that match "*.txt"
// in any case, in the order the directory listing returns them. A missing folder gives none.
QStringList samplePrograms();

} // namespace Paths
