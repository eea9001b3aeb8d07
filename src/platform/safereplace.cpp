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

// Whether the file at path holds what was read; a file that cannot be read counts as changed.
bool unchanged(FileSteps &files, const QString &path, const Contents &contents)
{
    const Result<bool> same = holds(files, path, contents.onDisk);
    return same && same.value();
}

// Where what was under the name is when swapIn() fails.
enum class Aside {
    None,     // still under the name: nothing was moved
    Replaced, // at `aside`, while another program's save took the name meanwhile
    Stranded, // at `aside`, and the name is empty: it could not be put back
};

// Puts the file `from` under the name `target` and gives the name that what was there went to.
// Where the system swaps two names in one step, that is `from`. Elsewhere (FAT and exFAT disks)
// what is there is first renamed aside to a free name, then `from` takes the name, by two
// renames that never replace: a file saved under the name between them is not overwritten, and
// the rename fails. On failure, `where` says where what was under the name is.
Result<QString> swapIn(FileSteps &files, const QString &from, const QString &target, QString *aside,
                       Aside *where)
{
    *where = Aside::None;
    if (files.exchange(from, target))
        return from;
    const Result<QString> moved = files.moveAside(target);
    if (!moved)
        return moved;
    const Result<> renamed = files.rename(from, target);
    if (renamed)
        return moved.value();
    // Put back what was moved aside, unless another program saved under the name meanwhile.
    if (files.exists(target))
        *where = Aside::Replaced;
    else if (!files.rename(moved.value(), target))
        *where = Aside::Stranded;
    if (*where != Aside::None)
        *aside = moved.value();
    return Result<QString>::failure(renamed.message());
}

// The new file could not take the name: says where what was under it is. Returns false when
// the backup must stay, as the only whole copy under a known name.
bool notSwapped(FileSteps &files, const QString &aside, Aside where, const Contents &contents,
                Outcome &outcome)
{
    switch (where) {
    case Aside::None:
        outcome.failed = Stage::Write;
        return true;
    case Aside::Stranded:
        // The name is empty and the previous content is in `aside`, and in the backup.
        outcome.failed = Stage::Write;
        outcome.inPlace = true;
        outcome.elsewhere = aside;
        return false;
    case Aside::Replaced:
        // Another program's save took the name between the two renames; what was moved aside
        // is what was read, or else an earlier save of that program, kept as well.
        outcome.failed = Stage::Changed;
        outcome.reason.clear();
        if (unchanged(files, aside, contents))
            (void)files.remove(aside);
        else
            outcome.elsewhere = aside;
        return true;
    }
    return true;
}

// The new file, synced under its temporary name, takes the place of what was read at
// `target`. What left the name is compared with what was read, byte for byte; if another
// program saved the file meanwhile, its save goes back under the name and is reported.
// Returns false when the backup must stay, as the only whole copy under a known name.
bool placeNew(FileSteps &files, const QString &temporary, const QString &target,
              const Contents &contents, Outcome &outcome)
{
    QString aside;
    Aside where = Aside::None;
    const Result<QString> swapped = swapIn(files, temporary, target, &aside, &where);
    if (!swapped) {
        (void)files.remove(temporary);
        outcome.reason = swapped.message();
        return notSwapped(files, aside, where, contents, outcome);
    }
    const QString out = swapped.value();
    if (unchanged(files, out, contents)) {
        (void)files.remove(out);
        return true;
    }
    outcome.failed = Stage::Changed;
    const Result<QString> back = swapIn(files, out, target, &aside, &where);
    if (!back) {
        // That program's save is still in `out`; the name holds the new content, or whatever
        // appeared there meanwhile. The backup stays too, with the content before the change.
        outcome.elsewhere = out;
        return false;
    }
    (void)files.remove(back.value());
    return true;
}

// Makes the backup of the file as read: a second name for it, or a synced copy when the file
// is to be written in place. Gives the failure, if any. A backup name that is taken may hold
// the only copy of a file: it is never used.
std::optional<Outcome> backUp(FileSteps &files, const QString &target, const QString &backupPath,
                              bool existed, const std::optional<QString> &onlyInPlace,
                              const Contents &contents)
{
    if (backupPath.isEmpty() || !existed) {
        if (onlyInPlace)
            return failed(Stage::Backup, *onlyInPlace);
        return std::nullopt;
    }
    if (files.exists(backupPath))
        return failed(Stage::BackupTaken, backupPath);
    const Result<> kept = onlyInPlace ? files.copy(backupPath, contents.onDisk)
                                      : files.keep(target, backupPath, contents.onDisk);
    if (!kept)
        return failed(Stage::Backup, kept.message());
    return std::nullopt;
}

