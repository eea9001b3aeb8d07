#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "result.h"

// Reads a program file saved in generated-code layout and builds the form table and the
// object list of its generated section. Lines stay bytes as on disk; only display strings
// are text. Display strings carry a section index after a dash, beyond their visible part.
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
// The lines of bytes (CR LF, LF or CR ends) as views into bytes, which must outlive them and
// stay unchanged: no line is copied. A final line end adds no empty line.
QList<QByteArray> lineViews(const QByteArray &bytes);
// Reads the file and finds its section; a file that cannot be read fails with a message that
// names it.
Result<Section> read(const QString &path);
QString unreadableMessage(const QString &path, const QString &reason);

// One form entry per form line and one end entry per end line, in section order.
QStringList formTable(const QList<QByteArray> &section);

struct Range
{
    int start = 0;
    int end = -1; // both inclusive
};
// The lines of form-table entry k: from its index to the next entry's, or to lastIndex for
// the last entry.
Range formRange(const QStringList &table, int k, int lastIndex);

struct Objects
{
    QStringList entries;   // «ordinal name» + 40 blanks + «-» + block start
    QStringList positions; // «1» .. «count»
};
// Every line of the range (clamped to the section) holding " SET" or " Set" is an object. A
// name longer than 1000 characters shows its first 1000, far beyond the visible part.
Objects listObjects(const QList<QByteArray> &section, int rangeStart, int rangeEnd);
// The section indexes of the object lines of the range, in order: what listObjects lists.
QList<int> objectLines(const QList<QByteArray> &section, int rangeStart, int rangeEnd);
// The entry of the object whose SET line is setLine, at section index `index`, listed as
// `ordinal`: listObjects' entries one by one.
QString objectEntry(const QByteArray &setLine, int index, int ordinal);

// Pieces of a display string. The index is the number after the dash that ends the visible
// part; reading it from the end keeps it right even when a name holds a dash.
int entryIndex(const QString &entry);
QString entryOrdinal(const QString &entry);
// From the first blank up to the index's dash, leading blanks removed.
QString entryName(const QString &entry);

} // namespace SectionReader
