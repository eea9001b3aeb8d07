#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "result.h"

// Reads a program file saved in generated-code layout and builds the form table and the
// object list of its generated section. Lines stay bytes as on disk; the rows are structured,
// and their display texts (which carry a section index after a dash, beyond their visible
// part) are only ever made from the rows, never read back.
//
// Example: the file lines «Head», «' Begin Generated part», «Dim Form1», «'», «New object»,
// « Set Ctl(1) = OkButton», «Ctl(1).Caption = OK», «' End Generated part» give genStart 1,
// a section of 7 lines, the form table «Form1                 -1» and
// «°°°°°                  -6», and the object entry «1  OkButton» + 40 blanks + «-3».
namespace SectionReader {

inline constexpr char notGeneratedMessage[] =
    "Form Code does not comply with Generated code format";

struct Section
{
    int genStart = -1;       // file line number of the "Begin Gen" line
    QList<QByteArray> lines; // that line and every line after it
    QByteArray bytes;        // the file's bytes from that line on, line ends as on disk
};

// The section of a file's lines: from the first line containing "Begin Gen" to the end. A
// file without such a line fails with notGeneratedMessage. The bytes are left empty.
Result<Section> find(const QList<QByteArray> &fileLines);
// The section of a file's bytes (CR LF, LF or CR line ends).
Result<Section> parse(const QByteArray &file);
// What parse() gives, but with the lines left empty: no line is copied, so a file of
// millions of lines is only scanned.
Result<Section> locate(const QByteArray &file);
// The lines of bytes (CR LF, LF or CR ends) as views into bytes, which must outlive them and
// stay unchanged: no line is copied. A final line end adds no empty line.
QList<QByteArray> lineViews(const QByteArray &bytes);
// Reads the file and finds its section; a file that cannot be read fails with a message that
// names it.
Result<Section> read(const QString &path);
QString unreadableMessage(const QString &path, const QString &reason);

// Why a program file gives no section to work on, and the words shown for it.
struct Failure
{
    enum class Reason {
        Unreadable,   // the file cannot be read
        NotGenerated, // no line holds "Begin Gen": the form's code is not in generated layout
    };
    Reason reason;
    QString message;
};
// A file that cannot be read, `reason` saying why in the system's words.
Failure unreadable(const QString &path, const QString &reason);
// A file without a "Begin Gen" line: notGeneratedMessage.
Failure notGenerated();

// A row of the form table: a form line, or an end line (isEnd) that closes the last form.
struct Form
{
    QString name;       // the text after the form line's first blank; empty for an end line
    int startLine = -1; // the section index of the line
    bool isEnd = false;
};
// One form entry per form line and one end entry per end line, in section order.
QList<Form> forms(const QList<QByteArray> &section);
// The text a form-table row shows: «Form1                 -1», «°°°°°                  -10».
QString formText(const Form &form);
// formText of every row of forms(section).
QStringList formTable(const QList<QByteArray> &section);

struct Range
{
    int start = 0;
    int end = -1; // both inclusive
};
// The lines of form-table row k: from its line to the next row's, or to lastIndex for the last
// row.
Range formRange(const QList<Form> &table, int k, int lastIndex);

// A row of the object list.
struct Object
{
    int ordinal = 0; // the current TAB position, from 1
    QString name;    // the SET line's text after its first equals sign, blanks kept
    int block = -1;  // the section index of the block's opening line, the line before the SET
};
// Every line of the range (clamped to the section) whose first word is SET or Set, after a
// blank, is an object. A name longer than 1000 characters shows its first 1000, far beyond the
// visible part.
QList<Object> objects(const QList<QByteArray> &section, int rangeStart, int rangeEnd);
// The object of the SET line at section index setIndex, listed as `ordinal`.
Object object(const QByteArray &setLine, int setIndex, int ordinal);
// The text an object row shows: «ordinal name», then, out of view, 40 blanks, a dash and the
// block start.
QString objectText(const Object &object);

struct Objects
{
    QStringList entries;   // objectText of each object
    QStringList positions; // «1» .. «count»
};
// The rows of objects() as the list and the new-position selector show them.
Objects listObjects(const QList<QByteArray> &section, int rangeStart, int rangeEnd);
// The section indexes of the object lines of the range, in order: what objects() lists.
QList<int> objectLines(const QList<QByteArray> &section, int rangeStart, int rangeEnd);
// The block starts of objects() in order.
QList<int> objectBlocks(const QList<QByteArray> &section, int rangeStart, int rangeEnd);

} // namespace SectionReader
