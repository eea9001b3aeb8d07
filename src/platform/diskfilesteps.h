#pragma once

#include "filesteps.h"
#include "writejournal.h"

#include <functional>
#include <memory>
#include <vector>

class QFile;
class QLockFile;

// The file steps on the real file system. A new file is written to a temporary name beside
// its target and swapped in complete and synced to disk, or not at all. On Linux the swap is
// renameat2(RENAME_EXCHANGE) where the file system has it, and the lock a flock() on the
// folder and on the file; elsewhere lock files.
class DiskFileSteps : public FileSteps
{
public:
    DiskFileSteps();
    ~DiskFileSteps() override;

    bool exists(const QString &path) override;
    Result<QByteArray> read(const QString &path) override;
    Result<> scan(const QString &path, const Take &take) override;
    Result<> rename(const QString &from, const QString &to) override;
    Result<> keep(const QString &from, const QString &to, const Slices &bytes) override;
    Result<> copy(const QString &to, const Slices &bytes) override;
    Result<> create(const QString &path) override;
    Result<> write(QByteArrayView bytes) override;
    Result<QString> commit() override;
    void discard() override;
    Result<> exchange(const QString &a, const QString &b) override;
    Result<QString> moveAside(const QString &path) override;
    QString resolved(const QString &path) override;
    Result<> remove(const QString &path) override;
    std::optional<QString> keepsOnlyInPlace(const QString &path) override;
    Result<> overwrite(const QString &path, const Slices &bytes) override;
    Result<> lock(const QString &path) override;
    void unlock() override;
    bool sameFile(const QString &a, const QString &b) override;

    // How long lock() waits for another instance, in milliseconds.
    int lockWait = 30000;
    // Called every few milliseconds while lock() waits; returning false gives the wait up.
    std::function<bool()> whileWaiting;

private:
    std::unique_ptr<QFile> m_out;
    qint64 m_written = 0;      // bytes of the new file the disk was asked to start writing
    qint64 m_unsynced = 0;     // and the bytes written after them
    int m_lockHandle = -1;     // the locked folder (Unix)
    int m_fileLockHandle = -1; // the locked file (Unix)
    std::vector<std::unique_ptr<QLockFile>> m_lockFiles; // elsewhere
    QByteArray m_slice; // the buffer scan() reads into, kept from call to call

    // Notes the new files made as Brindle's own, until the lock is released.
    WriteJournal m_journal;
    QString m_writingFor; // the name given to create(), whose folder keeps the notes
};
