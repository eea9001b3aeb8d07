#include "diskfilesteps.h"

#include "textfile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QTemporaryFile>
#include <QThread>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <thread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/xattr.h>
#endif
#ifdef Q_OS_WIN
#include <io.h>
#endif

namespace {

std::filesystem::path nativePath(const QString &path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Where writing to `path` lands: the target of a symbolic link, else the name itself.
QString writtenName(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QString target = info.canonicalFilePath();
        if (!target.isEmpty())
            return target;
    }
    return path;
}

// The slices one after another into the file.
Result<> writeSlices(QFileDevice &file, const Slices &bytes)
{
    for (const QByteArrayView slice : bytes) {
        const Result<> written = TextFile::writeAll(file, slice);
        if (!written)
            return written;
    }
    return {};
}

qsizetype sizeOf(const Slices &bytes)
{
    qsizetype size = 0;
    for (const QByteArrayView slice : bytes)
        size += slice.size();
    return size;
}

#ifdef Q_OS_UNIX
// A file this large that loses its last name is freed by another thread (see remove()).
constexpr qint64 freedInBackground = 1 << 20;
#endif
#ifdef Q_OS_LINUX
// Bytes written before the disk is asked to start writing them (see write()).
constexpr qint64 startWritingAfter = 1 << 20;
#endif

// The size of the slices scan() reads: large enough that a read costs little per byte, small
// enough to stay in the processor's cache while it is compared.
constexpr qsizetype scanSlice = 256 * 1024;

Result<> syncToDisk(QFile &file)
{
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0)
        return Result<>::failure(systemReason(errno));
#elif defined(Q_OS_WIN)
    if (file.handle() >= 0 && ::_commit(file.handle()) != 0)
        return Result<>::failure(systemReason(errno));
#endif
    return {};
}

#ifdef Q_OS_UNIX
QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}
#endif

#if defined(Q_OS_LINUX) && defined(RENAME_EXCHANGE)
constexpr bool canSwap = true;
#else
constexpr bool canSwap = false;
#endif

// Makes and opens for writing a new file «name.XXXXXX» (six letters or digits, as
// QTemporaryFile names them) only where that name is free, with the permissions of any new
// file.
Result<> createFree(const QString &name, QFile &file)
{
    static constexpr char characters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString suffix(6, Qt::Uninitialized);
        for (QChar &c : suffix)
            c = QLatin1Char(characters[QRandomGenerator::global()->bounded(62)]);
        file.setFileName(name + QLatin1Char('.') + suffix);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            return {};
        if (!file.exists())
            break;
    }
    return Result<>::failure(file.errorString());
}

} // namespace

DiskFileSteps::DiskFileSteps() = default;

DiskFileSteps::~DiskFileSteps()
{
    discard();
    unlock();
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

Result<> DiskFileSteps::scan(const QString &path, const Take &take)
{
    const QString irregular = TextFile::notRegular(path);
    if (!irregular.isEmpty())
        return Result<>::failure(irregular);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return Result<>::failure(file.errorString());
    const qint64 size = file.size();
    if (m_slice.size() != scanSlice)
        m_slice.resize(scanSlice);
    for (;;) {
        const qint64 got = file.read(m_slice.data(), m_slice.size());
        if (got < 0)
            return Result<>::failure(file.errorString());
        if (got == 0 || !take(size, QByteArrayView(m_slice.constData(), got)))
            return {};
    }
}

Result<> DiskFileSteps::rename(const QString &from, const QString &to)
{
#ifdef Q_OS_UNIX
    const QByteArray source = encoded(from);
    const QByteArray dest = encoded(to);
#if defined(Q_OS_LINUX) && defined(RENAME_NOREPLACE)
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, dest.constData(), RENAME_NOREPLACE) ==
        0)
        return {};
    if (errno != EINVAL && errno != ENOSYS)
        return Result<>::failure(errno == EEXIST ? QStringLiteral("%1 already exists").arg(to)
                                                 : systemReason(errno));
#endif
    // A second name made with link() is refused when the name is taken; then the first goes.
    if (::link(source.constData(), dest.constData()) != 0) {
        const int error = errno;
        if (error == EEXIST)
            return Result<>::failure(QStringLiteral("%1 already exists").arg(to));
        // A file system without links (FAT on a memory card) leaves a check and a rename: the
        // rename still moves the file, never copies it.
        if (error != EPERM && error != ENOTSUP && error != EOPNOTSUPP && error != EMLINK)
            return Result<>::failure(systemReason(error));
        if (exists(to))
            return Result<>::failure(QStringLiteral("%1 already exists").arg(to));
        if (::rename(source.constData(), dest.constData()) != 0)
            return Result<>::failure(systemReason(errno));
        return {};
    }
    if (::unlink(source.constData()) != 0)
        return Result<>::failure(systemReason(errno));
    return {};
#else
    // The runtime's rename never replaces an existing file here.
    if (::_wrename(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(from).utf16()),
                   reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(to).utf16())) != 0)
        return Result<>::failure(exists(to) ? QStringLiteral("%1 already exists").arg(to)
                                            : systemReason(errno));
    return {};
