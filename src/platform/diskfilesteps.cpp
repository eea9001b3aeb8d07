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

#ifdef Q_OS_LINUX
// Extended attributes that a new copy carries: the user's own and the access control lists.
// A security label is given to a new file in the folder anyway; any other kind needs
// privileges, so a file that has one is written in place.
bool carried(const QByteArray &attribute)
{
    return attribute.startsWith("user.") || attribute == "system.posix_acl_access" ||
           attribute == "system.posix_acl_default";
}

QList<QByteArray> attributeNames(const QByteArray &name)
{
    const ssize_t size = ::listxattr(name.constData(), nullptr, 0);
    if (size <= 0)
        return {};
    QByteArray names(size, '\0');
    const ssize_t got = ::listxattr(name.constData(), names.data(), size_t(names.size()));
    QList<QByteArray> list = names.first(qMax<ssize_t>(got, 0)).split('\0');
    list.removeAll(QByteArray());
    list.removeAll(QByteArrayLiteral("security.selinux"));
    return list;
}

// Gives the new file the extended attributes of the file it replaces.
Result<> copyAttributes(const QByteArray &from, int to)
{
    for (const QByteArray &attribute : attributeNames(from)) {
        ssize_t length = ::getxattr(from.constData(), attribute.constData(), nullptr, 0);
        QByteArray value(qMax<ssize_t>(length, 0), '\0');
        if (length >= 0)
            length = ::getxattr(from.constData(), attribute.constData(), value.data(),
                                size_t(value.size()));
        if (length < 0 ||
            ::fsetxattr(to, attribute.constData(), value.constData(), size_t(length), 0) != 0)
            return Result<>::failure(
                QStringLiteral("its extended attribute %1 could not be given to the new copy (%2)")
                    .arg(QString::fromLatin1(attribute), systemReason(errno)));
    }
    return {};
}
#endif

