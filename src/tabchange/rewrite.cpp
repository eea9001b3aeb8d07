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

// What a head read from disk is made of, found in one pass over its bytes.
struct HeadShape
{
    qsizetype lines = 0;   // its line ends: CR LF, LF or a lone CR
    bool crlfOnly = true;  // every line end is CR LF
    bool beginGen = false; // a line holds "Begin Gen"
};

HeadShape shapeOf(QByteArrayView bytes)
{
    HeadShape shape;
    const char *data = bytes.data();
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = data[i];
        if (c == '\r') {
            ++shape.lines;
            if (i + 1 < n && data[i + 1] == '\n')
                ++i;
            else
                shape.crlfOnly = false;
        } else if (c == '\n') {
            ++shape.lines;
            shape.crlfOnly = false;
        } else if (c == 'B' && n - i >= 9 && std::memcmp(data + i, "Begin Gen", 9) == 0) {
            shape.beginGen = true;
        }
    }
    return shape;
}

// True when the head read is one the section can follow: genStart lines, each with its line
// end, none holding "Begin Gen", and the section's first line holds it.
bool sameHead(QByteArrayView head, const HeadShape &shape, int genStart, QByteArrayView section)
{
    if (shape.lines != genStart || shape.beginGen ||
        (!head.isEmpty() && head.back() != '\n' && head.back() != '\r'))
        return false;
    qsizetype end = 0;
    while (end < section.size() && section.at(end) != '\r' && section.at(end) != '\n')
        ++end;
    return section.first(end).indexOf("Begin Gen") >= 0;
}

