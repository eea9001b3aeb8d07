#include "taborder.h"

#include "sectionreader.h"
#include "tabexchange.h"

#include <algorithm>
#include <numeric>

namespace TabOrder {

namespace {

QList<int> blockStarts(const QList<QByteArray> &section, int rangeStart, int rangeEnd)
{
    return SectionReader::objectBlocks(section, rangeStart, rangeEnd);
}

bool isPermutation(const QList<int> &order, qsizetype count)
{
    if (order.size() != count)
        return false;
    QList<bool> seen(count, false);
    for (int position : order) {
        if (position < 1 || position > count || seen.at(position - 1))
            return false;
        seen[position - 1] = true;
    }
    return true;
}

} // namespace

QList<int> complete(const QList<int> &picked, int count)
{
    QList<int> order;
    QList<bool> taken(qMax(count, 0), false);
    for (int position : picked) {
        if (position >= 1 && position <= count && !taken.at(position - 1)) {
            taken[position - 1] = true;
            order.append(position);
        }
    }
    for (int position = 1; position <= count; ++position) {
        if (!taken.at(position - 1))
            order.append(position);
    }
    return order;
}

Result<QList<QByteArray>> reorder(const QList<QByteArray> &section, int rangeStart, int rangeEnd,
                                  const QList<int> &order)
{
    const qsizetype count = blockStarts(section, rangeStart, rangeEnd).size();
    if (!isPermutation(order, count)) {
        return Result<QList<QByteArray>>::failure(
            QStringLiteral("The new TAB order does not give each of the form's ") +
            QString::number(count) +
            QStringLiteral(" objects one position.\r\nNothing was changed."));
    }
    QList<QByteArray> result = section;
    // held[k - 1]: the present position of the object now standing at position k.
    QList<int> held(count);
    std::iota(held.begin(), held.end(), 1);
    for (int k = 1; k <= count; ++k) {
        const int p = int(held.indexOf(order.at(k - 1))) + 1;
        if (p == k)
            continue;
        // Blocks of different lengths shift the blocks between them: find them anew.
        const QList<int> starts = blockStarts(result, rangeStart, rangeEnd);
        const int sel = starts.at(k - 1);
        const int target = starts.at(p - 1);
        const Result<TabExchange::Prepared> step = TabExchange::prepare(result, sel, k, target, p);
        if (!step)
            return Result<QList<QByteArray>>::failure(step.message());
        const TabExchange::Prepared &prepared = step.value();
        // The exchange keeps the line count, and only the lines from the first block to the
        // end of the second one change: exchange those alone and put them back.
        const qsizetype end = target + prepared.target.size();
        const QList<QByteArray> span = TabExchange::exchange(
            result.mid(sel, end - sel), 0, prepared.moved, target - sel, prepared.target);
        std::copy(span.begin(), span.end(), result.begin() + sel);
        held.swapItemsAt(k - 1, p - 1);
    }
    return result;
}

QList<int> byPosition(const QList<FormPlace::Object> &objects)
{
    // The present positions of the placed objects, by their tops (then in their present order).
    QList<int> placed;
    QList<int> unplaced;
    for (int k = 0; k < objects.size(); ++k)
        (objects.at(k).opening.placed ? placed : unplaced).append(k + 1);
    const auto place = [&](int position) { return objects.at(position - 1).opening.place; };
    std::stable_sort(placed.begin(), placed.end(),
                     [&](int a, int b) { return place(a).top() < place(b).top(); });
    QList<int> order;
    order.reserve(objects.size());
    qsizetype rowStart = 0;
    while (rowStart < placed.size()) {
        const QRect first = place(placed.at(rowStart));
        qsizetype rowEnd = rowStart + 1;
        // Twice the distance against the smaller height: no rounding of a half.
        while (rowEnd < placed.size()) {
            const QRect next = place(placed.at(rowEnd));
            if ((qint64(next.top()) - first.top()) * 2 >= qMin(next.height(), first.height()))
                break;
            ++rowEnd;
        }
        std::stable_sort(placed.begin() + rowStart, placed.begin() + rowEnd,
                         [&](int a, int b) { return place(a).left() < place(b).left(); });
        order.append(placed.mid(rowStart, rowEnd - rowStart));
        rowStart = rowEnd;
    }
    order.append(unplaced);
    return order;
}

} // namespace TabOrder
