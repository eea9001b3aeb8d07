#include "storedcode.h"

#include "diskfilesteps.h"
#include "safereplace.h"
#include "textfile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

namespace StoredCode {

namespace {
constexpr char bar = '|';
constexpr char star = '*';

// The first character (a whole code point) that does not survive the 8-bit code page; empty
// when every one does.
QString unwritable(const QString &text)
{
    if (QString::fromLocal8Bit(text.toLocal8Bit()) == text)
        return {};
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype width = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString c = text.mid(i, width);
        if (QString::fromLocal8Bit(c.toLocal8Bit()) != c)
            return c;
        i += width - 1;
    }
    return {};
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// Where the line end whose last byte is at pos begins: a CR LF pair is one line end.
qsizetype lineEndStart(const char *data, qsizetype pos)
{
    return pos > 0 && data[pos] == '\n' && data[pos - 1] == '\r' ? pos - 1 : pos;
}

// Whether the title bytes of a line show the title. Only bytes outside ASCII can show the
// same text as different bytes (e.g. invalid ones shown as a replacement character), so the
// bytes are decoded only when they equal the title's own bytes or hold such a byte.
bool showsTitle(QByteArrayView bytes, const QString &title, QByteArrayView titleBytes)
{
    const bool ascii =
        std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
    if (bytes != titleBytes && ascii)
        return false;
    return QString::fromLocal8Bit(bytes) == title;
}

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

QString singleLineTitle(const QString &typed)
{
    QString title = typed;
    title.replace(QLatin1String("\r\n"), QLatin1String(" "));
    title.replace(QLatin1Char('\r'), QLatin1Char(' '));
    title.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return title;
}

QByteArray entry(const QString &title, const QString &list)
{
    return title.toLocal8Bit() + star + list.toLocal8Bit();
}

QList<Span> titleSpans(QByteArrayView bytes)
{
    QList<Span> spans;
    const char *data = bytes.data();
    TextFile::forEachLine(bytes, [&](qsizetype start, qsizetype end) {
        if (const void *at = std::memchr(data + start, star, size_t(end - start)))
            spans.append({start, static_cast<const char *>(at) - data - start});
    });
    return spans;
}

QStringList titles(const QByteArray &bytes)
{
    QStringList result;
    for (const Span &span : titleSpans(bytes))
        result.append(QString::fromLocal8Bit(QByteArrayView(bytes).sliced(span.at, span.size)));
    return result;
}

ShownLine shownLine(QByteArrayView bytes, const QString &title, int fromLast)
{
    // Entries are counted from the last, so the lines are visited from the end of the file. The
    // titles are compared as text, as the list shows them, so that a title whose bytes are not
    // valid in the code page still finds its own line.
    const QByteArray titleBytes = title.toLocal8Bit();
    const char *data = bytes.data();
    const qsizetype size = bytes.size();
    if (size == 0)
        return {};
    qsizetype end = size;
    // A final line end adds no empty line.
    if (isLineEnd(data[end - 1]))
        end = lineEndStart(data, end - 1);
    for (;;) {
        qsizetype start = end;
        while (start > 0 && !isLineEnd(data[start - 1]))
            --start;
        const QByteArrayView line(data + start, end - start);
        const qsizetype at = line.indexOf(star);
        if (at >= 0 && showsTitle(line.first(at), title, titleBytes) && fromLast-- == 0) {
            qsizetype next = end;
            if (next < size && data[next] == '\r')
                ++next;
            if (next < size && data[next] == '\n' && (next == end || data[next - 1] == '\r'))
                ++next;
            return {start, end, next, at};
        }
        if (start == 0)
            return {};
        end = lineEndStart(data, start - 1);
    }
}

QString snippet(const QByteArray &bytes, const QString &title, int fromLast)
{
    const ShownLine line = shownLine(bytes, title, fromLast);
    if (line.start < 0)
        return {};
    return QString::fromLocal8Bit(QByteArrayView(bytes).sliced(
        line.start + line.star + 1, line.end - line.start - line.star - 1));
}

int titleCount(QByteArrayView bytes, const QString &title)
{
    const QByteArray titleBytes = title.toLocal8Bit();
    int count = 0;
    for (const Span &span : titleSpans(bytes))
        count += showsTitle(bytes.sliced(span.at, span.size), title, titleBytes) ? 1 : 0;
    return count;
}

Result<> storable(const QString &title, const QString &code)
{
    if (title.contains(QLatin1Char(star)))
        return Result<>::failure(
            QStringLiteral("The title cannot hold the character \"*\": the stored-code file "
                           "ends a title at its first \"*\", so the code could not be found "
                           "again under this title."));
    if (code.contains(QLatin1Char(bar)))
        return Result<>::failure(
            QStringLiteral("The code cannot hold the character \"|\": the stored-code file "
                           "separates the lines of a code with it, so the code would read "
                           "back with a line break in its place."));
    for (const QString &text : {title, code}) {
        const QString c = unwritable(text);
        if (!c.isEmpty())
            return Result<>::failure(
                QStringLiteral("The character \"") + c +
                QStringLiteral("\" cannot be stored: the stored-code file holds text in this "
                               "system's 8-bit code page, which has no such character."));
    }
    return {};
}

bool exists(const QString &path)
{
    return QFileInfo::exists(path);
}

Result<QStringList> readTitles(const QString &path)
{
    const Result<QByteArray> file = TextFile::readBytes(path);
    if (!file)
        return Result<QStringList>::failure(file.message());
    return titles(file.value());
}

QString readSnippet(const QString &path, const QString &title)
{
    const Result<QByteArray> file = TextFile::readBytes(path);
    return file ? snippet(file.value(), title) : QString();
}

std::optional<QString> cutTitle(QByteArrayView bytes)
{
    if (bytes.isEmpty() || isLineEnd(bytes.back()))
        return std::nullopt;
    qsizetype start = bytes.size();
    while (start > 0 && !isLineEnd(bytes.at(start - 1)))
        --start;
    const QByteArrayView line = bytes.sliced(start);
    const qsizetype at = line.indexOf(star);
    if (at < 0)
        return std::nullopt;
    return QString::fromLocal8Bit(line.first(at));
}

QString cutMessage(const QString &path, const QString &title)
{
    return QStringLiteral("The last line of ") + path +
           QStringLiteral(" has no line end, so the code stored under the title \"") + title +
           QStringLiteral("\" may have been cut off by an interrupted write. Check it before "
                          "you use it.");
}

Result<> store(const QString &path, const QString &title, const QString &list)
{
    const QString irregular = TextFile::notRegular(path);
    if (!irregular.isEmpty())
        return Result<>::failure(irregular);
    const QByteArray line = entry(title, list);
    DiskFileSteps files;
    const SafeReplace::Outcome outcome =
        SafeReplace::replace(files, path, QString(), [&](const QByteArray &onDisk) {
            QByteArray bytes;
            bytes.reserve(onDisk.size() + line.size() + 4);
            bytes += onDisk;
            // The earlier last line stays whole on a line of its own.
            if (!bytes.isEmpty() && !isLineEnd(bytes.back()))
                bytes += TextFile::lineEnd;
            bytes += line;
            bytes += TextFile::lineEnd;
            return Result<QByteArray>(std::move(bytes));
        });
    if (outcome.ok())
        return {};
    if (outcome.failed == SafeReplace::Stage::Write || outcome.failed == SafeReplace::Stage::Read)
        return Result<>::failure(outcome.reason);
    return Result<>::failure(SafeReplace::message(outcome, path, QString()));
}

} // namespace StoredCode
