#include "leftoverbackups.h"

namespace LeftoverBackups {

namespace {
const QString suffix = QStringLiteral(".Bak");
}

QList<Found> find(const QStringList &names)
{
    QList<Found> found;
    for (const QString &name : names) {
        if (!name.endsWith(suffix) || name.size() == suffix.size())
            continue;
        const QString program = name.chopped(suffix.size()) + QStringLiteral(".txt");
        const bool there = names.contains(program, Qt::CaseInsensitive);
        found.append({name, program, there});
    }
    return found;
}

QString message(const Found &found)
{
    const QString head = QStringLiteral("The Samples folder holds the backup file ") +
                         found.backup +
                         QStringLiteral(", left by a TAB change that was interrupted.\r\n");
    if (!found.programThere) {
        return head + QStringLiteral("It may be the only copy of the program ") + found.program +
               QStringLiteral(", which is not in the folder.\r\n\r\nRestore it now as ") +
               found.program +
               QStringLiteral("?\r\n(No leaves it as it is; you can also rename it to ") +
               found.program + QStringLiteral(" yourself.)");
    }
    return head + QStringLiteral("It holds the content that ") + found.program +
           QStringLiteral(" had before that change, and may be its only copy.\r\n"
                          "To get that content back, rename ") +
           found.program + QStringLiteral(" to keep it, then rename ") + found.backup +
           QStringLiteral(" to ") + found.program +
           QStringLiteral(". TAB changes of that program are not written while ") + found.backup +
           QStringLiteral(" is there.");
}

} // namespace LeftoverBackups
