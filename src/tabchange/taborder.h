#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "formplace.h"
#include "result.h"

// Gives all objects of a form range a new TAB order at once, as the sequence of exchanges a
// user would make one by one: position 1 exchanges with the object that is to take it, then
// position 2, and so on. Each step is TabExchange::prepare and TabExchange::exchange, so
// whole blocks move and are renumbered exactly as by single exchanges, and every other line
// keeps its bytes and its place.
//
// Example: objects A, B, C at positions 1, 2, 3 and the order 3, 1, 2 (C first, then A, then
// B): 1 exchanges with 3 (C B A), then 2 with 3 (C A B), each block renumbered to its place.
namespace TabOrder {

// The whole order from the positions picked so far (from 1, in picking order): those first,
// then every other position in its present order. Repeated or unknown picks are ignored.
// complete({3, 1}, 4) is {3, 1, 2, 4}.
QList<int> complete(const QList<int> &picked, int count);

// order: for each new position from 1, the present position of the object that takes it; a
// permutation of 1 .. the number of objects SectionReader::listObjects finds in the range.
// Gives the new section; refused as a whole (with the exchange's message) when any step is.
Result<QList<QByteArray>> reorder(const QList<QByteArray> &section, int rangeStart, int rangeEnd,
                                  const QList<int> &order);

// The order of the objects by their places on the form, in rows from top to bottom and left to
// right in each row (the whole order, as reorder() takes it). Taken by their tops, an object
// joins the row of the object that began it when its top lies less than half of the smaller of
// the two heights below that object's top; else it begins the next row. Objects without a
// place follow the placed ones in their present order. Objects 20 high at (100,0), (0,8) and
// (50,40) give the rows {2, 1} and {3}, so the order 2, 1, 3: the second lies 8 below the first,
// less than 10; the third lies 40 below.
QList<int> byPosition(const QList<FormPlace::Object> &objects);

} // namespace TabOrder
