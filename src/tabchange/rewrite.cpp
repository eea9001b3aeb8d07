#include "rewrite.h"

#include "filesteps.h"
#include "safereplace.h"
#include "textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <cstring>

namespace Rewrite {

namespace {

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

// Whether line lies inside held with CR LF right after it.
bool heldWithCrLf(const QByteArray &line, QByteArrayView held)
{
    const auto at = quintptr(line.constData());
    const auto begin = quintptr(held.data());
    if (held.isEmpty() || at < begin ||
        at + quintptr(line.size()) + 2 > begin + quintptr(held.size()))
        return false;
    return std::memcmp(line.constData() + line.size(), "\r\n", 2) == 0;
}

// The lines, each ended by CR LF. Lines that follow one another in held, each ended there by
// CR LF, are copied as one slice of it.
QByteArray joined(const QList<QByteArray> &lines, QByteArrayView held = {})
{
    qsizetype size = 0;
    for (const QByteArray &line : lines)
        size += line.size() + 2;
    QByteArray bytes;
    bytes.reserve(size);
    qsizetype i = 0;
    while (i < lines.size()) {
        const QByteArray &first = lines.at(i++);
        if (!heldWithCrLf(first, held)) {
            bytes += first;
            bytes += TextFile::lineEnd;
            continue;
        }
        const char *end = first.constData() + first.size() + 2;
        while (i < lines.size() && lines.at(i).constData() == end &&
               heldWithCrLf(lines.at(i), held))
            end += lines.at(i++).size() + 2;
        bytes.append(first.constData(), end - first.constData());
    }
    return bytes;
}

// The head's lines, each ended by CR LF whatever line end it had.
QByteArray headOf(const QByteArray &bytes, qsizetype sectionOffset)
{
    return joined(TextFile::splitLines(bytes.first(sectionOffset)));
}

} // namespace

QString backupName(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return {};
    return fileName.left(dot + 1) + QStringLiteral("Bak");
}

QString backupName(const QString &fileName, const QStringList &folderNames)
{
    const QString plain = backupName(fileName);
    if (plain.isEmpty())
        return {};
    QStringList programs;
    for (const QString &name : folderNames) {
        if (name.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive))
            programs.append(name);
    }
    if (!programs.contains(fileName))
        programs.append(fileName);
    std::sort(programs.begin(), programs.end());
    QStringList sharing;
    QSet<QString> plainNames;
    for (const QString &name : std::as_const(programs)) {
        plainNames.insert(backupName(name));
        if (backupName(name) == plain)
            sharing.append(name);
    }
    const qsizetype rank = sharing.indexOf(fileName);
    if (rank <= 0)
        return plain;
    // The k-th program of one backup name takes the k-th free numbered name.
    const QString stem = plain.chopped(4);
    qsizetype found = 0;
    for (int n = 2;; ++n) {
        const QString candidate =
            stem + QStringLiteral("~") + QString::number(n) + QStringLiteral(".Bak");
        if (plainNames.contains(candidate))
            continue;
        if (++found == rank)
            return candidate;
    }
}

QString backupPath(const QString &programPath)
{
    const QFileInfo info(programPath);
    const QString name = backupName(info.fileName(), info.dir().entryList(QDir::Files));
    if (name.isEmpty())
        return {};
    return QDir::toNativeSeparators(info.dir().filePath(name));
}

Result<QByteArray> current(FileSteps &files, const QString &program, int genStart,
                           const QByteArray &readSection)
{
    const QString cannot = QStringLiteral("The TAB change could not be written to ") + program;
    const auto refused = [&](const QString &why) {
        return Result<QByteArray>::failure(cannot + why + dropped() + unchanged(program));
    };
    if (!files.exists(program)) {
        return Result<QByteArray>::failure(
            cannot +
            QStringLiteral(": the file is no longer there. It was deleted or renamed since it "
                           "was read. ") +
            dropped());
    }
    Result<QByteArray> previous = files.read(program);
    if (!previous)
        return refused(QStringLiteral(": reading it to compare it with what was read failed (") +
                       previous.message() + QStringLiteral("). "));
    const qsizetype sectionOffset = TextFile::lineOffset(previous.value(), genStart);
    if (!sameHead(previous.value(), sectionOffset) ||
        QByteArrayView(previous.value()).sliced(sectionOffset) != QByteArrayView(readSection))
        return refused(QStringLiteral(": the file has changed since it was read, perhaps in "
                                      "another program. "));
    return previous;
}

