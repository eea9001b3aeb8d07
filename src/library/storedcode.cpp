#include "storedcode.h"

#include <QDir>

#include "diskfilesteps.h"
#include "saferewrite.h"
#include "textfile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace StoredCode {

namespace {
constexpr char bar = '|';
constexpr char star = '*';

constexpr char16_t replacement = QChar::ReplacementCharacter;
// The most pairs of units compared to keep an edit's bytes: a larger changed middle is written
// anew as a whole.
constexpr qsizetype mostComparedUnits = qsizetype(1) << 20;

// The first character (a whole code point) that does not survive the 8-bit code page, or is
// the replacement character; empty when every one survives.
QString unwritable(const QString &text)
{
    if (!text.contains(QChar(replacement)) && QString::fromLocal8Bit(text.toLocal8Bit()) == text)
        return {};
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype width = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString c = text.mid(i, width);
        if (c == QChar(replacement) || QString::fromLocal8Bit(c.toLocal8Bit()) != c)
            return c;
        i += width - 1;
    }
    return {};
}

Result<> layout(bool starInTitle, bool barInCode)
{
    if (starInTitle)
        return Result<>::failure(
            QStringLiteral("The title cannot hold the character \"*\": the stored-code file "
                           "ends a title at its first \"*\", so the code could not be found "
                           "again under this title."));
    if (barInCode)
        return Result<>::failure(
            QStringLiteral("The code cannot hold the character \"|\": the stored-code file "
                           "separates the lines of a code with it, so the code would read "
                           "back with a line break in its place."));
    return {};
}

// The units in which an edit keeps bytes: each ASCII character alone, each run of other
// characters as one. In UTF-8 and in the single-byte code pages an ASCII byte is always a
// character of its own, so a run of other bytes reads as a run of other characters whatever
// stands around it.
template <class Text, class IsAscii> QList<Span> units(const Text &text, IsAscii isAscii)
{
    QList<Span> result;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        qsizetype end = i + 1;
        if (!isAscii(text[i])) {
            while (end < n && !isAscii(text[end]))
                ++end;
        }
        result.append({i, end - i});
        i = end;
    }
    return result;
}

// Between the equal units at both ends (`head` and `tail` of them), marks in `kept` as many
// equal units of `was` and `now`, in order, as there can be: a longest common subsequence, when
// comparing every pair stays within bounds.
void keepCommonUnits(const QStringList &was, const QList<QStringView> &now, qsizetype head,
                     qsizetype tail, QList<qsizetype> &kept)
{
    const qsizetype n = was.size() - head - tail;
    const qsizetype m = now.size() - head - tail;
    if (n == 0 || m == 0 || n > mostComparedUnits / m)
        return;
    // common[i * (m + 1) + j]: how many units was[head + i ..] and now[head + j ..] share.
    std::vector<quint32> common(size_t((n + 1) * (m + 1)), 0);
    const auto at = [&](qsizetype i, qsizetype j) -> quint32 & {
        return common[size_t(i * (m + 1) + j)];
    };
    for (qsizetype i = n - 1; i >= 0; --i) {
        for (qsizetype j = m - 1; j >= 0; --j)
            at(i, j) = was.at(head + i) == now.at(head + j) ? at(i + 1, j + 1) + 1
                                                            : std::max(at(i + 1, j), at(i, j + 1));
    }
    for (qsizetype i = 0, j = 0; i < n && j < m;) {
        if (was.at(head + i) == now.at(head + j)) {
            kept[head + j] = head + i;
            ++i;
            ++j;
        } else if (at(i + 1, j) >= at(i, j + 1)) {
            ++i;
        } else {
            ++j;
        }
    }
}

