#pragma once

#include <functional>

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include "result.h"

#include <optional>

// The user's code snippets and the file that keeps them. A snippet travels as a
// bar-separated list, one item per line: the code "a" CR LF "b" becomes "a|b", and is stored
// as one line of the stored-code file, its title, "*", then the list: "T*a|b". The title is
// the text before the first "*", so "*" may appear in the code but not in a title.
namespace StoredCode {

// Where the file lies below the current directory.
inline constexpr char relativePath[] = "/Samples/MyCode.Txt";

// The lines of a bar-separated list, each ended by CR LF: "a||b" gives "a\r\n\r\nb\r\n";
// a final "|" adds no empty line, so "a|b|" gives "a\r\nb\r\n"; "" gives "".
QString listToLines(const QString &list);

// The bar-separated list of a code whose lines end with CR LF, LF or CR: "a\r\nb\r\n"
// gives "a|b|", "a\r\nb" gives "a|b". A "|" typed inside a line reads back as a line break.
QString codeToList(const QString &code);

// The same two conversions on bytes of the code page, which stay as they are.
// listBytesToLines("a|\xe9") gives "a\r\n\xe9\r\n"; codeBytesToList("\xe9\nb\r\n") gives "\xe9|b|".
QByteArray listBytesToLines(QByteArrayView list);
QByteArray codeBytesToList(QByteArrayView code);

// The title as it is stored and listed: one line of the file, so each line break typed or
// pasted into it (CR LF, LF or CR) becomes one blank. "Ti\r\ntle" gives "Ti tle".
QString singleLineTitle(const QString &typed);

// The stored line, in the 8-bit code page, without line end: ("T", "a|b") gives "T*a|b".
QByteArray entry(const QString &title, const QString &list);
// The same with a list that is already bytes of the code page.
QByteArray entryOfBytes(const QString &title, QByteArrayView list);

// The titles of the file's lines (CR LF, LF or CR ends) in file order; a line without "*" is
// skipped. "T*a|b\r\njunk\r\n*x\r\n" gives "T", "".
QStringList titles(const QByteArray &bytes);

// Where the titles of titles() lie in the bytes, in file order; nothing is decoded.
struct Span
{
    qsizetype at = 0;
    qsizetype size = 0;
};
QList<Span> titleSpans(QByteArrayView bytes);

// Where the line of an entry lies: its bytes [start, end) without line end, the offset of its
// "*" in the line, and where the following line begins. start is -1 when there is no such
// line. The entry is one of the lines with the title (compared as the list shows it), counted
// from the last: fromLast 0 is the last of them, the only one when the title is not repeated,
// 1 the one before it. ("A*1\r\nT*b\r\n", "T", 0) gives start 5, end 8, next 10, star 1.
struct ShownLine
{
    qsizetype start = -1;
    qsizetype end = -1;
    qsizetype next = -1;
    qsizetype star = -1;
};
ShownLine shownLine(QByteArrayView bytes, const QString &title, int fromLast = 0);

// The list stored under exactly this title, in the entry counted from the last as above; by
// default the last such line. Empty when none.
// ("T*a\r\nT*b|c\r\n", "T") gives "b|c"; with fromLast 1, "a".
QString snippet(const QByteArray &bytes, const QString &title, int fromLast = 0);

// How many entries have exactly this title, compared as the list shows it.
// ("T*a\r\nU*u\r\nT*b\r\n", "T") gives 2.
int titleCount(QByteArrayView bytes, const QString &title);

// Whether a title and a code can be read back exactly as typed; a failure names the character
// at fault. The file has no escape: a "*" ends a title, a "|" ends a code line, and only
// characters of the system's 8-bit code page can be written.
Result<> storable(const QString &title, const QString &code);
// The first two rules alone: no "*" in the title and no "|" in the code, given as text or as
// bytes of the code page.
Result<> fitsLayout(const QString &title, const QString &code);
Result<> fitsLayout(const QString &title, QByteArrayView code);
// The last rule alone: the text is written in the code page and reads back the same. A
// replacement character (U+FFFD) is refused too: it is what bytes that the code page cannot
// show look like once read, and writing it would not give those bytes back.
Result<> encodable(const QString &text);

// The bytes that store `text` where `before` was stored: wherever the text is what `before`
// shows, its bytes are kept, also those the code page cannot show (read as U+FFFD); what is new
// is written in the code page and must be encodable(). A failure names the character at fault.
// ("caf\xe9|x = 1", "caf\uFFFD|x = 2") gives "caf\xe9|x = 2" where \xe9 is no character.
Result<QByteArray> encodeKeeping(QByteArrayView before, const QString &text);

// The file operations, on a full path.
bool exists(const QString &path);

// The titles of the file, or why it cannot be read.
Result<QStringList> readTitles(const QString &path);
// The list stored under the title; empty when the file or the title is missing.
QString readSnippet(const QString &path, const QString &title);
// The title of the file's last line when that line has no line end, so that it may have been
// cut by an interrupted write; empty when the last line is whole or holds no title.
// "A*x\r\nB*y|z" gives "B"; "A*x\r\n" gives "".
std::optional<QString> cutTitle(QByteArrayView bytes);
// What the user is told of such a line of the file at path.
QString cutMessage(const QString &path, const QString &title);

// Adds the entry at the end, creating the file if needed. Earlier entries are never touched.
// The whole new file is written beside it and takes its name in one step, under a lock
// that other Brindle windows respect, so the entry lands whole or not at all, even when the
// program is stopped meanwhile; a failure leaves the file as it is on disk and gives the
// system's description.
// `whileWaiting` is called while another Brindle window holds the file's lock; returning false
// gives the wait up (see DiskFileSteps::whileWaiting).
Result<> store(const QString &path, const QString &title, const QString &list,
               const std::function<bool()> &whileWaiting = {});
// The file's bytes just before an entry was added, under the lock, and as the add left them.
struct Appended
{
    QByteArray before;
    QByteArray after;
};
// The same with the entry's line already made, without its line end.
Result<Appended> storeEntry(const QString &path, const QByteArray &line,
                            const std::function<bool()> &whileWaiting = {});

} // namespace StoredCode
