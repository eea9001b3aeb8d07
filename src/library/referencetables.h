#pragma once

#include <QString>
#include <QStringList>

// The fixed reference of mode 1: the nine category entries of the category list, and for
// positions 0 to 7 a table of the target language's constants or run-time error codes.
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

} // namespace ReferenceTables
