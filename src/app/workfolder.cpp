#include "workfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace WorkFolder {

namespace {

using Place = bool (*)(const QString &from, const QString &to);

// Puts every file of `from` into the new folder `to`, each by `place`.
Result<> fill(const QDir &from, const QString &to, Place place)
{
    if (!QDir().mkdir(to))
        return Result<>::failure(QStringLiteral("Cannot create the folder ") %
                                 QDir::toNativeSeparators(to));
    for (const QFileInfo &file : from.entryInfoList(QDir::Files)) {
        const QString target = to % QLatin1Char('/') % file.fileName();
        if (!place(file.absoluteFilePath(), target))
            return Result<>::failure(QStringLiteral("Cannot create ") %
                                     QDir::toNativeSeparators(target));
    }
    return {};
}

// Qt makes the copy writable by its owner: it is the user's to change.
bool copyFile(const QString &from, const QString &to)
{
    return QFile::copy(from, to);
}

bool linkFile(const QString &from, const QString &to)
{
    return QFile::link(from, to);
}

} // namespace

Result<> prepare(const QString &folder, const QString &dataDir)
{
    const QFileInfo target(folder);
    if (target.exists() || target.isSymLink()) {
        if (target.isDir())
            return {};
        return Result<>::failure(
            QDir::toNativeSeparators(folder) %
            QStringLiteral(" is in the way of Brindle's working folder: it is not a folder."));
    }

    const QDir samples(dataDir % QStringLiteral("/Samples"));
    const QDir tools(dataDir % QStringLiteral("/Tools"));
    if (!samples.exists() || !tools.exists())
        return Result<>::failure(
            QStringLiteral("The installed files of Brindle are missing from ") %
            QDir::toNativeSeparators(dataDir));

    QTemporaryDir staging(target.absolutePath() % QStringLiteral("/.") % target.fileName() %
                          QStringLiteral("-XXXXXX"));
    if (!staging.isValid())
        return Result<>::failure(QStringLiteral("Cannot create the working folder ") %
                                 QDir::toNativeSeparators(folder) % QStringLiteral(": ") %
                                 staging.errorString());
    Result<> made = fill(samples, staging.filePath(QStringLiteral("Samples")), copyFile);
    if (made)
        made = fill(tools, staging.filePath(QStringLiteral("Tools")), linkFile);
    if (made && !QDir().rename(staging.path(), folder))
        made = Result<>::failure(QStringLiteral("Cannot create the working folder ") %
                                 QDir::toNativeSeparators(folder));
    if (made)
        staging.setAutoRemove(false);
    return made;
}

} // namespace WorkFolder
