#include "writejournal.h"

#include "textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <io.h>
#endif

namespace {

const QString noteName = QStringLiteral(".brindle.writing");
constexpr QByteArrayView written = "written";
constexpr QByteArrayView swapped = "swapped";

QString normal(const QString &path)
{
    return QDir::cleanPath(QFileInfo(QDir::fromNativeSeparators(path)).absoluteFilePath());
}

// A path as one field of a line: relative to the folder, with blanks, line ends and every
// other byte that could split a line encoded.
QByteArray field(const QString &folder, const QString &path)
{
    return QUrl::toPercentEncoding(QDir(folder).relativeFilePath(normal(path)), "/");
}

QString pathOf(const QString &folder, QByteArrayView field)
{
    const QString relative = QUrl::fromPercentEncoding(field.toByteArray());
    return QDir::toNativeSeparators(QDir::cleanPath(QDir(folder).absoluteFilePath(relative)));
}

QByteArray line(const QString &folder, QByteArrayView kind, const QString &file,
                const QString &forPath)
{
    return kind.toByteArray() + ' ' + field(folder, file) + ' ' + field(folder, forPath) + '\n';
}

Result<> synced(QFile &file)
{
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0)
        return Result<>::failure(file.fileName() + QStringLiteral(" could not be synced to disk"));
#elif defined(Q_OS_WIN)
    if (::_commit(file.handle()) != 0)
        return Result<>::failure(file.fileName() + QStringLiteral(" could not be synced to disk"));
#endif
    return {};
}

// A new name in a folder lasts once the folder itself is synced.
void syncFolder(const QString &folder)
{
#ifdef Q_OS_UNIX
    const int handle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (handle >= 0) {
        (void)::fsync(handle);
        ::close(handle);
    }
#else
    Q_UNUSED(folder);
#endif
}

QByteArray contentOf(const QString &folder)
{
    QFile note(WriteJournal::pathIn(folder));
    return note.open(QIODevice::ReadOnly) ? note.readAll() : QByteArray();
}

// Adds a line to the folder's note file, synced to disk when `sync` is set. A line a stop cut
// short is ended first, so that it stays apart from the new one. `created` says whether the note
// file was made by this call.
Result<> append(const QString &folder, const QByteArray &added, bool sync, bool *created)
{
    const QByteArray before = contentOf(folder);
    QFile note(WriteJournal::pathIn(folder));
    *created = !note.exists();
    if (!note.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return Result<>::failure(note.errorString());
    QByteArray bytes;
    if (!before.isEmpty() && !before.endsWith('\n'))
        bytes += '\n';
    bytes += added;
    Result<> step = TextFile::writeAll(note, bytes);
    if (step && sync)
        step = synced(note);
    return step;
}

// Every complete line that reads as a note, in order.
QList<WriteJournal::Entry> notesOf(const QString &folder)
{
    QList<WriteJournal::Entry> notes;
    const QByteArray bytes = contentOf(folder);
    qsizetype start = 0;
    for (qsizetype end = bytes.indexOf('\n'); end >= 0;
         start = end + 1, end = bytes.indexOf('\n', start)) {
        const QByteArray text = bytes.sliced(start, end - start);
        const QList<QByteArray> fields = text.split(' ');
        if (fields.size() != 3 || fields[1].isEmpty() || fields[2].isEmpty() ||
            (fields[0] != written && fields[0] != swapped))
            continue;
        notes.append({pathOf(folder, fields[1]), pathOf(folder, fields[2]),
                      fields[0] == written ? WriteJournal::Holds::Written
                                           : WriteJournal::Holds::SwappedOut});
    }
    return notes;
}

} // namespace

QString WriteJournal::pathIn(const QString &folder)
{
    return QDir::toNativeSeparators(QDir(folder).filePath(noteName));
}

Result<> WriteJournal::writing(const QString &forPath, const QString &file)
{
    const QString folder = QFileInfo(normal(forPath)).absolutePath();
    // Noted in part or not at all, the file is still looked after when the write ends.
    m_noted.insert(normal(file), {folder, forPath});
    // Not synced here: a Written note lost to a stop only costs its offer, and the next note
    // of the write, which must last before the swap, is synced and carries it to the disk.
    bool created = false;
    const Result<> noted = append(folder, line(folder, written, file, forPath), false, &created);
    if (created)
        m_folderUnsynced.insert(folder);
    return noted;
}

Result<> WriteJournal::appendSynced(const QString &folder, const QByteArray &added)
{
    bool created = false;
    const Result<> noted = append(folder, added, true, &created);
    // A new note file's name lasts once its folder is synced too.
    if (noted && (m_folderUnsynced.remove(folder) || created))
        syncFolder(folder);
    return noted;
}

Result<> WriteJournal::swapping(const QString &file)
{
    const auto it = m_noted.constFind(normal(file));
    if (it == m_noted.cend())
        return {};
    const QString folder = it->folder;
    const Result<> noted = appendSynced(folder, line(folder, swapped, file, it->forPath));
    if (noted)
        return noted;
    // Without notes, nothing of this folder is offered for removal.
    QFile note(pathIn(folder));
    if (note.remove() || !note.exists())
        return {};
    return Result<>::failure(QStringLiteral("Brindle's note of the files it writes, ") +
                             pathIn(folder) + QStringLiteral(", could not be changed (") +
                             noted.message() + QStringLiteral(")"));
}

Result<> WriteJournal::movingAside(const QString &forPath, const QString &file)
{
    const QString folder = QFileInfo(normal(forPath)).absolutePath();
    m_noted.insert(normal(file), {folder, forPath});
    return appendSynced(folder, line(folder, swapped, file, forPath));
}

void WriteJournal::finish()
{
    QStringList folders;
    for (const Noted &noted : std::as_const(m_noted))
        folders.append(noted.folder);
    folders.removeDuplicates();
    m_noted.clear();
    m_folderUnsynced.clear();
    for (const QString &folder : std::as_const(folders))
        tidy(folder);
}

QList<WriteJournal::Entry> WriteJournal::entries(const QString &folder)
{
    // Once swapped, a file is never Brindle's own again, whatever the order of its notes: so
    // no note read out of order, or left from a rewrite of the note file cut short, can make
    // another program's save look like Brindle's.
    QList<Entry> found;
    for (const Entry &entry : notesOf(folder)) {
        const auto same = [&](const Entry &e) { return normal(e.path) == normal(entry.path); };
        const auto at = std::find_if(found.begin(), found.end(), same);
        if (at == found.end())
            found.append(entry);
        else if (entry.holds == Holds::SwappedOut)
            *at = entry;
    }
    return found;
}

void WriteJournal::tidy(const QString &folder)
{
    QByteArray kept;
    for (const Entry &entry : entries(folder)) {
        if (QFileInfo::exists(entry.path))
            kept += line(folder, entry.holds == Holds::Written ? written : swapped, entry.path,
                         entry.forPath);
    }
    QFile note(pathIn(folder));
    if (kept.isEmpty()) {
        (void)note.remove();
        return;
    }
    if (kept == contentOf(folder))
        return;
    // Rewritten in place, one note per file: a stop half-way loses notes, which only costs
    // their offers.
    if (note.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered) &&
        TextFile::writeAll(note, kept))
        (void)synced(note);
}
