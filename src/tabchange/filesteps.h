#pragma once

#include <QByteArray>
#include <QString>

// The file operations a rewrite is made of, one call per step, so that tests can make any
// step fail. Each returns the empty text on success, else a description of the failure.
// One file at a time is being written: create, write..., then commit or discard.
class FileSteps
{
public:
    virtual ~FileSteps() = default;

    // Whether anything (also a dangling link) has this name.
    virtual bool exists(const QString &path) = 0;
    // Opens, reads to the end and closes.
    virtual QString read(const QString &path, QByteArray &bytes) = 0;
    // Renames without ever replacing an existing file.
    virtual QString rename(const QString &from, const QString &to) = 0;
    // Starts a new file; it shows under its name only once committed. Fails when the name
    // is taken.
    virtual QString create(const QString &path) = 0;
    virtual QString write(const QByteArray &bytes) = 0;
    // Flushes the new file, syncs it to disk, closes it and puts it under its name.
    virtual QString commit() = 0;
    // Drops the file being written, leaving nothing behind.
    virtual void discard() = 0;
    virtual QString remove(const QString &path) = 0;
};
