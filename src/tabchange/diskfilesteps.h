#pragma once

#include "filesteps.h"

#include <memory>

class QSaveFile;

// The file steps on the real file system. A new file is written through QSaveFile, so it
// appears under its name complete and synced to disk, or not at all.
class DiskFileSteps : public FileSteps
{
public:
    DiskFileSteps();
    ~DiskFileSteps() override;

    bool exists(const QString &path) override;
    Result<QByteArray> read(const QString &path) override;
    Result<> rename(const QString &from, const QString &to) override;
    Result<> keep(const QString &from, const QString &to, const QByteArray &bytes) override;
    Result<> create(const QString &path) override;
    Result<> write(const QByteArray &bytes) override;
    Result<> commit() override;
    void discard() override;
    Result<> remove(const QString &path) override;

private:
    std::unique_ptr<QSaveFile> m_out;
};