// For each unit of `now`, the unit of `was` whose bytes it keeps, or -1: the equal units at
// both ends, then between them as many equal units, in order, as there can be.
QList<qsizetype> keptUnits(const QStringList &was, const QList<QStringView> &now)
{
    QList<qsizetype> kept(now.size(), -1);
    qsizetype head = 0;
    while (head < was.size() && head < now.size() && was.at(head) == now.at(head)) {
        kept[head] = head;
        ++head;
    }
    qsizetype tail = 0;
    while (tail < was.size() - head && tail < now.size() - head &&
           was.at(was.size() - 1 - tail) == now.at(now.size() - 1 - tail)) {
        kept[now.size() - 1 - tail] = was.size() - 1 - tail;
        ++tail;
    }
    keepCommonUnits(was, now, head, tail, kept);
    return kept;
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

QByteArray listBytesToLines(QByteArrayView list)
{
    QByteArray lines;
    lines.reserve(list.size() + 16);
    for (qsizetype start = 0; start < list.size();) {
        qsizetype end = start;
        while (end < list.size() && list.at(end) != bar)
            ++end;
        lines.append(list.sliced(start, end - start));
        lines.append(TextFile::lineEnd);
        start = end + 1;
    }
    return lines;
}

QByteArray codeBytesToList(QByteArrayView code)
{
    QByteArray list;
    list.reserve(code.size());
    const qsizetype n = code.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = code.at(i);
        if (isLineEnd(c)) {
            list += bar;
            if (c == '\r' && i + 1 < n && code.at(i + 1) == '\n')
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

QByteArray entryOfBytes(const QString &title, QByteArrayView list)
{
    QByteArray line = title.toLocal8Bit() + star;
    line.append(list);
    return line;
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

Result<> fitsLayout(const QString &title, const QString &code)
{
    return layout(title.contains(QLatin1Char(star)), code.contains(QLatin1Char(bar)));
}

Result<> fitsLayout(const QString &title, QByteArrayView code)
{
    return layout(title.contains(QLatin1Char(star)), code.contains(bar));
}

Result<> encodable(const QString &text)
{
    const QString c = unwritable(text);
    if (c.isEmpty())
        return {};
    if (c == QChar(replacement))
        return Result<>::failure(
            QStringLiteral("The character \"%1\" cannot be stored: it stands for bytes that this "
                           "system's 8-bit code page cannot show, and writing it would not give "
                           "those bytes back.")
                .arg(c));
    return Result<>::failure(
        QStringLiteral("The character \"%1\" cannot be stored: the stored-code file holds text "
                       "in this system's 8-bit code page, which has no such character.")
            .arg(c));
}

Result<> storable(const QString &title, const QString &code)
{
    if (const Result<> fits = fitsLayout(title, code); !fits)
        return fits;
    if (const Result<> fits = encodable(title); !fits)
        return fits;
    return encodable(code);
}

namespace {

// Stored bytes cut into units, each with the text it reads as alone.
struct ReadUnits
{
    QList<Span> spans;
    QStringList texts;
};

// The units of `before`, which reads as `shown`. In a code page whose characters may hold ASCII
// bytes, units read alone may read otherwise: then there are none, and nothing is kept.
ReadUnits readUnits(QByteArrayView before, const QString &shown)
{
    ReadUnits was{units(before, [](char c) { return uchar(c) < 0x80; }), {}};
    was.texts.reserve(was.spans.size());
    for (const Span &unit : std::as_const(was.spans))
        was.texts.append(QString::fromLocal8Bit(before.sliced(unit.at, unit.size)));
    if (was.texts.join(QString()) != shown)
        return {};
    return was;
}

// The bytes of `text`, cut into `nowUnits`: a kept unit (see keptUnits) gives its bytes from
// `before`; each run of new units is written in the code page in one piece.
Result<QByteArray> joinKept(QByteArrayView before, const QList<Span> &wasUnits, const QString &text,
                            const QList<Span> &nowUnits, const QList<qsizetype> &kept)
{
    QByteArray bytes;
    bytes.reserve(before.size() + text.size());
    for (qsizetype j = 0; j < nowUnits.size();) {
        if (kept.at(j) >= 0) {
            const Span &unit = wasUnits.at(kept.at(j));
            bytes.append(before.sliced(unit.at, unit.size));
            ++j;
            continue;
        }
        qsizetype end = j;
        while (end < nowUnits.size() && kept.at(end) < 0)
            ++end;
        const qsizetype from = nowUnits.at(j).at;
        const QString added =
            text.mid(from, nowUnits.at(end - 1).at + nowUnits.at(end - 1).size - from);
        if (const Result<> fits = encodable(added); !fits)
            return Result<QByteArray>::failure(fits.message());
        bytes += added.toLocal8Bit();
        j = end;
    }
    return bytes;
}

} // namespace

Result<QByteArray> encodeKeeping(QByteArrayView before, const QString &text)
{
    const QString shown = QString::fromLocal8Bit(before);
    if (shown == text)
        return QByteArray(before.data(), before.size());
    const ReadUnits was = readUnits(before, shown);
    const QList<Span> nowUnits = units(text, [](QChar c) { return c.unicode() < 0x80; });
    QList<QStringView> now;
    now.reserve(nowUnits.size());
    for (const Span &unit : nowUnits)
        now.append(QStringView(text).sliced(unit.at, unit.size));
    const Result<QByteArray> bytes =
        joinKept(before, was.spans, text, nowUnits, keptUnits(was.texts, now));
    // Kept and new bytes side by side must still read as the text.
    if (bytes && QString::fromLocal8Bit(bytes.value()) != text)
        return Result<QByteArray>::failure(
            QStringLiteral("The text cannot be stored as it is shown: beside the bytes kept from "
                           "the stored-code file, this system's 8-bit code page would read it "
                           "back otherwise."));
    return bytes;
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

namespace {

// The system's description of a failed read or write, then the file and, where the folder is
// the cause, what is wrong with it: "Permission denied (writing /w/Samples/MyCode.Txt). The
// folder /w/Samples may not be written."
QString systemFailure(const QString &reason, bool writing, const QString &path)
{
    QString text = reason %
                   (writing ? QStringLiteral(" (writing ") : QStringLiteral(" (reading ")) %
                   QDir::toNativeSeparators(path) % QStringLiteral(").");
    const QFileInfo folder(QFileInfo(path).absolutePath());
    const QString folderName = QDir::toNativeSeparators(folder.absoluteFilePath());
    if (!folder.exists())
        text += QStringLiteral(" The folder ") % folderName % QStringLiteral(" does not exist.");
    else if (writing && !folder.isWritable())
        text +=
            QStringLiteral(" The folder ") % folderName % QStringLiteral(" may not be written.");
    return text;
}

} // namespace

Result<> store(const QString &path, const QString &title, const QString &list,
               const std::function<bool()> &whileWaiting)
{
    const Result<Appended> stored = storeEntry(path, entry(title, list), whileWaiting);
    return stored ? Result<>() : Result<>::failure(stored.message());
}

Result<Appended> storeEntry(const QString &path, const QByteArray &line,
                            const std::function<bool()> &whileWaiting)
{
    const std::optional<QString> irregular = TextFile::notRegular(path);
    if (irregular)
        return Result<Appended>::failure(QDir::toNativeSeparators(path) % QStringLiteral(": ") %
                                         *irregular);
    // A missing folder is the system's "no such file" for the file to be made in it.
    if (!QFileInfo(path).absoluteDir().exists())
        return Result<Appended>::failure(
            systemFailure(QString::fromLocal8Bit(std::strerror(ENOENT)), true, path));
    DiskFileSteps files;
    files.whileWaiting = whileWaiting;
    Appended appended;
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
            appended = {onDisk, bytes};
            return Result<QByteArray>(std::move(bytes));
        });
    if (outcome.ok())
        return appended;
    const SafeRewrite::Outcome told = SafeRewrite::outcomeOf(outcome, path, QString());
    if (outcome.failed == SafeReplace::Stage::Write || outcome.failed == SafeReplace::Stage::Read)
        return Result<Appended>::failure(
            systemFailure(told.why(), outcome.failed == SafeReplace::Stage::Write, path));
    return Result<Appended>::failure(SafeRewrite::message(told));
}

} // namespace StoredCode
