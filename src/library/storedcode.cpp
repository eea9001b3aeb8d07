#include "storedcode.h"

#include "textfile.h"

#include <QFile>
#include <QFileInfo>

namespace StoredCode {

namespace {
constexpr char bar = '|';
constexpr char star = '*';
} // namespace

QString listToLines(const QString &list)
{
    QStringList items = list.split(QLatin1Char(bar));
    // The last item is what follows the last "|": nothing when the list ends with one.
    if (items.constLast().isEmpty())
        items.removeLast();
    QString lines;
    for (const QString &item : std::as_const(items))
        lines += item + QLatin1String(TextFile::lineEnd);
    return lines;
}

QString codeToList(const QString &code)
{
    QString list;
    list.reserve(code.size());
    const qsizetype n = code.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = code.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            list += QLatin1Char(bar);
            if (c == QLatin1Char('\r') && i + 1 < n && code.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else {
            list += c;
        }
    }
    return list;
}

QByteArray entry(const QString &title, const QString &list)
{
    return title.toLocal8Bit() + star + list.toLocal8Bit();
}

QStringList titles(const QList<QByteArray> &lines)
{
    QStringList result;
    result.reserve(lines.size());
    for (const QByteArray &line : lines) {
        const qsizetype at = line.indexOf(star);
        if (at >= 0)
            result.append(QString::fromLocal8Bit(line.constData(), at));
    }
    return result;
}

QString snippet(const QList<QByteArray> &lines, const QString &title)
{
    // The titles are compared as text, as the list shows them, so that a title whose bytes
    // are not valid in the code page still finds its own line.
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        const QByteArray &line = lines.at(i);
        const qsizetype at = line.indexOf(star);
        if (at >= 0 && QString::fromLocal8Bit(line.constData(), at) == title)
            return QString::fromLocal8Bit(line.constData() + at + 1, line.size() - at - 1);
    }
    return {};
}

bool exists(const QString &path)
{
    return QFileInfo::exists(path);
}

QStringList readTitles(const QString &path)
{
    return titles(TextFile::read(path).lines);
}

QString readSnippet(const QString &path, const QString &title)
{
    return snippet(TextFile::read(path).lines, title);
}

QString store(const QString &path, const QString &title, const QString &list)
{
    const QFileInfo before(path);
    const bool existed = before.exists();
    const qint64 size = existed ? before.size() : 0;
    const QString error = TextFile::appendLine(path, entry(title, list));
    if (!error.isEmpty()) {
        // Leave the file as it was before this store, not with half an entry at its end.
        if (existed && QFileInfo(path).size() > size)
            QFile::resize(path, size);
        else if (!existed && QFileInfo::exists(path))
            QFile::remove(path);
    }
    return error;
}

} // namespace StoredCode
