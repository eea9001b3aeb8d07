#include "paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace Paths {

namespace {

QDir samplesDir()
{
    return QDir(at(QStringLiteral("/Samples")));
}

// File names whose bytes do not survive decoding: the listing cannot give them back.
QStringList undecodableNames(const QString &folder)
{
    QStringList names;
#ifndef Q_OS_WIN // Windows keeps names as UTF-16, which always decode.
    std::error_code error;
    std::filesystem::directory_iterator it(QFile::encodeName(folder).toStdString(), error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        const std::string raw = it->path().filename().native();
        const QByteArray bytes(raw.data(), qsizetype(raw.size()));
        const QString shown = QFile::decodeName(bytes);
        if (QFile::encodeName(shown) != bytes)
            names.append(shown);
    }
#else
    Q_UNUSED(folder);
#endif
    return names;
}

} // namespace

QString at(const QString &relative)
{
    return QDir::toNativeSeparators(QDir::currentPath() + relative);
}

QStringList samplePrograms()
{
    QDir samples = samplesDir();
    if (!samples.exists())
        return {};
    samples.setNameFilters({QStringLiteral("*.txt")});
    samples.setFilter(QDir::Files);
    samples.setSorting(QDir::Unsorted);
    return samples.entryList();
}

QStringList samplesProblems()
{
    const QString folder = at(QStringLiteral("/Samples"));
    const QFileInfo info(folder);
    if (!info.exists() && !info.isSymLink())
        return {};
    if (!info.isDir())
        return {folder + QStringLiteral(" is a file, not a folder, so no program file is "
                                        "listed. Keep your program files in a folder named "
                                        "Samples.")};
    if (!info.isReadable() || !info.isExecutable())
        return {QStringLiteral("The folder ") + folder +
                QStringLiteral(" cannot be read, so no program file is listed.")};
    QStringList problems;
    for (const QString &name : undecodableNames(folder)) {
        problems.append(QStringLiteral("The name of the file \"") + name +
                        QStringLiteral("\" in ") + folder +
                        QStringLiteral(" is not valid text on this system, so it cannot be "
                                       "listed or opened. Rename it to use it."));
    }
    return problems;
}

} // namespace Paths
