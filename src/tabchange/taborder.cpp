#include "taborder.h"

#include "sectionreader.h"
#include "tabexchange.h"

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

} // namespace TabOrder
