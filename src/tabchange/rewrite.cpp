#include "rewrite.h"

#include "filesteps.h"
#include "textfile.h"

#include <QDir>
#include <QFileInfo>

namespace Rewrite {

namespace {

constexpr qsizetype chunkSize = 1 << 20;

QString crlf()
{
    return QStringLiteral("\r\n");
}

QString unchanged(const QString &program)
{
    return crlf() + program + QStringLiteral(" keeps its previous content.");
}

// True when the head on disk is still the one the section was read after: genStart lines
// without "Begin Gen", then the "Begin Gen" line.
bool sameHead(const QList<QByteArray> &lines, int genStart)
{
    if (genStart < 0 || genStart >= lines.size() || !lines.at(genStart).contains("Begin Gen"))
        return false;
    for (int i = 0; i < genStart; ++i) {
        if (lines.at(i).contains("Begin Gen"))
            return false;
    }
    return true;
}

QByteArray joined(const QList<QByteArray> &lines, qsizetype from, qsizetype to)
{
    qsizetype size = 0;
    for (qsizetype i = from; i < to; ++i)
        size += lines.at(i).size() + 2;
    QByteArray bytes;
    bytes.reserve(size);
    for (qsizetype i = from; i < to; ++i) {
        bytes += lines.at(i);
        bytes += TextFile::lineEnd;
    }
    return bytes;
}

QString writeAll(FileSteps &files, const QByteArray &bytes)
{
    for (qsizetype at = 0; at < bytes.size(); at += chunkSize) {
        const QString error = files.write(bytes.mid(at, chunkSize));
        if (!error.isEmpty())
            return error;
    }
    return {};
}

// Drops the unfinished new file and moves the previous content back under its name.
Result giveBack(FileSteps &files, const QString &program, const QString &backup,
                const QString &what)
{
    files.discard();
    const QString error = files.rename(backup, program);
    if (error.isEmpty())
        return {false, what + unchanged(program)};
    return {false, what + crlf() + QStringLiteral("The previous content of ") + program +
                       QStringLiteral(" is kept in ") + backup + QStringLiteral(" (") + error +
                       QStringLiteral(").")};
}

} // namespace

QString backupName(const QString &fileName)
{
    const qsizetype dot = fileName.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return {};
    return fileName.left(dot + 1) + QStringLiteral("Bak");
}

QString backupPath(const QString &programPath)
{
    const QFileInfo info(programPath);
    const QString name = backupName(info.fileName());
    if (name.isEmpty())
        return {};
    return QDir::toNativeSeparators(info.dir().filePath(name));
}

Result rewrite(FileSteps &files, const QString &program, int genStart,
               const QList<QByteArray> &section)
{
    const QString cannot = QStringLiteral("The TAB change could not be written to ") + program;
    const QString backup = backupPath(program);
    if (backup.isEmpty())
        return {false, cannot + QStringLiteral(": its name has no dot to form a backup name.") +
                           unchanged(program)};
    if (files.exists(backup)) {
        return {false, cannot + QStringLiteral(": the backup file ") + backup +
                           QStringLiteral(" already exists, perhaps left by an interrupted "
                                          "rewrite. Move or delete it, then confirm again.") +
                           unchanged(program)};
    }

    QByteArray previous;
    QString error = files.read(program, previous);
    if (!error.isEmpty())
        return {false, cannot + QStringLiteral(": reading it failed (") + error +
                           QStringLiteral(").") + unchanged(program)};
    const QList<QByteArray> lines = TextFile::splitLines(previous);
    if (!sameHead(lines, genStart))
        return {false,
                cannot +
                    QStringLiteral(": the file has changed since it was read. "
                                   "Pick it again to read it anew.") +
                    unchanged(program),
                true};
    const QByteArray head = joined(lines, 0, genStart);
    const QByteArray body = joined(section, 0, section.size());

    error = files.rename(program, backup);
    if (!error.isEmpty())
        return {false, cannot + QStringLiteral(": renaming it to ") + backup +
                           QStringLiteral(" failed (") + error + QStringLiteral(").") +
                           unchanged(program)};
    error = files.create(program);
    if (error.isEmpty())
        error = writeAll(files, head);
    if (error.isEmpty())
        error = writeAll(files, body);
    if (error.isEmpty())
        error = files.commit();
    if (!error.isEmpty())
        return giveBack(files, program, backup,
                        cannot + QStringLiteral(": writing it failed (") + error +
                            QStringLiteral(")."));

    error = files.remove(backup);
    if (!error.isEmpty())
        return {true, QStringLiteral("The TAB change is written to ") + program +
                          QStringLiteral(", but its backup ") + backup +
                          QStringLiteral(" could not be deleted (") + error +
                          QStringLiteral("). Delete it before the next change.")};
    return {true, {}};
}

} // namespace Rewrite
