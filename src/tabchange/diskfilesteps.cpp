#include "diskfilesteps.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

QString DiskFileSteps::read(const QString &path, QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    return {};
}

QString DiskFileSteps::rename(const QString &from, const QString &to)
{
    if (exists(to))
        return QStringLiteral("%1 already exists").arg(to);
    QFile file(from);
    if (!file.rename(to))
        return file.errorString();
    return {};
}

QString DiskFileSteps::create(const QString &path)
{
    discard();
    if (exists(path))
        return QStringLiteral("%1 already exists").arg(path);
    m_out = std::make_unique<QSaveFile>(path);
    m_out->setDirectWriteFallback(false);
    if (!m_out->open(QIODevice::WriteOnly)) {
        const QString error = m_out->errorString();
        m_out.reset();
        return error;
    }
    return {};
}

QString DiskFileSteps::write(const QByteArray &bytes)
{
    if (!m_out)
        return QStringLiteral("no file is being written");
    if (m_out->write(bytes) != bytes.size())
        return m_out->errorString();
    return {};
}

QString DiskFileSteps::commit()
{
    if (!m_out)
        return QStringLiteral("no file is being written");
    const bool ok = m_out->commit();
    const QString error = m_out->errorString();
    m_out.reset();
    return ok ? QString() : error;
}

void DiskFileSteps::discard()
{
    if (!m_out)
        return;
    m_out->cancelWriting();
    m_out.reset();
}

QString DiskFileSteps::remove(const QString &path)
{
    QFile file(path);
    if (!file.remove())
        return file.errorString();
    return {};
}
