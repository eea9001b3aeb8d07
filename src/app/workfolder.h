#pragma once

#include "result.h"

#include <QString>

// The working folder of a user who starts Brindle from the desktop menu. The first start makes
// it from the installed data folder: Samples/ gets copies of the installed samples, which are the
// user's own files from then on, and Tools/ gets links to the installed documents, so that an
// update of the package reaches them. A folder that already exists is used as it is.
// E.g. prepare("/home/ann/Brindle", "/usr/share/brindle") makes /home/ann/Brindle/Samples/Stock.txt
// (a copy) and /home/ann/Brindle/Tools/ReferenceCard.pdf (a link to
// /usr/share/brindle/Tools/ReferenceCard.pdf).
namespace WorkFolder {

// Makes the folder ready, or says what is wrong. The new folder is assembled under a temporary
// name and renamed when complete, so a failure leaves nothing behind.
Result<> prepare(const QString &folder, const QString &dataDir);

} // namespace WorkFolder
