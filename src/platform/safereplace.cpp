#include "safereplace.h"

#include "filesteps.h"

namespace SafeReplace {

namespace {

constexpr qsizetype chunkSize = 1 << 20;

Result<> writeAll(FileSteps &files, const QByteArray &bytes)
{
    for (qsizetype at = 0; at < bytes.size(); at += chunkSize) {
        // A view of the slice: nothing is copied on the way to the file.
        const Result<> written = files.write(
            QByteArray::fromRawData(bytes.constData() + at, qMin(chunkSize, bytes.size() - at)));
        if (!written)
            return written;
    }
    return {};
}

Outcome failed(Stage stage, const QString &reason)
{
    Outcome outcome;
    outcome.failed = stage;
    outcome.reason = reason;
    return outcome;
}

struct Unlock
{
    FileSteps &files;
    ~Unlock() { files.unlock(); }
};

// Removes the backup, saying why in the outcome when it stays.
void dropBackup(FileSteps &files, const QString &backupPath, Outcome &outcome)
{
    if (backupPath.isEmpty())
        return;
    const Result<> removed = files.remove(backupPath);
    if (!removed)
        outcome.backupLeft = removed.message();
}

} // namespace

Outcome replace(FileSteps &files, const QString &path, const QString &backupPath,
                const Build &build)
{
    const Result<> locked = files.lock(path);
    if (!locked)
        return failed(Stage::Lock, locked.message());
    const Unlock unlock{files};

    const bool existed = files.exists(path);
    QByteArray onDisk;
    if (existed) {
        Result<QByteArray> read = files.read(path);
        if (!read)
            return failed(Stage::Read, read.message());
        onDisk = std::move(read.value());
    }
    Result<QByteArray> built = build(onDisk);
    if (!built)
        return failed(Stage::Refused, built.message());
    const QByteArray &bytes = built.value();

    const QString onlyInPlace = existed ? files.keepsOnlyInPlace(path) : QString();
    if (!backupPath.isEmpty() && existed) {
        // A backup name that is taken may hold the only copy of a file: it is never used.
        if (files.exists(backupPath))
            return failed(Stage::BackupTaken, backupPath);
        const Result<> kept = onlyInPlace.isEmpty() ? files.keep(path, backupPath, onDisk)
                                                    : files.copy(backupPath, onDisk);
        if (!kept)
            return failed(Stage::Backup, kept.message());
    } else if (!onlyInPlace.isEmpty()) {
        return failed(Stage::Backup, onlyInPlace);
    }

    Outcome outcome;
    if (!onlyInPlace.isEmpty()) {
        outcome.inPlace = true;
        // The lock keeps other instances out; a last look catches another program's save.
        const Result<QByteArray> again = files.read(path);
        if (!again || again.value() != onDisk) {
            dropBackup(files, backupPath, outcome);
            outcome.failed = again ? Stage::Changed : Stage::Read;
            outcome.reason = again ? QString() : again.message();
            return outcome;
        }
        const Result<> written = files.overwrite(path, bytes);
        if (!written) {
            // The file may be cut now: its synced copy stays in the backup.
            outcome.failed = Stage::Write;
            outcome.reason = written.message();
            return outcome;
        }
        outcome.written = bytes;
        dropBackup(files, backupPath, outcome);
        return outcome;
    }

    Result<> step = files.create(path);
    if (step)
        step = writeAll(files, bytes);
    Result<QString> swapped = step ? files.commit() : Result<QString>::failure(step.message());
    if (!swapped) {
        files.discard();
        dropBackup(files, backupPath, outcome);
        outcome.failed = Stage::Write;
        outcome.reason = swapped.message();
        return outcome;
    }
    const QString out = swapped.value();
    if (!out.isEmpty()) {
        // What left the name must be what was read; else another program saved it meanwhile,
        // and its save goes back under the name.
        const Result<QByteArray> left = files.read(out);
        if (!left || left.value() != onDisk) {
            const Result<> back = files.exchange(out, path);
            if (!back) {
                outcome.failed = Stage::Changed;
                outcome.reason = out;
                return outcome;
            }
            (void)files.remove(out);
            dropBackup(files, backupPath, outcome);
            outcome.failed = Stage::Changed;
            return outcome;
        }
        (void)files.remove(out);
    }
    outcome.written = bytes;
    dropBackup(files, backupPath, outcome);
    return outcome;
}

QString message(const Outcome &outcome, const QString &path, const QString &backupPath)
{
    const QString cannot = QStringLiteral("%1 could not be written").arg(path);
    const QString kept = QStringLiteral(" It keeps its previous content.");
    QString text;
    switch (outcome.failed) {
    case Stage::None:
        break;
    case Stage::Lock:
        text = cannot +
               QStringLiteral(": waiting for another Brindle window to finish writing "
                              "it failed (") +
               outcome.reason + QStringLiteral(").") + kept;
        break;
    case Stage::Read:
        text = cannot + QStringLiteral(": reading it failed (") + outcome.reason +
               QStringLiteral(").") + kept;
        break;
    case Stage::Refused:
        text = outcome.reason;
        break;
    case Stage::BackupTaken:
        text = cannot + QStringLiteral(": the backup file ") + backupPath +
               QStringLiteral(" already exists and may hold the only copy of a file. Rename or "
                              "move it to keep it, then try again.") +
               kept;
        break;
    case Stage::Backup:
        if (backupPath.isEmpty())
            text = cannot + QStringLiteral(": a new copy of it would lose what it has (") +
                   outcome.reason +
                   QStringLiteral("), and it is not written over without a backup.") + kept;
        else
            text = cannot + QStringLiteral(": making its backup ") + backupPath +
                   QStringLiteral(" failed (") + outcome.reason + QStringLiteral(").") + kept;
        break;
    case Stage::Write:
        text = cannot + QStringLiteral(": writing it failed (") + outcome.reason +
               QStringLiteral(").") +
               (outcome.inPlace ? QStringLiteral(" Its previous content is in ") + backupPath +
                                      QStringLiteral(".")
                                : kept);
        break;
    case Stage::Changed:
        text = cannot + QStringLiteral(": another program saved it while it was being "
                                       "written. What that program saved is kept.");
        if (!outcome.reason.isEmpty())
            text += QStringLiteral(" It is in ") + outcome.reason +
                    QStringLiteral(", which could not be put back under its name.");
        break;
    }
    if (!outcome.backupLeft.isEmpty())
        text += QStringLiteral(" Its backup ") + backupPath +
                QStringLiteral(" could not be removed (") + outcome.backupLeft +
                QStringLiteral(").");
    return text;
}

} // namespace SafeReplace