// Gives the new file what the file it replaces has beside its bytes: owner and group where
// they can be given, the mode, which must be kept, and the extended attributes.
Result<> carryOver(const QString &target, QFile &out)
{
#ifdef Q_OS_UNIX
    const QByteArray name = encoded(target);
    struct stat old = {};
    if (::stat(name.constData(), &old) != 0)
        return {};
    // Owner first: a change of owner clears the setuid and setgid bits the mode then sets.
    if (::fchown(out.handle(), old.st_uid, old.st_gid) != 0)
        (void)::fchown(out.handle(), uid_t(-1), old.st_gid);
#ifdef Q_OS_LINUX
    // Before the mode: an access control list sets the group bits of the mode too.
    if (const Result<> copied = copyAttributes(name, out.handle()); !copied)
        return copied;
#endif
    const mode_t mode = old.st_mode & 07777;
    struct stat now = {};
    // A file system that keeps no modes (FAT) refuses the change but gives each file the same.
    if (::fchmod(out.handle(), mode) != 0 &&
        (::fstat(out.handle(), &now) != 0 || (now.st_mode & 07777) != mode))
        return Result<>::failure(
            QStringLiteral("the new copy could not be given the file's permissions (%1)")
                .arg(systemReason(errno)));
#else
    if (!out.setPermissions(QFileInfo(target).permissions()))
        return Result<>::failure(
            QStringLiteral("the new copy could not be given the file's permissions (%1)")
                .arg(out.errorString()));
#endif
    return {};
}

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
    const std::optional<QString> irregular = TextFile::notRegular(path);
    if (irregular)
        return Result<>::failure(*irregular);
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
    const QString target = writtenName(path);
    const bool targetExists = QFileInfo::exists(target);
    // A file the user may not write keeps its content, though its folder may be writable.
    if (targetExists && !QFileInfo(target).isWritable())
        return Result<>::failure(QStringLiteral("%1 is write-protected").arg(target));
    QString name;
    {
        QTemporaryFile temporary(target + QStringLiteral(".XXXXXX"));
        temporary.setAutoRemove(false);
        if (!temporary.open())
            return Result<>::failure(temporary.errorString());
        name = temporary.fileName();
    }
    // Noted as Brindle's own before anything is written to it. A note that cannot be written
    // costs only the offer to remove the file should the write be stopped.
    (void)m_journal.writing(path, name);
    m_writingFor = path;
    m_out = std::make_unique<QFile>(name);
    m_written = 0;
    m_unsynced = 0;
    if (!m_out->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        const QString error = m_out->errorString();
        QFile::remove(name);
        m_out.reset();
        return Result<>::failure(error);
    }
    if (targetExists) {
        const Result<> carried = carryOver(target, *m_out);
        if (!carried) {
            discard();
            return carried;
        }
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
    // A sync that fails says why first; else a close that fails (the last buffered write).
    Result<> done = syncToDisk(*m_out);
    m_out->close();
    if (done && m_out->error() != QFileDevice::NoError)
        done = Result<>::failure(m_out->errorString());
    if (!done) {
        discard();
        return Result<QString>::failure(done.message());
    }
    // The name may be told to the user (where another program's save is kept): in the system's
    // own form.
    const QString temporary = QDir::toNativeSeparators(m_out->fileName());
    m_out.reset();
    return temporary;
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
    // Swapped, `a` holds what was under `b`: no longer only what Brindle wrote.
    if (const Result<> noted = m_journal.swapping(a); !noted)
        return noted;
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

Result<QString> DiskFileSteps::moveAside(const QString &path)
{
    // Free names are tried until one is found; rename() never takes a name that is in use.
    for (int tries = 0; tries < 100; ++tries) {
        QString name;
        {
            QTemporaryFile reserve(path + QStringLiteral(".XXXXXX"));
            if (!reserve.open())
                return Result<QString>::failure(reserve.errorString());
            // Shown to the user when the content stays there: in the system's own form.
            name = QDir::toNativeSeparators(reserve.fileName());
        } // the reserved name is free again, and unlikely to be chosen by anyone else
        // Moved aside, the name holds what was under `path`, perhaps another program's save.
        (void)m_journal.movingAside(m_writingFor.isEmpty() ? path : m_writingFor, name);
        const Result<> renamed = rename(path, name);
        if (renamed)
            return name;
        if (!exists(name))
            return Result<QString>::failure(renamed.message());
    }
    return Result<QString>::failure(QStringLiteral("no free name beside %1").arg(path));
}

QString DiskFileSteps::resolved(const QString &path)
{
    return writtenName(path);
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

std::optional<QString> DiskFileSteps::keepsOnlyInPlace(const QString &path)
{
#ifdef Q_OS_UNIX
    const QByteArray name = encoded(writtenName(path));
    struct stat info = {};
    if (::stat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    if (info.st_nlink > 1)
        return QStringLiteral("it has %1 hard links").arg(qulonglong(info.st_nlink));
    if (info.st_uid != ::geteuid() && ::geteuid() != 0)
        return QStringLiteral("it belongs to another user");
#ifdef Q_OS_LINUX
    for (const QByteArray &attribute : attributeNames(name)) {
        if (!carried(attribute))
            return QStringLiteral("it has the extended attribute %1, which a new copy cannot carry")
                .arg(QString::fromLatin1(attribute));
    }
#endif
#else
    Q_UNUSED(path);
#endif
    return std::nullopt;
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

namespace {

const QString anotherWindow = QStringLiteral("another Brindle window kept writing it");
const QString waitCancelled =
    QStringLiteral("the wait for another Brindle window writing it was cancelled");

using WhileWaiting = std::function<bool()>;

#ifdef Q_OS_UNIX
// Takes the exclusive flock() of an open file or folder, waiting until the deadline or until
// whileWaiting gives up.
Result<> waitForLock(int handle, const QDeadlineTimer &deadline, const WhileWaiting &whileWaiting)
{
    for (;;) {
        if (::flock(handle, LOCK_EX | LOCK_NB) == 0)
            return {};
        const int error = errno;
        if ((error != EWOULDBLOCK && error != EINTR) || deadline.hasExpired())
            return Result<>::failure(error == EWOULDBLOCK ? anotherWindow : systemReason(error));
        if (whileWaiting && !whileWaiting())
            return Result<>::failure(waitCancelled);
        QThread::msleep(10);
    }
}

// Locks the file itself, its inode, so that writers that reach it by different names (hard
// links in two folders, links from elsewhere) meet. A file that another writer replaced under
// the name while this one waited is a new inode: the lock is taken again, on it. Gives the
// locked handle, or -1 when there is no regular file under the name.
Result<int> lockInode(const QByteArray &name, const QDeadlineTimer &deadline,
                      const WhileWaiting &whileWaiting)
{
    for (;;) {
        const int handle = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (handle < 0)
            return -1; // no file yet (a new one is made under the folder's lock), or unreadable
        struct stat opened = {};
        if (::fstat(handle, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            ::close(handle);
            return -1;
        }
        const Result<> locked = waitForLock(handle, deadline, whileWaiting);
        if (!locked) {
            ::close(handle);
            return Result<int>::failure(locked.message());
        }
        struct stat named = {};
        if (::stat(name.constData(), &named) == 0 && named.st_dev == opened.st_dev &&
            named.st_ino == opened.st_ino)
            return handle;
        ::close(handle);
    }
}

// Locks the folder, then the file in it: the handles are kept in folderHandle and fileHandle
// (-1 where nothing is locked), which the caller closes on a failure.
Result<> lockFolderAndFile(const QString &folder, const QString &target,
                           const QDeadlineTimer &deadline, const WhileWaiting &whileWaiting,
                           int &folderHandle, int &fileHandle)
{
    folderHandle = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderHandle < 0)
        return Result<>::failure(QStringLiteral("its folder %1 could not be opened (%2)")
                                     .arg(QDir::toNativeSeparators(folder), systemReason(errno)));
    if (const Result<> locked = waitForLock(folderHandle, deadline, whileWaiting); !locked)
        return locked;
    const Result<int> file = lockInode(encoded(target), deadline, whileWaiting);
    if (!file)
        return Result<>::failure(file.message());
    fileHandle = file.value();
    return {};
}
#else
// Takes the lock file of a folder, waiting until the deadline or until whileWaiting gives up.
Result<> takeLockFile(QLockFile &lockFile, const QString &folder, const QDeadlineTimer &deadline,
                      const WhileWaiting &whileWaiting)
{
    bool cancelled = false;
    while (!lockFile.tryLock(int(qBound(qint64(0), deadline.remainingTime(), qint64(10))))) {
        cancelled = whileWaiting && !whileWaiting();
        if (cancelled || deadline.hasExpired() || lockFile.error() != QLockFile::LockFailedError)
            break;
    }
    if (lockFile.isLocked())
        return {};
    if (cancelled)
        return Result<>::failure(waitCancelled);
    if (lockFile.error() != QLockFile::LockFailedError)
        return Result<>::failure(
            QStringLiteral("its lock file could not be made in %1, which may not be writable")
                .arg(QDir::toNativeSeparators(folder)));
    return Result<>::failure(anotherWindow);
}
#endif

} // namespace

Result<> DiskFileSteps::lock(const QString &path)
{
    unlock();
    const QString folder = QFileInfo(path).absolutePath();
    const QString target = writtenName(path);
    const QDeadlineTimer deadline(lockWait);
    // The folder first, then the file: no writer holds the file while it waits for a folder,
    // so two writers never wait for each other.
#ifdef Q_OS_UNIX
    const Result<> locked =
        lockFolderAndFile(folder, target, deadline, whileWaiting, m_lockHandle, m_fileLockHandle);
    if (!locked)
        unlock();
    return locked;
#else
    // Lock files in the folder of the name and in the real folder of the file it leads to, in
    // the order of their names, so that two writers never wait for each other.
    QStringList folders{folder, QFileInfo(target).absolutePath()};
    folders.removeDuplicates();
    folders.sort();
    for (const QString &lockedFolder : folders) {
        auto lockFile =
            std::make_unique<QLockFile>(lockedFolder + QStringLiteral("/.brindle.lock"));
        const Result<> locked = takeLockFile(*lockFile, lockedFolder, deadline, whileWaiting);
        if (!locked) {
            unlock();
            return locked;
        }
        m_lockFiles.push_back(std::move(lockFile));
    }
    return {};
#endif
}

void DiskFileSteps::unlock()
{
    m_journal.finish();
    m_writingFor.clear();
#ifdef Q_OS_UNIX
    for (int *handle : {&m_fileLockHandle, &m_lockHandle}) {
        if (*handle >= 0) {
            ::flock(*handle, LOCK_UN);
            ::close(*handle);
            *handle = -1;
        }
    }
#endif
    m_lockFiles.clear();
}

bool DiskFileSteps::sameFile(const QString &a, const QString &b)
{
    std::error_code error;
    const bool same = std::filesystem::equivalent(nativePath(a), nativePath(b), error);
    return !error && same;
}
