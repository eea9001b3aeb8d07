#include "diskfilesteps.h"

#include "textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <filesystem>
#include <system_error>

namespace {

std::filesystem::path nativePath(const QString &path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

} // namespace

DiskFileSteps::DiskFileSteps() = default;

DiskFileSteps::~DiskFileSteps()
{
    discard();
}

bool DiskFileSteps::exists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

Result<QByteArray> DiskFileSteps::read(const QString &path)
{
    return TextFile::readBytes(path);
}

Result<> DiskFileSteps::rename(const QString &from, const QString &to)
{
    if (exists(to))
        return Result<>::failure(QStringLiteral("%1 already exists").arg(to));
    QFile file(from);
    if (!file.rename(to))
        return Result<>::failure(file.errorString());
    return {};
}

Result<> DiskFileSteps::keep(const QString &from, const QString &to, const QByteArray &bytes)
{
    if (exists(to))
        return Result<>::failure(QStringLiteral("%1 already exists").arg(to));
    // A second link costs nothing and leaves the file itself untouched; it needs both names on
    // one file system that supports links, so a copy stands in where it cannot be made.
    const QString target = QFileInfo(from).canonicalFilePath();
    std::error_code error;
    if (!target.isEmpty()) {
        std::filesystem::create_hard_link(nativePath(target), nativePath(to), error);
        if (!error)
            return {};
    }
    QSaveFile copy(to);
    copy.setDirectWriteFallback(false);
    if (!copy.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Result<>::failure(copy.errorString());
    const Result<> written = TextFile::writeAll(copy, bytes);
    if (!written) {
        copy.cancelWriting();
        return written;
    }
    if (exists(to)) {
        copy.cancelWriting();
        return Result<>::failure(QStringLiteral("%1 already exists").arg(to));
    }
    if (!copy.commit())
        return Result<>::failure(copy.errorString());
    return {};
}

Result<> DiskFileSteps::create(const QString &path)
{
    discard();
    m_out = std::make_unique<QSaveFile>(path);
    m_out->setDirectWriteFallback(false);
    if (!m_out->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const QString error = m_out->errorString();
        m_out.reset();
        return Result<>::failure(error);
    }
    return {};
}

Result<> DiskFileSteps::write(const QByteArray &bytes)
{
    if (!m_out)
        return Result<>::failure(QStringLiteral("no file is being written"));
    return TextFile::writeAll(*m_out, bytes);
}

Result<> DiskFileSteps::commit()
{
    if (!m_out)
        return Result<>::failure(QStringLiteral("no file is being written"));
    const bool ok = m_out->commit();
    const QString error = m_out->errorString();
    m_out.reset();
    return ok ? Result<>() : Result<>::failure(error);
}

void DiskFileSteps::discard()
{
    if (!m_out)
        return;
    m_out->cancelWriting();
    m_out.reset();
}

Result<> DiskFileSteps::remove(const QString &path)
{
    QFile file(path);
    if (!file.remove())
        return Result<>::failure(file.errorString());
    return {};
}
