#include "leftoverbackups.h"

#include "filesteps.h"
#include "rewrite.h"

#include <QFileInfo>
#include <QRegularExpression>

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
        // The listed program whose backup name this is; else the name it would have.
        QString program;
        for (const QString &candidate : names) {
            if (candidate.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive) &&
                Rewrite::backupName(candidate, names) == name) {
                program = candidate;
                break;
            }
        }
        if (!program.isEmpty()) {
            found.append({name, program, true});
            continue;
        }
        program = name.chopped(suffix.size()) + QStringLiteral(".txt");
        found.append({name, program, names.contains(program)});
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

bool isCopy(FileSteps &files, const QString &backupPath, const QString &programPath)
{
    if (!files.exists(programPath) || !files.exists(backupPath))
        return false;
    if (files.sameFile(backupPath, programPath))
        return true;
    if (QFileInfo(backupPath).size() != QFileInfo(programPath).size())
        return false;
    const Result<QByteArray> backup = files.read(backupPath);
    const Result<QByteArray> program = files.read(programPath);
    return backup && program && backup.value() == program.value();
}

QList<Temporary> temporaries(const QStringList &names)
{
    static const QRegularExpression pattern(QStringLiteral("^(.+\\.txt)\\.[A-Za-z0-9]{6}$"),
                                            QRegularExpression::CaseInsensitiveOption);
    QList<Temporary> found;
    for (const QString &name : names) {
        const QRegularExpressionMatch match = pattern.match(name);
        if (match.hasMatch())
            found.append({name, match.captured(1)});
    }
    return found;
}

QString message(const Temporary &temporary)
{
    return QStringLiteral("The Samples folder holds the file ") + temporary.name +
           QStringLiteral(", which looks like the new content of ") + temporary.program +
           QStringLiteral(" being written when Brindle was stopped. ") + temporary.program +
           QStringLiteral(" itself holds its whole content from before or after that "
                          "write.\r\n\r\nRemove ") +
           temporary.name +
           QStringLiteral(" now?\r\n(No leaves it as it is; it is not listed as a program.)");
}

} // namespace LeftoverBackups