#endif
}

Result<> DiskFileSteps::keep(const QString &from, const QString &to, const Slices &bytes)
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
    return copy(to, bytes);
}

Result<> DiskFileSteps::copy(const QString &to, const Slices &bytes)
{
    if (exists(to))
        return Result<>::failure(QStringLiteral("%1 already exists").arg(to));
    // Written beside `to` under a free name noted as Brindle's own, synced, then given the name
    // `to`, never over a file: a copy cut short is a file Brindle can later prove it made.
    QFile copy;
    Result<> step = createFree(to, copy);
    if (!step)
        return step;
    (void)m_journal.writing(to, copy.fileName());
    step = writeSlices(copy, bytes);
    if (step)
        step = syncToDisk(copy);
    copy.close();
    if (step && copy.error() != QFileDevice::NoError)
        step = Result<>::failure(copy.errorString());
    if (step)
        step = rename(copy.fileName(), to);
    if (!step)
        QFile::remove(copy.fileName());
    return step;
}

Result<> DiskFileSteps::create(const QString &path)
{
    discard();
    m_target = writtenName(path);
    m_targetExisted = QFileInfo::exists(m_target);
    // A file the user may not write keeps its content, though its folder may be writable.
    if (m_targetExisted && !QFileInfo(m_target).isWritable())
        return Result<>::failure(QStringLiteral("%1 is write-protected").arg(m_target));
    QString name;
    {
        QTemporaryFile temporary(m_target + QStringLiteral(".XXXXXX"));
        temporary.setAutoRemove(false);
        if (!temporary.open())
            return Result<>::failure(temporary.errorString());
        name = temporary.fileName();
    }
    // Noted as Brindle's own before anything is written to it. A note that cannot be written
    // costs only the offer to remove the file should the write be stopped.
    (void)m_journal.writing(path, name);
    m_out = std::make_unique<QFile>(name);
    m_written = 0;
    m_unsynced = 0;
    if (!m_out->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        const QString error = m_out->errorString();
        QFile::remove(name);
        m_out.reset();
        return Result<>::failure(error);
    }
    if (m_targetExisted) {
#ifdef Q_OS_UNIX
        // Owner first: a change of owner clears the setuid and setgid bits the mode then sets.
        struct stat old = {};
        if (::stat(encoded(m_target).constData(), &old) == 0) {
            if (::fchown(m_out->handle(), old.st_uid, old.st_gid) != 0)
                (void)::fchown(m_out->handle(), uid_t(-1), old.st_gid);
            (void)::fchmod(m_out->handle(), old.st_mode & 07777);
        }
#else
        m_out->setPermissions(QFileInfo(m_target).permissions());
#endif
    }
    return {};
}

Result<> DiskFileSteps::write(QByteArrayView bytes)
{
    if (!m_out)
        return Result<>::failure(QStringLiteral("no file is being written"));
    const Result<> written = TextFile::writeAll(*m_out, bytes);
#ifdef Q_OS_LINUX
    // The disk starts writing each megabyte while the next ones are copied, so that the sync at
    // commit() has less left to wait for. It only starts the writing: commit() still syncs the
    // whole file and reports what failed.
    m_unsynced += bytes.size();
    if (written && m_unsynced >= startWritingAfter) {
        (void)::sync_file_range(m_out->handle(), m_written, m_unsynced, SYNC_FILE_RANGE_WRITE);
        m_written += m_unsynced;
        m_unsynced = 0;
    }
#endif
    return written;
}

Result<QString> DiskFileSteps::commit()
{
    if (!m_out)
        return Result<QString>::failure(QStringLiteral("no file is being written"));
    const Result<> synced = syncToDisk(*m_out);
    m_out->close();
    const bool closed = m_out->error() == QFileDevice::NoError;
    const QString closeError = m_out->errorString();
    const QString temporary = m_out->fileName();
    if (!synced || !closed) {
        discard();
        return Result<QString>::failure(synced ? closeError : synced.message());
    }
    if (!m_targetExisted) {
        // A file that appeared meanwhile under the name is not replaced.
        const Result<> renamed = rename(temporary, m_target);
        if (!renamed) {
            discard();
            return Result<QString>::failure(renamed.message());
        }
        m_out.reset();
        return QString();
    }
    if (canSwap) {
        // Swapped out, what was under the name is under the temporary's: no longer Brindle's.
        if (const Result<> noted = m_journal.swapping(temporary); !noted) {
            discard();
            return Result<QString>::failure(noted.message());
        }
        const Result<> swapped = exchange(temporary, m_target);
        if (swapped) {
            m_out.reset();
            return temporary;
        }
    }
    std::error_code error;
    std::filesystem::rename(nativePath(temporary), nativePath(m_target), error);
    if (error) {
        discard();
        return Result<QString>::failure(QString::fromLocal8Bit(error.message()));
    }
    m_out.reset();
    return QString();
}

