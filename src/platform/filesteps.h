#pragma once

#include "result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

// Bytes given as slices of buffers that outlive the call, one after another: a large content
// made of pieces (a head read from disk, runs of lines held in memory) is written, kept or
// compared without first being joined into one new buffer.
using Slices = QList<QByteArrayView>;

// The file operations a safe replace is made of, one call per step, so that tests can make
// any step fail or hold it. A failure says why in the system's words.
// One file at a time is being written: create, write..., then commit or discard.
class FileSteps
{
public:
    virtual ~FileSteps() = default;

    // Whether anything (also a dangling link) has this name.
    virtual bool exists(const QString &path) = 0;
    // Opens, reads to the end and closes. Refuses, without blocking, anything but a regular
    // file (or a link to one).
    virtual Result<QByteArray> read(const QString &path) = 0;
    // Reads the file as read() does, but hands its bytes in order to `take`, a slice at a time
    // (each a view of one buffer reused from slice to slice and from call to call, valid only
    // during the call), with the file's size when it was opened; `take` returns false to stop
    // reading. A large file is so compared without a buffer of its size.
    using Take = std::function<bool(qint64 size, QByteArrayView slice)>;
    virtual Result<> scan(const QString &path, const Take &take) = 0;
    // Renames without ever replacing an existing file, even one that appears meanwhile, and
    // never by copying.
    virtual Result<> rename(const QString &from, const QString &to) = 0;
    // Gives `to`, a free name, the content of `from` (whose bytes are given) and leaves `from`
    // as it is: a second link to the same data where the file system allows it, else a copy
    // synced to disk. Fails when `to` is taken.
    virtual Result<> keep(const QString &from, const QString &to, const Slices &bytes) = 0;
    // Gives `to`, a free name, a copy of bytes synced to disk (never a link).
    virtual Result<> copy(const QString &to, const Slices &bytes) = 0;
    // Where writing to `path` lands: the file a symbolic link leads to (followed to its end),
    // else `path` itself. A dangling link gives `path`.
    virtual QString resolved(const QString &path) = 0;
    // Starts a new file beside `path` («Prog.txt.XXXXXX»), which keeps its content. An existing
    // file's mode, owner, group and extended attributes carry over to the new one; a mode that
    // cannot be kept fails.
    virtual Result<> create(const QString &path) = 0;
    virtual Result<> write(QByteArrayView bytes) = 0;
    // Flushes the new file, syncs it to disk and closes it. It stays under its temporary name,
    // which is returned, until it is renamed or exchanged into place.
    virtual Result<QString> commit() = 0;
    // Drops the file being written, leaving nothing behind.
    virtual void discard() = 0;
    // Swaps the contents of two names in one step; fails where the system cannot.
    virtual Result<> exchange(const QString &a, const QString &b) = 0;
    // Renames `path` to a free name beside it («Prog.txt.XXXXXX»), never replacing a file, and
    // gives that name.
    virtual Result<QString> moveAside(const QString &path) = 0;
    virtual Result<> remove(const QString &path) = 0;

    // Why a new file could not take the place of `path` with all it has (further hard links,
    // an owner that cannot be given back, extended attributes or an access control list);
    // nothing when it can. Such a file is rewritten in place.
    virtual std::optional<QString> keepsOnlyInPlace(const QString &path) = 0;
    // Writes bytes over the file's own content, cuts it to their size and syncs it.
    virtual Result<> overwrite(const QString &path, const Slices &bytes) = 0;

    // Waits for other Brindle instances that write in the folder of `path` or write the file
    // itself (through any of its names: links, hard links in other folders), then keeps them
    // waiting until unlock(). Fails when the wait is too long.
    virtual Result<> lock(const QString &path) = 0;
    virtual void unlock() = 0;
    // Whether two names are the same file (one inode).
    virtual bool sameFile(const QString &a, const QString &b) = 0;
};
