#include "textfile.h"

#include <QFile>
#include <QFileInfo>

namespace TextFile {

QList<QByteArray> splitLines(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n')
            continue;
        lines.append(bytes.mid(start, i - start));
        if (c == '\r' && i + 1 < n && bytes.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(bytes.mid(start));
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

QString notRegular(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isFile())
        return {};
    if (info.isDir())
        return QStringLiteral("It is a folder, not a file.");
    return QStringLiteral("It is not a regular file (it may be a pipe or a device), so it is not "
                          "read.");
}

Bytes readBytes(const QString &path)
{
    const QString irregular = notRegular(path);
    if (!irregular.isEmpty())
        return {{}, irregular};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, file.errorString()};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {{}, file.errorString()};
    return {std::move(bytes), {}};
}

Lines read(const QString &path)
{
    const Bytes file = readBytes(path);
    if (!file.ok())
        return {{}, file.error};
    return {splitLines(file.bytes), {}};
}

QString writeAll(QFileDevice &file, QByteArrayView bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            return file.errorString();
        done += n;
    }
    return {};
}

QString appendLine(const QString &path, const QByteArray &line)
{
    const QString irregular = notRegular(path);
    if (!irregular.isEmpty())
        return irregular;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered))
        return file.errorString();
    QByteArray record;
    if (file.size() > 0) {
        char last = 0;
        if (!file.seek(file.size() - 1) || !file.getChar(&last))
            return file.errorString();
        if (last != '\n' && last != '\r')
            record += lineEnd;
    }
    record += line;
    record += lineEnd;
    const QString error = writeAll(file, record);
    if (!error.isEmpty())
        return error;
    file.close();
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    return {};
}

} // namespace TextFile
