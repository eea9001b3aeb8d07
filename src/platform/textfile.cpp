#include "textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace TextFile {

QList<QByteArray> splitLines(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    forEachLine(bytes, [&](qsizetype start, qsizetype end) {
        lines.append(bytes.mid(start, end - start));
    });
    return lines;
}

qsizetype lineOffset(const QByteArray &bytes, int line)
{
    qsizetype at = 0;
    const qsizetype n = bytes.size();
    for (int i = 0; i < line; ++i) {
        const char *data = bytes.constData();
        while (at < n && data[at] != '\r' && data[at] != '\n')
            ++at;
        if (at == n)
            return -1;
        at += data[at] == '\r' && at + 1 < n && data[at + 1] == '\n' ? 2 : 1;
    }
    return at;
}

std::optional<QString> notRegular(const QString &path)
{
    const QFileInfo info(path);
    // A link that leads nowhere: reading or writing through it would fail, or make a file
    // somewhere the user may not expect.
    if (info.isSymLink() && !info.exists())
        return QStringLiteral("It is a link to %1, which does not exist.")
            .arg(QDir::toNativeSeparators(info.symLinkTarget()));
    if (!info.exists() || info.isFile())
        return std::nullopt;
    if (info.isDir())
        return QStringLiteral("It is a folder, not a file.");
    return QStringLiteral("It is not a regular file (it may be a pipe or a device), so it is not "
                          "read.");
}

Result<QByteArray> readBytes(const QString &path)
{
    const std::optional<QString> irregular = notRegular(path);
    if (irregular)
        return Result<QByteArray>::failure(*irregular);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result<QByteArray>::failure(file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Result<QByteArray>::failure(file.errorString());
    return bytes;
}

Result<QList<QByteArray>> read(const QString &path)
{
    const Result<QByteArray> file = readBytes(path);
    if (!file)
        return Result<QList<QByteArray>>::failure(file.message());
    return splitLines(file.value());
}

Result<> writeAll(QFileDevice &file, QByteArrayView bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            return Result<>::failure(file.errorString());
        done += n;
    }
    return {};
}

Result<> appendLine(const QString &path, const QByteArray &line)
{
    const std::optional<QString> irregular = notRegular(path);
    if (irregular)
        return Result<>::failure(*irregular);
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered))
        return Result<>::failure(file.errorString());
    QByteArray record;
    if (file.size() > 0) {
        char last = 0;
        if (!file.seek(file.size() - 1) || !file.getChar(&last))
            return Result<>::failure(file.errorString());
        if (last != '\n' && last != '\r')
            record += lineEnd;
    }
    record += line;
    record += lineEnd;
    const Result<> written = writeAll(file, record);
    if (!written)
        return written;
    file.close();
    if (file.error() != QFileDevice::NoError)
        return Result<>::failure(file.errorString());
    return {};
}

} // namespace TextFile
