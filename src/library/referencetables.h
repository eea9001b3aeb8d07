#pragma once

#include <QString>
#include <QStringList>

// The fixed reference of mode 1: the nine category entries of the category list, for positions
// 0 to 7 a table of the target language's constants or run-time error codes, and the
// message-box constants.
// table(0) is "vbBlack|vbRed|vbGreen|vbBlue|vbYellow|vbMagenta|vbCyan|vbWhite".
namespace ReferenceTables {

constexpr int categoryCount = 9;
constexpr int tableCount = 8;
constexpr int errorCodesPosition = 7;
constexpr int myCodePosition = 8;

// The category entry at a position 0 to 8, runs of blanks included; empty outside.
QString category(int position);
// The entries of the table at a position 0 to 7, in display order; empty for others.
QStringList entries(int position);
// The same table as a bar-separated list.
QString table(int position);
// A category as a heading names it: its words with one blank between them, without the marks
// around them. heading(0) is "Color Costants", heading(7) "ERROR Codes", heading(8) "MY CODE".
QString heading(int position);

// The flags and answers of the language's message box, which the dialog code uses: a table of
// its own, under its own heading, that is no category of the list. value() and describe() know
// them as they know the constants of the categories.
QString messageBoxHeading();
QStringList messageBoxEntries();

// A constant's value as written in code: value("vbRed") is "255 (&HFF)", value("vbCrlf")
// "Chr(13) & Chr(10)"; empty for the values known only at run time and for unknown names.
QString value(const QString &name);
// One line on a constant: "vbRed = 255 (&HFF): red, as a colour value"; for a value known only
// at run time its meaning alone ("CurrentPath: the folder ..."); empty for an unknown name.
QString describe(const QString &name);
// The entries of a table whose text (a constant's name, an error's number and message) or
// value holds the text in any case, in display order; every entry when the text is empty.
// filtered(0, "ff00") gives "vbGreen", "vbBlue", "vbMagenta", "vbCyan".
QStringList filtered(int position, const QString &text);

} // namespace ReferenceTables
