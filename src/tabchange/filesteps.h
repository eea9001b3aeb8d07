#pragma once

#include "result.h"

#include <QByteArray>
#include <QString>

// The file operations a rewrite is made of, one call per step, so that tests can make any
// step fail. A failure says why in the system's words.
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
    // Renames without ever replacing an existing file.
    virtual Result<> rename(const QString &from, const QString &to) = 0;
    // Gives `to`, a free name, the content of `from` (whose bytes are given) and leaves `from`
    // as it is: a second link to the same data where the file system allows it, else a copy
    // synced to disk. Fails when `to` is taken.
    virtual Result<> keep(const QString &from, const QString &to, const QByteArray &bytes) = 0;
    // Starts a new file that replaces `path` when committed; until then `path` keeps its
    // content. Writing goes through a link to its target, and an existing file's permissions
    // carry over.
    virtual Result<> create(const QString &path) = 0;
    virtual Result<> write(const QByteArray &bytes) = 0;
    // Flushes the new file, syncs it to disk, closes it and puts it under its name.
    virtual Result<> commit() = 0;
    // Drops the file being written, leaving nothing behind.
    virtual void discard() = 0;
    virtual Result<> remove(const QString &path) = 0;
};