void DiskFileSteps::discard()
{
    if (!m_out)
        return;
    m_out->close();
    QFile::remove(m_out->fileName());
    m_out.reset();
}

Result<> DiskFileSteps::exchange(const QString &a, const QString &b)
{
#if defined(Q_OS_LINUX) && defined(RENAME_EXCHANGE)
    if (::renameat2(AT_FDCWD, encoded(a).constData(), AT_FDCWD, encoded(b).constData(),
                    RENAME_EXCHANGE) == 0)
        return {};
    return Result<>::failure(systemReason(errno));
#else
    Q_UNUSED(a);
    Q_UNUSED(b);
    return Result<>::failure(QStringLiteral("this system cannot swap two files in one step"));
#endif
}

Result<> DiskFileSteps::remove(const QString &path)
{
#ifdef Q_OS_UNIX
    // The last name of a large file: the system frees its storage (many megabytes of cached
    // pages and disk blocks) when the name goes, which takes a while. The name goes now, but a
    // descriptor kept open puts off the freeing until it is closed, which a short-lived thread
    // does. Should the process stop first, the system closes the descriptor and frees the
    // storage the same way: nothing is left behind either way.
    const QByteArray name = encoded(path);
    struct stat info = {};
    if (::lstat(name.constData(), &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1 &&
        info.st_size >= freedInBackground) {
        const int handle = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (handle >= 0) {
            if (::unlink(name.constData()) == 0) {
                try {
                    std::thread([handle] { ::close(handle); }).detach();
                } catch (const std::system_error &) {
                    ::close(handle);
                }
                return {};
            }
            ::close(handle);
        }
    }
#endif
    QFile file(path);
    if (!file.remove())
        return Result<>::failure(file.errorString());
    return {};
}

QString DiskFileSteps::keepsOnlyInPlace(const QString &path)
{
#ifdef Q_OS_UNIX
    const QByteArray name = encoded(writtenName(path));
    struct stat info = {};
    if (::stat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    if (info.st_nlink > 1)
        return QStringLiteral("it has %1 hard links").arg(qulonglong(info.st_nlink));
    if (info.st_uid != ::geteuid() && ::geteuid() != 0)
        return QStringLiteral("it belongs to another user");
#ifdef Q_OS_LINUX
    const ssize_t size = ::listxattr(name.constData(), nullptr, 0);
    if (size > 0) {
        QByteArray names(size, '\0');
        const ssize_t got = ::listxattr(name.constData(), names.data(), size_t(names.size()));
        // A security label is given to a new file in the folder as well.
        for (const QByteArray &attribute : names.first(qMax<ssize_t>(got, 0)).split('\0')) {
            if (!attribute.isEmpty() && attribute != "security.selinux")
                return QStringLiteral("it has extended attributes or an access control list");
        }
    }
#endif
#else
    Q_UNUSED(path);
#endif
    return {};
}

Result<> DiskFileSteps::overwrite(const QString &path, const Slices &bytes)
{
    QFile file(writtenName(path));
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return Result<>::failure(file.errorString());
    Result<> step = writeSlices(file, bytes);
    if (step && !file.resize(sizeOf(bytes)))
        step = Result<>::failure(file.errorString());
    if (step)
        step = syncToDisk(file);
    file.close();
    return step;
}

Result<> DiskFileSteps::lock(const QString &path)
{
    unlock();
    const QString folder = QFileInfo(path).absolutePath();
    const QDeadlineTimer deadline(lockWait);
#ifdef Q_OS_UNIX
    m_lockHandle = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_lockHandle < 0)
        return Result<>::failure(systemReason(errno));
    for (;;) {
        if (::flock(m_lockHandle, LOCK_EX | LOCK_NB) == 0)
            return {};
        const int error = errno;
        if ((error != EWOULDBLOCK && error != EINTR) || deadline.hasExpired()) {
            ::close(m_lockHandle);
            m_lockHandle = -1;
            return Result<>::failure(error == EWOULDBLOCK
                                         ? QStringLiteral("another Brindle window kept writing "
                                                          "in its folder")
                                         : systemReason(error));
        }
        QThread::msleep(10);
    }
#else
    m_lockFile = std::make_unique<QLockFile>(folder + QStringLiteral("/.brindle.lock"));
    if (m_lockFile->tryLock(int(deadline.remainingTime())))
        return {};
    m_lockFile.reset();
    return Result<>::failure(QStringLiteral("another Brindle window kept writing in its folder"));
#endif
}

void DiskFileSteps::unlock()
{
    m_journal.finish();
#ifdef Q_OS_UNIX
    if (m_lockHandle >= 0) {
        ::flock(m_lockHandle, LOCK_UN);
        ::close(m_lockHandle);
        m_lockHandle = -1;
    }
#endif
    m_lockFile.reset();
}

bool DiskFileSteps::sameFile(const QString &a, const QString &b)
{
    std::error_code error;
    const bool same = std::filesystem::equivalent(nativePath(a), nativePath(b), error);
    return !error && same;
}
