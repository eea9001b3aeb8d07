#include "safereplace.h"

#include "filesteps.h"

#include <cstring>

namespace SafeReplace {

namespace {

// Writes go to the file in pieces of this size at most; smaller slices are gathered to it.
constexpr qsizetype chunkSize = 1 << 20;
// A slice this large is written from where it lies; smaller ones are gathered first, so that a
// content of many short lines costs few writes.
constexpr qsizetype gatherBelow = 64 * 1024;

Result<> writeAll(FileSteps &files, const Slices &slices)
{
    QByteArray gathered;
    const auto flush = [&]() -> Result<> {
        if (gathered.isEmpty())
            return {};
        const Result<> written = files.write(gathered);
        gathered.clear();
        return written;
    };
    for (const QByteArrayView slice : slices) {
        if (slice.size() < gatherBelow) {
            if (gathered.size() + slice.size() > chunkSize) {
                if (const Result<> written = flush(); !written)
                    return written;
            }
            gathered.append(slice);
            continue;
        }
        if (const Result<> written = flush(); !written)
            return written;
        for (qsizetype at = 0; at < slice.size(); at += chunkSize) {
            // A view of the slice: nothing is copied on the way to the file.
            const Result<> written =
                files.write(slice.sliced(at, qMin(chunkSize, slice.size() - at)));
            if (!written)
                return written;
        }
    }
    return flush();
}

// Whether the file at path holds exactly the bytes of `expected`: its size first, then its
// content compared slice by slice as it is read.
Result<bool> holds(FileSteps &files, const QString &path, const Slices &expected)
{
    qsizetype size = 0;
    for (const QByteArrayView slice : expected)
        size += slice.size();
    bool same = true;
    qsizetype compared = 0; // bytes of the file compared so far
    qsizetype k = 0;        // the slice of `expected` they have reached
    qsizetype into = 0;     // and the bytes of it compared
    const Result<> read = files.scan(path, [&](qint64 fileSize, QByteArrayView got) {
        if (fileSize != size || compared + got.size() > size) {
            same = false;
            return false;
        }
        compared += got.size();
        while (!got.isEmpty()) {
            while (into == expected.at(k).size()) {
                ++k;
                into = 0;
            }
            const QByteArrayView want = expected.at(k);
            const qsizetype n = qMin(got.size(), want.size() - into);
            if (std::memcmp(got.data(), want.data() + into, size_t(n)) != 0) {
                same = false;
                return false;
            }
            got = got.sliced(n);
            into += n;
        }
        return true;
    });
    if (!read)
        return Result<bool>::failure(read.message());
    return same && compared == size;
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

// The steps after the lock is taken and the file read: the backup, then the new file swapped in
// and what it replaced compared with what was read (or, for a file that can only be written in
// place, a last comparison and the overwrite).
Outcome put(FileSteps &files, const QString &path, const QString &backupPath, bool existed,
            const Contents &contents)
{
    const QString onlyInPlace = existed ? files.keepsOnlyInPlace(path) : QString();
    if (!backupPath.isEmpty() && existed) {
        // A backup name that is taken may hold the only copy of a file: it is never used.
        if (files.exists(backupPath))
            return failed(Stage::BackupTaken, backupPath);
        const Result<> kept = onlyInPlace.isEmpty() ? files.keep(path, backupPath, contents.onDisk)
                                                    : files.copy(backupPath, contents.onDisk);
        if (!kept)
            return failed(Stage::Backup, kept.message());
    } else if (!onlyInPlace.isEmpty()) {
        return failed(Stage::Backup, onlyInPlace);
    }

    Outcome outcome;
    if (!onlyInPlace.isEmpty()) {
        outcome.inPlace = true;
        // The lock keeps other instances out; a last look catches another program's save.
        const Result<bool> same = holds(files, path, contents.onDisk);
        if (!same || !same.value()) {
            dropBackup(files, backupPath, outcome);
            outcome.failed = same ? Stage::Changed : Stage::Read;
            outcome.reason = same ? QString() : same.message();
            return outcome;
        }
        const Result<> written = files.overwrite(path, contents.replacement);
        if (!written) {
            // The file may be cut now: its synced copy stays in the backup.
            outcome.failed = Stage::Write;
            outcome.reason = written.message();
            return outcome;
        }
        dropBackup(files, backupPath, outcome);
        return outcome;
    }

    Result<> step = files.create(path);
    if (step)
        step = writeAll(files, contents.replacement);
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
        // What left the name must be what was read, byte for byte; else another program saved
        // it meanwhile, and its save goes back under the name.
        const Result<bool> same = holds(files, out, contents.onDisk);
        if (!same || !same.value()) {
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
    dropBackup(files, backupPath, outcome);
    return outcome;
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
    const Result<QByteArray> built = build(onDisk);
    if (!built)
        return failed(Stage::Refused, built.message());
    return put(files, path, backupPath, existed, Contents{{onDisk}, {built.value()}});
}

Outcome replace(FileSteps &files, const QString &path, const QString &backupPath, const Read &read)
{
    const Result<> locked = files.lock(path);
    if (!locked)
        return failed(Stage::Lock, locked.message());
    const Unlock unlock{files};

    const bool existed = files.exists(path);
    const Result<Contents> contents = read(existed);
    if (!contents)
        return failed(Stage::Refused, contents.message());
    return put(files, path, backupPath, existed, contents.value());
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