Result<Written> write(FileSteps &files, const QString &program, const QByteArray &current,
                      int genStart, const QList<QByteArray> &section, QByteArrayView held)
{
    const QString cannot = QStringLiteral("The TAB change could not be written to ") + program;
    const auto refused = [&](const QString &why) {
        return Result<Written>::failure(cannot + why + unchanged(program));
    };
    const QString backup = backupPath(program);
    if (backup.isEmpty())
        return refused(QStringLiteral(": its name has no dot to form a backup name."));

    QByteArray body = joined(section, held);
    // Under the lock the file is compared again with the bytes current() gave: another
    // Brindle window may have written it since.
    const auto build = [&](const QByteArray &onDisk) -> Result<QByteArray> {
        if (onDisk != current)
            return Result<QByteArray>::failure(
                cannot +
                QStringLiteral(": the file has changed since it was read, perhaps in another "
                               "program. ") +
                dropped() + unchanged(program));
        QByteArray bytes = headOf(current, TextFile::lineOffset(current, genStart));
        bytes += body;
        return bytes;
    };
    if (!files.exists(program))
        return Result<Written>::failure(
            cannot +
            QStringLiteral(": the file is no longer there. It was deleted or renamed since it "
                           "was read. ") +
            dropped());
    const SafeReplace::Outcome outcome = SafeReplace::replace(files, program, backup, build);
    const QString left = outcome.backupLeft;
    switch (outcome.failed) {
    case SafeReplace::Stage::None:
        break;
    case SafeReplace::Stage::Lock:
        return refused(QStringLiteral(": waiting for another Brindle window to finish writing "
                                      "it failed (") +
                       outcome.reason + QStringLiteral(")."));
    case SafeReplace::Stage::Read:
        return Result<Written>::failure(
            cannot + QStringLiteral(": reading it to compare it with what was read failed (") +
            outcome.reason + QStringLiteral("). ") + dropped() + unchanged(program));
    case SafeReplace::Stage::Refused:
        return Result<Written>::failure(outcome.reason);
    case SafeReplace::Stage::BackupTaken:
        // Never use a backup name that is taken: that file may hold the only copy of a program.
        return refused(QStringLiteral(": the backup file ") + backup +
                       QStringLiteral(" already exists, perhaps left by an interrupted rewrite, "
                                      "and may hold the only copy of a program. Restore it, or "
                                      "rename or move it to keep it, then confirm a TAB change "
                                      "again."));
    case SafeReplace::Stage::Backup:
        return refused(QStringLiteral(": making its backup ") + backup +
                       QStringLiteral(" failed (") + outcome.reason + QStringLiteral(")."));
    case SafeReplace::Stage::Write: {
        if (outcome.inPlace)
            return Result<Written>::failure(
                cannot + QStringLiteral(": writing it failed (") + outcome.reason +
                QStringLiteral(").") + crlf() +
                QStringLiteral("Its content before this change is in ") + backup +
                QStringLiteral(": rename ") + program +
                QStringLiteral(" to keep it, then rename ") + backup + QStringLiteral(" to ") +
                program + QStringLiteral(" to get that content back."));
        const QString what = cannot + QStringLiteral(": writing it failed (") + outcome.reason +
                             QStringLiteral(").") + unchanged(program);
        // The program was never touched, so its backup is only a second copy.
        if (left.isEmpty())
            return Result<Written>::failure(what);
        return Result<Written>::failure(what + crlf() + QStringLiteral("A copy of it is also in ") +
                                        backup + QStringLiteral(", which could not be removed (") +
                                        left + QStringLiteral(")."));
    }
    case SafeReplace::Stage::Changed:
        if (!outcome.reason.isEmpty())
            return Result<Written>::failure(
                cannot +
                QStringLiteral(": another program saved it while the TAB change was "
                               "being written. The TAB change is now under its name, "
                               "and what the other program saved is in ") +
                outcome.reason + QStringLiteral(". ") + dropped());
        return Result<Written>::failure(
            cannot +
            QStringLiteral(": another program saved it while the TAB change was being "
                           "written, so what it saved is kept. ") +
            dropped());
    }

    if (!left.isEmpty())
        return Written{std::move(body),
                       QStringLiteral("The TAB change is written to ") + program +
                           QStringLiteral(", but its backup ") + backup +
                           QStringLiteral(", which holds the content before this change, could "
                                          "not be removed (") +
                           left +
                           QStringLiteral("). While it is there, no further change of this file "
                                          "is written: rename or move it once you no longer need "
                                          "it.")};
    return Written{std::move(body), {}};
}

} // namespace Rewrite
