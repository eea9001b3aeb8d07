#pragma once

#include "outcome.h"

#include <QStringList>

// brindle tab-order: lists the objects of a form of a program file in TAB order, or gives them
// a new order (a whole order, or one exchange) written through the TabChange mode's safe
// rewrite. Every use of the TabChange logic is in this one unit.
//   tab-order Stock.txt --form Form1 --list prints "1\tItemBox\tTextBox", "2\tQtyBox\tTextBox"...
//   tab-order Stock.txt --form Form1 --swap DoneButton 1 exchanges positions 4 and 1.
namespace TabOrderCommand {

Outcome run(const QStringList &arguments);

} // namespace TabOrderCommand
