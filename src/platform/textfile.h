#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

class QFileDevice;

// Plain 8-bit text files, one record per line. Reading accepts CR LF, LF or a lone CR;
// writing ends every line with CR LF. Lines are kept as bytes, so nothing is lost
// whatever the encoding: "a\r\nb\nc\rd" gives the lines a, b, c, d.
namespace TextFile {

inline constexpr char lineEnd[] = "\r\n";

// Splits bytes into lines without their line ends; a final line end adds no empty line.
QList<QByteArray> splitLines(const QByteArray &bytes);

// A whole file's bytes. Anything but a regular file (or a link to one) is refused without
// opening it, so that a pipe or a device never blocks the window.
struct Bytes
{
    QByteArray bytes;
    QString error; // empty when the file was read
    bool ok() const { return error.isEmpty(); }
};

Bytes readBytes(const QString &path);

// The description of a path that is there but is no regular file; empty otherwise.
QString notRegular(const QString &path);

// The byte offset at which line `line` (from 0) begins; -1 when the bytes hold fewer lines.
// ("a\r\nb\nc", 2) gives 4.
qsizetype lineOffset(const QByteArray &bytes, int line);

struct Lines
{
    QList<QByteArray> lines;
    QString error; // empty when the file was read
    bool ok() const { return error.isEmpty(); }
};

Lines read(const QString &path);

// Writes all of bytes to a file opened unbuffered, so that a full disk is seen at the write
// that meets it: a short write is continued, and the failure that stops it is the system's own
// reason ("No space left on device"), not a buffer's. Empty on success.
QString writeAll(QFileDevice &file, QByteArrayView bytes);

// Appends one line and CR LF, creating the file when it does not exist. When the file
// ends without a line end, one is written first so the earlier last line stays whole.
// Returns the system's description of a failure, or the empty text.
QString appendLine(const QString &path, const QByteArray &line);

} // namespace TextFile
