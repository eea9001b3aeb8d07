#pragma once

#include "outcome.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// brindle lookup, list and snippets: the reference tables and the snippet store of the
// Keyword/ErrorCode mode.
//   lookup vbRed 53 prints "vbRed\tColor Costants" and "53 File not found", one a line.
//   list color prints vbBlack to vbWhite, one a line.
namespace LibraryCommand {

// The command-line names of the eight tables, in the order of the category list.
QStringList categoryNames();

// The reference entry of a name (a constant of a table or of the message box, in any letter
// case) or of an error number: the constant's value and meaning, or the error's line. Empty
// when there is none.
QString lookUp(const QString &name);

Outcome runLookup(const QStringList &arguments);
Outcome runList(const QStringList &arguments);
// readInput gives the code that `snippets add` stores.
Outcome runSnippets(const QStringList &arguments, const std::function<QByteArray()> &readInput);

} // namespace LibraryCommand
