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

QString dropped()
{
    return QStringLiteral("Nothing was written, and the TAB changes not yet written are dropped. "
                          "Pick the program file again to read it as it is now.");
}

// True when the head on disk is still the one the section was read after: genStart lines
// without "Begin Gen", then the "Begin Gen" line.
bool sameHead(const QByteArray &bytes, qsizetype sectionOffset)
{
    if (sectionOffset < 0 || sectionOffset >= bytes.size())
        return false;
    const QByteArrayView head(bytes.constData(), sectionOffset);
    if (head.indexOf("Begin Gen") >= 0)
        return false;
    qsizetype end = sectionOffset;
    while (end < bytes.size() && bytes.at(end) != '\r' && bytes.at(end) != '\n')
        ++end;
    return QByteArrayView(bytes.constData() + sectionOffset, end - sectionOffset)
               .indexOf("Begin Gen") >= 0;
}

QByteArray joined(const QList<QByteArray> &lines)
{
    qsizetype size = 0;
    for (const QByteArray &line : lines)
        size += line.size() + 2;
    QByteArray bytes;
    bytes.reserve(size);
    for (const QByteArray &line : lines) {
        bytes += line;
        bytes += TextFile::lineEnd;
    }
    return bytes;
}

// The head's lines, each ended by CR LF whatever line end it had.
QByteArray headOf(const QByteArray &bytes, qsizetype sectionOffset)
{
    return joined(TextFile::splitLines(bytes.first(sectionOffset)));
}

// Nothing written; the message says why.
Result refused(const QString &message)
{
    return {false, message, false, {}};
}

// Nothing written because the file is not the one that was read.
Result changedOnDisk(const QString &message)
{
    return {false, message, true, {}};
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

} // namespace

QString backupName(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
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
               const QByteArray &readSection, const QList<QByteArray> &section)
{
    const QString cannot = QStringLiteral("The TAB change could not be written to ") + program;
    const QString backup = backupPath(program);
    if (backup.isEmpty())
        return refused(cannot + QStringLiteral(": its name has no dot to form a backup name.") +
                       unchanged(program));

    if (!files.exists(program)) {
        return changedOnDisk(cannot +
                             QStringLiteral(": the file is no longer there. It was deleted or "
                                            "renamed since it was read. ") +
                             dropped());
    }
    QByteArray previous;
    QString error = files.read(program, previous);
    if (!error.isEmpty())
        return refused(cannot + QStringLiteral(": reading it failed (") + error +
                       QStringLiteral(").") + unchanged(program));
    const qsizetype sectionOffset = TextFile::lineOffset(previous, genStart);
    if (!sameHead(previous, sectionOffset) ||
        QByteArrayView(previous).sliced(sectionOffset) != QByteArrayView(readSection)) {
        return changedOnDisk(cannot +
                             QStringLiteral(": the file has changed since it was read, perhaps "
                                            "in another program. ") +
                             dropped() + unchanged(program));
    }
    // Never use a backup name that is taken: that file may hold the only copy of a program.
    if (files.exists(backup)) {
        return refused(cannot + QStringLiteral(": the backup file ") + backup +
                       QStringLiteral(" already exists, perhaps left by an interrupted rewrite, "
                                      "and may hold the only copy of a program. Restore it, or "
                                      "rename or move it to keep it, then confirm a TAB change "
                                      "again.") +
                       unchanged(program));
    }

    const QByteArray head = headOf(previous, sectionOffset);
    QByteArray body = joined(section);
    error = files.keep(program, backup, previous);
    if (!error.isEmpty())
        return refused(cannot + QStringLiteral(": making its backup ") + backup +
                       QStringLiteral(" failed (") + error + QStringLiteral(").") +
                       unchanged(program));
    error = files.create(program);
    if (error.isEmpty())
        error = writeAll(files, head);
    if (error.isEmpty())
        error = writeAll(files, body);
    if (error.isEmpty())
        error = files.commit();
    if (!error.isEmpty()) {
        files.discard();
        const QString what = cannot + QStringLiteral(": writing it failed (") + error +
                             QStringLiteral(").") + unchanged(program);
        // The program was never touched, so its backup is only a second copy.
        const QString kept = files.remove(backup);
        if (kept.isEmpty())
            return refused(what);
        return refused(what + crlf() + QStringLiteral("A copy of it is also in ") + backup +
                       QStringLiteral(", which could not be removed (") + kept +
                       QStringLiteral(")."));
    }

    error = files.remove(backup);
    if (!error.isEmpty())
        return {true,
                QStringLiteral("The TAB change is written to ") + program +
                    QStringLiteral(", but its backup ") + backup +
                    QStringLiteral(", which holds the content before this change, could not be "
                                   "removed (") +
                    error +
                    QStringLiteral("). While it is there, no further change of this file is "
                                   "written: rename or move it once you no longer need it."),
                false, std::move(body)};
    return {true, {}, false, std::move(body)};
}

} // namespace Rewrite
