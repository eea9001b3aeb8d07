#pragma once

#include "outcome.h"

#include <QByteArray>
#include <QStringList>

#include <functional>

// Brindle's commands: each generator, the reference, the snippet store and the TAB order,
// without a window. The arguments are those after the program's name.
//   run({"array", "command", "3", "--horizontal"}) gives status 0 and the array's code;
//   run({"array"}) status 2 and a usage message; run({}) the window's business.
namespace Cli {

// Whether the arguments ask for a command rather than the window: anything but none or
// --desktop alone.
bool isCommand(const QStringList &arguments);

// Runs one command; readInput is called only by a command that reads standard input.
Outcome run(const QStringList &arguments, const std::function<QByteArray()> &readInput);

// Runs the command of the process's arguments, writes its output and message to the standard
// streams and gives the exit status.
int execute(const QStringList &arguments);

} // namespace Cli
