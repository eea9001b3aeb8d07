#include "saferewrite.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace SafeRewrite {

namespace {

// Reads the file at path in slices: the bytes before its last tail.size() bytes are gathered
// into head (with anyHead false there must be none), and the rest is compared with tail as it
// is read. True when the file is such a head followed by exactly the tail.
Result<bool> endsWith(FileSteps &files, const QString &path, QByteArrayView tail, bool anyHead,
                      QByteArray &head)
{
    qsizetype headSize = -1;
    qsizetype compared = 0;
    bool same = true;
    const Result<> scanned = files.scan(path, [&](qint64 size, QByteArrayView slice) {
        if (headSize < 0) {
            headSize = qsizetype(size) - tail.size();
            if (headSize < 0 || (!anyHead && headSize > 0)) {
                same = false;
                return false;
            }
            head.reserve(headSize);
        }
        const qsizetype toHead = qMin(slice.size(), headSize - head.size());
        head.append(slice.first(toHead));
        slice = slice.sliced(toHead);
        if (slice.size() > tail.size() - compared || slice != tail.sliced(compared, slice.size())) {
            same = false;
            return false;
        }
        compared += slice.size();
        return true;
    });
    if (!scanned)
        return Result<bool>::failure(scanned.message());
    // An empty file hands no slice.
    return same && head.size() == qMax<qsizetype>(headSize, 0) && compared == tail.size();
}

Status statusOf(const SafeReplace::Outcome &replaced)
{
    using SafeReplace::Stage;
    switch (replaced.failed) {
    case Stage::None:
        return replaced.backupLeft ? Status::WrittenBackupLeft : Status::Written;
    case Stage::Lock:
        return Status::Locked;
    case Stage::Read:
        return Status::RecheckFailed;
    case Stage::Refused:
        return Status::Changed;
    case Stage::BackupTaken:
        return Status::BackupTaken;
    case Stage::Backup:
        return Status::BackupFailed;
    case Stage::Write:
        return replaced.inPlace ? Status::WriteFailedInPlace : Status::WriteFailed;
    case Stage::Changed:
        break;
    }
    return Status::SavedMeanwhile;
}

Outcome rewriteFile(FileSteps &files, const QString &path, QByteArrayView tail, bool anyHead,
                    const Build &build)
{
    const QString backup = backupPath(path);
    std::optional<Status> refusal;
    QByteArray head;
    const auto read = [&](bool exists) -> Result<SafeReplace::Contents> {
        const auto refuse = [&](Status status, const QString &reason = {}) {
            refusal = status;
            return Result<SafeReplace::Contents>::failure(reason);
        };
        if (!exists)
            return refuse(Status::Gone);
        const Result<bool> same = endsWith(files, path, tail, anyHead, head);
        if (!same)
            return refuse(Status::ReadFailed, same.message());
        std::optional<Slices> replacement = same.value() ? build(head) : std::nullopt;
        if (!replacement)
            return refuse(Status::Changed);
        if (backup.isEmpty())
            return refuse(Status::NoBackupName);
        return SafeReplace::Contents{{head, tail}, std::move(*replacement)};
    };
    Outcome outcome =
        outcomeOf(SafeReplace::replace(files, path, backup, SafeReplace::Read(read)), path, backup);
    if (refusal)
        outcome.status = *refusal;
    return outcome;
}

QString whenBackupLeft(const Outcome &outcome)
{
    if (!outcome.backupLeft)
        return {};
    return QStringLiteral(" Its backup ") + outcome.backup +
           QStringLiteral(" could not be removed (") + *outcome.backupLeft + QStringLiteral(").");
}

const QString kept = QStringLiteral(" It keeps its previous content.");

// What the generic sentence says after "<file> could not be written" when the backup could not
// be made.
QString whyNoBackup(const Outcome &outcome)
{
    if (outcome.status == Status::NoBackupName)
        return QStringLiteral(": its name has no dot to form a backup name.") + kept;
    if (outcome.status == Status::BackupTaken)
        return QStringLiteral(": the backup file ") + outcome.backup +
               QStringLiteral(" already exists and may hold the only copy of a file. Rename or "
                              "move it to keep it, then try again.") +
               kept;
    if (outcome.backup.isEmpty())
        return QStringLiteral(": a new copy of it would lose what it has (") + outcome.reason +
               QStringLiteral("), and it is not written over without a backup.") + kept;
    return QStringLiteral(": making its backup ") + outcome.backup + QStringLiteral(" failed (") +
           outcome.reason + QStringLiteral(").") + kept;
}

// What the generic sentence says after "<file> could not be written".
QString whyNotWritten(const Outcome &outcome)
{
    switch (outcome.status) {
    case Status::Written:
    case Status::WrittenBackupLeft:
        return {};
    case Status::Gone:
        return QStringLiteral(": it was deleted or renamed since it was read.");
    case Status::Changed:
        return QStringLiteral(": it has changed since it was read.") + kept;
    case Status::ReadFailed:
    case Status::RecheckFailed:
        return QStringLiteral(": reading it failed (") + outcome.reason + QStringLiteral(").") +
               kept;
    case Status::Locked:
        return QStringLiteral(": ") + outcome.reason + QStringLiteral(".") + kept;
    case Status::NoBackupName:
    case Status::BackupTaken:
    case Status::BackupFailed:
        return whyNoBackup(outcome);
    case Status::WriteFailed:
        return QStringLiteral(": writing it failed (") + outcome.why() + QStringLiteral(").") +
               kept;
    case Status::WriteFailedInPlace:
        return QStringLiteral(": writing it failed (") + outcome.why() +
               QStringLiteral("). Its previous content is in ") + outcome.backup +
               QStringLiteral(".");
    case Status::SavedMeanwhile:
        break;
    }
    return QStringLiteral(": another program saved it while it was being written. What that "
                          "program saved is kept.") +
           (outcome.elsewhere ? QStringLiteral(" It is in ") + *outcome.elsewhere +
                                    QStringLiteral(", which could not be put back under its name.")
                              : QString());
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

QString backupPath(const QString &path)
{
    const QFileInfo info(path);
    const QString name = backupName(info.fileName(), info.dir().entryList(QDir::Files));
    if (name.isEmpty())
        return {};
    return QDir::toNativeSeparators(info.dir().filePath(name));
}

QString Outcome::why() const
{
    if (status == Status::WriteFailedInPlace && elsewhere)
        return reason + QStringLiteral("; it is also in ") + *elsewhere;
    return reason;
}

Outcome rewrite(FileSteps &files, const QString &path, QByteArrayView asRead,
                QByteArrayView replacement)
{
    if (!files.exists(path)) {
        Outcome gone;
        gone.status = Status::Gone;
        gone.path = path;
        gone.backup = backupPath(path);
        return gone;
    }
    return rewriteFile(files, path, asRead, false,
                       [&](QByteArrayView) { return std::optional<Slices>(Slices{replacement}); });
}

Outcome rewrite(FileSteps &files, const QString &path, QByteArrayView tail, const Build &build)
{
    return rewriteFile(files, path, tail, true, build);
}

Outcome outcomeOf(const SafeReplace::Outcome &replaced, const QString &path,
                  const QString &backupPath)
{
    Outcome outcome;
    outcome.status = statusOf(replaced);
    outcome.path = path;
    outcome.backup = backupPath;
    outcome.reason = replaced.reason;
    outcome.elsewhere = replaced.elsewhere;
    outcome.backupLeft = replaced.backupLeft;
    return outcome;
}

QString message(const Outcome &outcome)
{
    if (outcome.status == Status::Written)
        return {};
    if (outcome.status == Status::WrittenBackupLeft)
        return outcome.path + QStringLiteral(" is written, but its backup ") + outcome.backup +
               QStringLiteral(" could not be removed (") + outcome.backupLeft.value_or(QString()) +
               QStringLiteral(").");
    return outcome.path + QStringLiteral(" could not be written") + whyNotWritten(outcome) +
           whenBackupLeft(outcome);
}

} // namespace SafeRewrite
