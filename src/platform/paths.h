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

// What keeps the Samples folder from being listed in full, one sentence each: a Samples that
// is no folder or cannot be read, and file names that are not valid in the system's encoding
// (they cannot be shown or opened by name). Empty when there is nothing to say, also when
// there is no Samples folder at all.
QStringList samplesProblems();

} // namespace Paths
