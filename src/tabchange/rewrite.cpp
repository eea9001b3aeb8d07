#include "rewrite.h"

#include "textfile.h"

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

QString writtenBackupLeft(const SafeRewrite::Outcome &outcome)
{
    return QStringLiteral("The TAB change is written to ") + outcome.path +
           QStringLiteral(", but its backup ") + outcome.backup +
           QStringLiteral(", which holds the content before this change, could not be removed (") +
           outcome.backupLeft.value_or(QString()) +
           QStringLiteral("). While it is there, no further change of this file is written: "
                          "rename or move it once you no longer need it.");
}

// After "could not be written to <program>", for the failures that leave the file as it was.
QString keptBecause(const SafeRewrite::Outcome &outcome)
{
    using SafeRewrite::Status;
    switch (outcome.status) {
    case Status::Changed:
        return QStringLiteral(": the file has changed since it was read, perhaps in another "
                              "program. ") +
               dropped();
    case Status::ReadFailed:
    case Status::RecheckFailed:
        return QStringLiteral(": reading it to compare it with what was read failed (") +
               outcome.reason + QStringLiteral("). ") + dropped();
    case Status::NoBackupName:
        return QStringLiteral(": its name has no dot to form a backup name.");
    case Status::BackupTaken:
        // Never use a backup name that is taken: that file may hold the only copy of a program.
        return QStringLiteral(": the backup file ") + outcome.backup +
               QStringLiteral(" already exists, perhaps left by an interrupted rewrite, and may "
                              "hold the only copy of a program. Restore it, or rename or move it "
                              "to keep it, then confirm a TAB change again.");
    case Status::BackupFailed:
        return QStringLiteral(": making its backup ") + outcome.backup +
               QStringLiteral(" failed (") + outcome.reason + QStringLiteral(").");
    default:
        break;
    }
    // The lock's reason names its cause: another window's write, or a folder that could not be
    // opened.
    return QStringLiteral(": ") + outcome.reason + QStringLiteral(".");
}

// After "writing it failed (...).": where the content before the change is.
QString afterWriteFailed(const SafeRewrite::Outcome &outcome)
{
    const QString &program = outcome.path;
    const QString &backup = outcome.backup;
    if (outcome.status == SafeRewrite::Status::WriteFailedInPlace)
        return crlf() + QStringLiteral("Its content before this change is in ") + backup +
               QStringLiteral(": rename ") + program + QStringLiteral(" to keep it, then rename ") +
               backup + QStringLiteral(" to ") + program +
               QStringLiteral(" to get that content back.");
    // The program was never touched, so its backup is only a second copy.
    if (!outcome.backupLeft)
        return unchanged(program);
    return unchanged(program) + crlf() + QStringLiteral("A copy of it is also in ") + backup +
           QStringLiteral(", which could not be removed (") + *outcome.backupLeft +
           QStringLiteral(").");
}

QString savedMeanwhile(const SafeRewrite::Outcome &outcome)
{
    if (outcome.elsewhere)
        return QStringLiteral(": another program saved it while the TAB change was being "
                              "written. The TAB change is now under its name, and what the other "
                              "program saved is in ") +
               *outcome.elsewhere + QStringLiteral(". ");
    return QStringLiteral(": another program saved it while the TAB change was being written, so "
                          "what it saved is kept. ");
}

} // namespace

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

SafeRewrite::Outcome write(FileSteps &files, const QString &program, int genStart,
                           QByteArrayView readSection, const Slices &section)
{
    // The file is read and compared under the lock, so that no other Brindle window writes
    // between the comparison and the replace; the head is kept as read there, and only the
    // bytes that differ from the section held would need a buffer of their own.
    QByteArray headWritten;
    return SafeRewrite::rewrite(
        files, program, readSection, [&](QByteArrayView head) -> std::optional<Slices> {
            const HeadShape shape = shapeOf(head);
            if (!sameHead(head, shape, genStart, readSection))
                return std::nullopt;
            // The head is written as it is, unless a line end in it is not CR LF.
            if (!shape.crlfOnly)
                headWritten = crlfLines(head);
            Slices replacement;
            replacement.reserve(section.size() + 1);
            replacement.append(shape.crlfOnly ? head : QByteArrayView(headWritten));
            replacement.append(section);
            return replacement;
        });
}

QString writeMessage(const SafeRewrite::Outcome &outcome)
{
    using SafeRewrite::Status;
    const QString &program = outcome.path;
    const QString cannot = QStringLiteral("The TAB change could not be written to ") + program;
    switch (outcome.status) {
    case Status::Written:
        return {};
    case Status::WrittenBackupLeft:
        return writtenBackupLeft(outcome);
    case Status::Gone:
        return cannot +
               QStringLiteral(": the file is no longer there. It was deleted or renamed since it "
                              "was read. ") +
               dropped();
    case Status::WriteFailed:
    case Status::WriteFailedInPlace:
        return cannot + QStringLiteral(": writing it failed (") + outcome.why() +
               QStringLiteral(").") + afterWriteFailed(outcome);
    case Status::SavedMeanwhile:
        return cannot + savedMeanwhile(outcome) + dropped();
    default:
        break;
    }
    return cannot + keptBecause(outcome) + unchanged(program);
}

SafeRewrite::Outcome restore(FileSteps &files, const QString &program, QByteArrayView expected,
                             QByteArrayView restored)
{
    return SafeRewrite::rewrite(files, program, expected, restored);
}

QString restoreMessage(const SafeRewrite::Outcome &outcome)
{
    using SafeRewrite::Status;
    switch (outcome.status) {
    case Status::Gone:
    case Status::Changed:
        return outcome.path + QStringLiteral(" was changed outside Brindle since its TAB change "
                                             "was written.");
    case Status::ReadFailed:
        return outcome.reason;
    case Status::NoBackupName:
        return outcome.path + QStringLiteral(": its name has no dot to form a backup name.");
    default:
        break;
    }
    return SafeRewrite::message(outcome);
}

} // namespace Rewrite
