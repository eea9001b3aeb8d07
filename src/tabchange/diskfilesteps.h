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
    QString read(const QString &path, QByteArray &bytes) override;
    QString rename(const QString &from, const QString &to) override;
    QString keep(const QString &from, const QString &to, const QByteArray &bytes) override;
    QString create(const QString &path) override;
    QString write(const QByteArray &bytes) override;
    QString commit() override;
    void discard() override;
    QString remove(const QString &path) override;

private:
    std::unique_ptr<QSaveFile> m_out;
};