// Writes over the file itself, once its backup copy is synced.
Outcome writeInPlace(FileSteps &files, const QString &target, const QString &backupPath,
                     const Contents &contents)
{
    Outcome outcome;
    outcome.inPlace = true;
    // The lock keeps other instances out; a last look catches another program's save.
    const Result<bool> same = holds(files, target, contents.onDisk);
    if (!same || !same.value()) {
        dropBackup(files, backupPath, outcome);
        outcome.failed = same ? Stage::Changed : Stage::Read;
        outcome.reason = same ? QString() : same.message();
        return outcome;
    }
    const Result<> written = files.overwrite(target, contents.replacement);
    if (!written) {
        // The file may be cut now: its synced copy stays in the backup.
        outcome.failed = Stage::Write;
        outcome.reason = written.message();
        return outcome;
    }
    dropBackup(files, backupPath, outcome);
    return outcome;
}

// Writes a new file beside the target, synced, and puts it in the target's place.
Outcome writeNew(FileSteps &files, const QString &path, const QString &target,
                 const QString &backupPath, bool existed, const Contents &contents)
{
    Outcome outcome;
    // Made beside the target, by the name the caller gave: a link's folder keeps the note of it.
    Result<> step = files.create(path);
    if (step)
        step = writeAll(files, contents.replacement);
    const Result<QString> committed =
        step ? files.commit() : Result<QString>::failure(step.message());
    if (!committed) {
        files.discard();
        dropBackup(files, backupPath, outcome);
        outcome.failed = Stage::Write;
        outcome.reason = committed.message();
        return outcome;
    }
    if (existed) {
        if (!placeNew(files, committed.value(), target, contents, outcome))
            return outcome;
    } else if (const Result<> renamed = files.rename(committed.value(), target); !renamed) {
        // A file that appeared meanwhile under the name is not replaced.
        (void)files.remove(committed.value());
        outcome.failed = Stage::Write;
        outcome.reason = renamed.message();
    }
    dropBackup(files, backupPath, outcome);
    return outcome;
}

// The steps after the lock is taken and the file read: the backup, then the new file swapped in
// (or, for a file that can only be written in place, a last comparison and the overwrite).
// `target` is the file itself, never a link to it.
Outcome put(FileSteps &files, const QString &path, const QString &target, const QString &backupPath,
            bool existed, const Contents &contents)
{
    const std::optional<QString> onlyInPlace =
        existed ? files.keepsOnlyInPlace(target) : std::nullopt;
    if (const std::optional<Outcome> refused =
            backUp(files, target, backupPath, existed, onlyInPlace, contents))
        return *refused;
    if (onlyInPlace)
        return writeInPlace(files, target, backupPath, contents);
    return writeNew(files, path, target, backupPath, existed, contents);
}

} // namespace

Outcome replace(FileSteps &files, const QString &path, const QString &backupPath,
                const Build &build)
{
    const Result<> locked = files.lock(path);
    if (!locked)
        return failed(Stage::Lock, locked.message());
    const Unlock unlock{files};

    // A link stays a link: what is read, compared and replaced is the file it leads to.
    const QString target = files.resolved(path);
    const bool existed = files.exists(target);
    QByteArray onDisk;
    if (existed) {
        Result<QByteArray> read = files.read(target);
        if (!read)
            return failed(Stage::Read, read.message());
        onDisk = std::move(read.value());
    }
    const Result<QByteArray> built = build(onDisk);
    if (!built)
        return failed(Stage::Refused, built.message());
    return put(files, path, target, backupPath, existed, Contents{{onDisk}, {built.value()}});
}

Outcome replace(FileSteps &files, const QString &path, const QString &backupPath, const Read &read)
{
    const Result<> locked = files.lock(path);
    if (!locked)
        return failed(Stage::Lock, locked.message());
    const Unlock unlock{files};

    const QString target = files.resolved(path);
    const bool existed = files.exists(target);
    const Result<Contents> contents = read(existed);
    if (!contents)
        return failed(Stage::Refused, contents.message());
    return put(files, path, target, backupPath, existed, contents.value());
}

} // namespace SafeReplace