// The lines of bytes, each ended by CR LF whatever line end it had.
QByteArray crlfLines(QByteArrayView bytes)
{
    QByteArray lines;
    lines.reserve(bytes.size() + bytes.count('\n') + bytes.count('\r'));
    TextFile::forEachLine(bytes, [&](qsizetype start, qsizetype end) {
        lines.append(bytes.sliced(start, end - start));
        lines.append(TextFile::lineEnd);
    });
    return lines;
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

Slices sectionSlices(const QList<QByteArray> &lines, QByteArrayView held)
{
    Slices slices;
    qsizetype i = 0;
    while (i < lines.size()) {
        const QByteArray &first = lines.at(i++);
        if (!heldWithCrLf(first, held)) {
            slices.append(first);
            slices.append(TextFile::lineEnd);
            continue;
        }
        const char *end = first.constData() + first.size() + 2;
        while (i < lines.size() && lines.at(i).constData() == end &&
               heldWithCrLf(lines.at(i), held))
            end += lines.at(i++).size() + 2;
        slices.append(QByteArrayView(first.constData(), end));
    }
    return slices;
}

Result<QString> write(FileSteps &files, const QString &program, int genStart,
                      QByteArrayView readSection, const Slices &section, bool *changesDropped)
{
    const QString cannot = QStringLiteral("The TAB change could not be written to ") + program;
    const auto refused = [&](const QString &why) {
        return Result<QString>::failure(cannot + why + unchanged(program));
    };
    const QString backup = backupPath(program);

    // The file is read and compared under the lock, so that no other Brindle window writes
    // between the comparison and the replace; the head is kept as read there, and only the
    // bytes that differ from the section held would need a buffer of their own.
    bool stale = false; // the changes held no longer apply to the file
    QByteArray head;
    QByteArray headWritten;
    const auto read = [&](bool exists) -> Result<SafeReplace::Contents> {
        stale = true;
        if (!exists)
            return Result<SafeReplace::Contents>::failure(
                cannot +
                QStringLiteral(": the file is no longer there. It was deleted or renamed since "
                               "it was read. ") +
                dropped());
        // What the file holds must be a head, then exactly the section held: the head's size
        // is the file's size less the section's, and the rest is compared as it is read.
        qsizetype headSize = -1;
        qsizetype compared = 0;
        bool same = true;
        const Result<> scanned = files.scan(program, [&](qint64 size, QByteArrayView slice) {
            if (headSize < 0) {
                headSize = qsizetype(size) - readSection.size();
                if (headSize < 0) {
                    same = false;
                    return false;
                }
                head.reserve(headSize);
            }
            const qsizetype toHead = qMin(slice.size(), headSize - head.size());
            head.append(slice.first(toHead));
            slice = slice.sliced(toHead);
            if (slice.size() > readSection.size() - compared ||
                std::memcmp(slice.data(), readSection.data() + compared, size_t(slice.size())) !=
                    0) {
                same = false;
                return false;
            }
            compared += slice.size();
            return true;
        });
        if (!scanned)
            return Result<SafeReplace::Contents>::failure(
                cannot + QStringLiteral(": reading it to compare it with what was read failed (") +
                scanned.message() + QStringLiteral("). ") + dropped() + unchanged(program));
        const HeadShape shape = shapeOf(head);
        if (!same || head.size() != headSize || compared != readSection.size() ||
            !sameHead(head, shape, genStart, readSection))
            return Result<SafeReplace::Contents>::failure(
                cannot +
                QStringLiteral(": the file has changed since it was read, perhaps in another "
                               "program. ") +
                dropped() + unchanged(program));
        stale = false;
        if (backup.isEmpty())
            return Result<SafeReplace::Contents>::failure(
                cannot + QStringLiteral(": its name has no dot to form a backup name.") +
                unchanged(program));
        // The head is written as it is, unless a line end in it is not CR LF.
        const bool headAsRead = shape.crlfOnly;
        if (!headAsRead)
            headWritten = crlfLines(head);
        Slices replacement;
        replacement.reserve(section.size() + 1);
        replacement.append(headAsRead ? head : headWritten);
        replacement.append(section);
        return SafeReplace::Contents{{head, readSection}, std::move(replacement)};
    };
    const SafeReplace::Outcome outcome =
        SafeReplace::replace(files, program, backup, SafeReplace::Read(read));
    if (changesDropped)
        *changesDropped = stale && outcome.failed == SafeReplace::Stage::Refused;
    const QString left = outcome.backupLeft;
    switch (outcome.failed) {
    case SafeReplace::Stage::None:
        break;
    case SafeReplace::Stage::Lock:
        // The lock's reason names its cause: another window's write, or a folder that could
        // not be opened.
        return refused(QStringLiteral(": ") + outcome.reason + QStringLiteral("."));
    case SafeReplace::Stage::Read:
        return Result<QString>::failure(
            cannot + QStringLiteral(": reading it to compare it with what was read failed (") +
            outcome.reason + QStringLiteral("). ") + dropped() + unchanged(program));
    case SafeReplace::Stage::Refused:
        return Result<QString>::failure(outcome.reason);
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
            return Result<QString>::failure(
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
            return Result<QString>::failure(what);
        return Result<QString>::failure(what + crlf() + QStringLiteral("A copy of it is also in ") +
                                        backup + QStringLiteral(", which could not be removed (") +
                                        left + QStringLiteral(")."));
    }
    case SafeReplace::Stage::Changed:
        if (!outcome.reason.isEmpty())
            return Result<QString>::failure(
                cannot +
                QStringLiteral(": another program saved it while the TAB change was "
                               "being written. The TAB change is now under its name, "
                               "and what the other program saved is in ") +
                outcome.reason + QStringLiteral(". ") + dropped());
        return Result<QString>::failure(
            cannot +
            QStringLiteral(": another program saved it while the TAB change was being "
                           "written, so what it saved is kept. ") +
            dropped());
    }

    if (!left.isEmpty())
        return QString(
            QStringLiteral("The TAB change is written to ") + program +
            QStringLiteral(", but its backup ") + backup +
            QStringLiteral(", which holds the content before this change, could not be "
                           "removed (") +
            left +
            QStringLiteral("). While it is there, no further change of this file is written: "
                           "rename or move it once you no longer need it."));
    return QString();
}

Result<QString> restore(FileSteps &files, const QString &program, QByteArrayView expected,
                        QByteArrayView restored, bool *changed)
{
    const QString backup = backupPath(program);
    bool differs = false;
    const auto read = [&](bool exists) -> Result<SafeReplace::Contents> {
        differs = true;
        const QString gone = program + QStringLiteral(" was changed outside Brindle since its TAB "
                                                      "change was written.");
        if (!exists)
            return Result<SafeReplace::Contents>::failure(gone);
        qsizetype compared = 0;
        bool same = true;
        const Result<> scanned = files.scan(program, [&](qint64 size, QByteArrayView slice) {
            if (size != expected.size() || slice.size() > expected.size() - compared ||
                std::memcmp(slice.data(), expected.data() + compared, size_t(slice.size())) != 0) {
                same = false;
                return false;
            }
            compared += slice.size();
            return true;
        });
        if (!scanned)
            return Result<SafeReplace::Contents>::failure(scanned.message());
        if (!same || compared != expected.size())
            return Result<SafeReplace::Contents>::failure(gone);
        differs = false;
        if (backup.isEmpty())
            return Result<SafeReplace::Contents>::failure(
                program + QStringLiteral(": its name has no dot to form a backup name."));
        return SafeReplace::Contents{{expected}, {restored}};
    };
    const SafeReplace::Outcome outcome =
        SafeReplace::replace(files, program, backup, SafeReplace::Read(read));
    if (changed)
        *changed = differs && outcome.failed == SafeReplace::Stage::Refused;
    if (outcome.failed == SafeReplace::Stage::Refused)
        return Result<QString>::failure(outcome.reason);
    if (outcome.failed != SafeReplace::Stage::None)
        return Result<QString>::failure(SafeReplace::message(outcome, program, backup));
    if (!outcome.backupLeft.isEmpty())
        return QString(program + QStringLiteral(" is written, but its backup ") + backup +
                       QStringLiteral(" could not be removed (") + outcome.backupLeft +
                       QStringLiteral(")."));
    return QString();
}

} // namespace Rewrite
