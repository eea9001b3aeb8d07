#include "snippetedits.h"

#include "diskfilesteps.h"
#include "snippetindex.h"
#include "storedcode.h"
#include "textfile.h"

#include <algorithm>

namespace SnippetEdits {

namespace {

constexpr char star = '*';

QString notWritten(const QString &path)
{
    return QStringLiteral("The stored code could not be written to ") + path;
}

QString unchanged()
{
    return QStringLiteral(" Nothing was changed: the file keeps its previous content.");
}

QString gone(const QString &title)
{
    return QStringLiteral("No stored code has the title \"") + title +
           QStringLiteral("\" any more.");
}

} // namespace

Line shownEntry(QByteArrayView bytes, const QString &title, int fromLast)
{
    return StoredCode::shownLine(bytes, title, fromLast);
}

Result<QByteArray> replaced(const QByteArray &bytes, const QString &title, const QByteArray &entry,
                            int fromLast)
{
    const Line line = shownEntry(bytes, title, fromLast);
    if (line.start < 0)
        return Result<QByteArray>::failure(gone(title));
    QByteArray result = bytes;
    result.replace(line.start, line.end - line.start, entry);
    return result;
}

Result<QByteArray> edited(const QByteArray &bytes, const QString &title, int fromLast,
                          const QString &newTitle, const QString &newList)
{
    const Line line = shownEntry(bytes, title, fromLast);
    if (line.start < 0)
        return Result<QByteArray>::failure(gone(title));
    const QByteArrayView was = QByteArrayView(bytes).sliced(line.start, line.end - line.start);
    const Result<QByteArray> titleBytes = StoredCode::encodeKeeping(was.first(line.star), newTitle);
    if (!titleBytes)
        return titleBytes;
    const Result<QByteArray> listBytes =
        StoredCode::encodeKeeping(was.sliced(line.star + 1), newList);
    if (!listBytes)
        return listBytes;
    return replaced(bytes, title, titleBytes.value() + star + listBytes.value(), fromLast);
}

Result<QByteArray> removed(const QByteArray &bytes, const QString &title, int fromLast)
{
    const Line line = shownEntry(bytes, title, fromLast);
    if (line.start < 0)
        return Result<QByteArray>::failure(gone(title));
    QByteArray result = bytes;
    result.remove(line.start, line.next - line.start);
    return result;
}

QList<bool> matches(QByteArrayView bytes, const QString &text)
{
    // The title and the code are searched as one text: the "*" between them is no letter a user
    // types to find them, so a text holding it matches nothing it should not.
    return SnippetIndex(QByteArray::fromRawData(bytes.data(), bytes.size())).matches(text);
}

SafeRewrite::Outcome rewrite(const QString &path, const QByteArray &asRead,
                             const QByteArray &replacement,
                             const std::function<bool()> &whileWaiting)
{
    DiskFileSteps files;
    files.whileWaiting = whileWaiting;
    return rewrite(files, path, asRead, replacement);
}

SafeRewrite::Outcome rewrite(FileSteps &files, const QString &path, const QByteArray &asRead,
                             const QByteArray &replacement)
{
    return SafeRewrite::rewrite(files, path, asRead, replacement);
}

QString message(const SafeRewrite::Outcome &outcome)
{
    using SafeRewrite::Status;
    const QString &path = outcome.path;
    switch (outcome.status) {
    case Status::WrittenBackupLeft:
        return QStringLiteral("The stored code is written to ") + path +
               QStringLiteral(", but its backup ") + outcome.backup +
               QStringLiteral(", which holds the content before this change, could not be "
                              "removed (") +
               outcome.backupLeft.value_or(QString()) + QStringLiteral(").");
    case Status::Gone:
        return notWritten(path) + QStringLiteral(": the file is no longer there. It was deleted or "
                                                 "renamed since it was read. Nothing was written.");
    case Status::Changed:
        return notWritten(path) +
               QStringLiteral(": the file has changed since it was read, perhaps in another "
                              "program. Choose \"*MY CODE*\" in a new run to read it as it is "
                              "now.") +
               unchanged();
    case Status::BackupTaken:
        return notWritten(path) + QStringLiteral(": the backup file ") + outcome.backup +
               QStringLiteral(" already exists, perhaps left by an interrupted rewrite, and may "
                              "hold the only copy of your snippets. Rename or move it, then try "
                              "again.") +
               unchanged();
    default:
        return SafeRewrite::message(outcome);
    }
}

} // namespace SnippetEdits
