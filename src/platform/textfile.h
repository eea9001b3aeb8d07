#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include "result.h"

#include <cstring>
#include <optional>

class QFileDevice;

// Plain 8-bit text files, one record per line. Reading accepts CR LF, LF or a lone CR;
// writing ends every line with CR LF. Lines are kept as bytes, so nothing is lost
// whatever the encoding: "a\r\nb\nc\rd" gives the lines a, b, c, d.
namespace TextFile {

inline constexpr char lineEnd[] = "\r\n";

// Calls line(start, end) for each line of bytes, in order: the line is bytes [start, end),
// without its line end (CR LF, LF or a lone CR); a final line end adds no empty line.
template <class Line> void forEachLine(QByteArrayView bytes, Line line)
{
    const char *data = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype start = 0;
    while (start < n) {
        // Most lines end with LF: find it fast, then look for a lone CR before it.
        const void *lf = std::memchr(data + start, '\n', size_t(n - start));
        qsizetype end = lf ? static_cast<const char *>(lf) - data : n;
        if (const void *cr = std::memchr(data + start, '\r', size_t(end - start)))
            end = static_cast<const char *>(cr) - data;
        line(start, end);
        start = end + 1;
        if (end + 1 < n && data[end] == '\r' && data[end + 1] == '\n')
            ++start;
    }
}

// Splits bytes into lines without their line ends; a final line end adds no empty line.
QList<QByteArray> splitLines(const QByteArray &bytes);

// A whole file's bytes, or the system's reason why it cannot be read. Anything but a regular
// file (or a link to one) is refused without opening it, so that a pipe or a device never
// blocks the window.
Result<QByteArray> readBytes(const QString &path);

// The description of a path that is there but is no regular file (also a link that leads
// nowhere); nothing for a regular file, a link to one, or a path where nothing is.
std::optional<QString> notRegular(const QString &path);

// The byte offset at which line `line` (from 0) begins; -1 when the bytes hold fewer lines.
// ("a\r\nb\nc", 2) gives 4.
qsizetype lineOffset(const QByteArray &bytes, int line);

Result<QList<QByteArray>> read(const QString &path);

// Writes all of bytes to a file opened unbuffered, so that a full disk is seen at the write
// that meets it: a short write is continued, and the failure that stops it is the system's own
// reason ("No space left on device"), not a buffer's.
Result<> writeAll(QFileDevice &file, QByteArrayView bytes);

// Appends one line and CR LF, creating the file when it does not exist. When the file
// ends without a line end, one is written first so the earlier last line stays whole.
// A failure gives the system's description.
Result<> appendLine(const QString &path, const QByteArray &line);

} // namespace TextFile
