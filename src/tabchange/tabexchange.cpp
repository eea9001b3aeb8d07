#include "tabexchange.h"

namespace TabExchange {

namespace {

QString layoutMessage(int start)
{
    return QStringLiteral("The object whose lines start at section line ") +
           QString::number(start) +
           QStringLiteral(" does not have the generated-code layout.\r\nNothing was changed.");
}

QString emptyNameMessage(const QByteArray &setLine)
{
    return QStringLiteral("This object has no name after the equals sign of its line:\r\n") +
           QString::fromLocal8Bit(setLine) + QStringLiteral("\r\nNothing was changed.");
}

// Form lines and end lines frame the blocks; a block that runs into one (no apostrophe line
// before it) would carry it, or the code after the end line, along and renumber it.
bool holdsFrameLine(const QList<QByteArray> &block)
{
    for (const QByteArray &line : block) {
        if (line.startsWith("DIM Form") || line.startsWith("Dim Form") ||
            line.contains("End Generated"))
            return true;
    }
    return false;
}

} // namespace

QList<QByteArray> collectBlock(const QList<QByteArray> &section, int start)
{
    QList<QByteArray> block;
    for (qsizetype i = qMax(start, 0); i < section.size(); ++i) {
        if (section.at(i).contains('\''))
            break;
        block.append(section.at(i));
    }
    return block;
}

QByteArray firstParentheses(const QByteArray &line)
{
    const qsizetype open = line.indexOf('(');
    const qsizetype close = line.indexOf(')');
    if (open < 0 || close < open)
        return {};
    // An empty text between the parentheses is still a place for the number.
    return close == open + 1 ? QByteArray("") : line.mid(open + 1, close - open - 1);
}

QByteArray renumber(const QByteArray &line, const QByteArray &from, int n)
{
    const QByteArray held = firstParentheses(line);
    if (held.isNull() || from.isNull() || held != from)
        return line;
    const qsizetype open = line.indexOf('(');
    return line.left(open + 1) + QByteArray::number(n) + line.mid(open + 1 + held.size());
}

QList<QByteArray> renumberBlock(const QList<QByteArray> &block, int n)
{
    const QByteArray number = block.size() > 1 ? firstParentheses(block.at(1)) : QByteArray();
    QList<QByteArray> out;
    out.reserve(block.size());
    for (qsizetype i = 0; i < block.size(); ++i)
        out.append(i == 0 ? block.at(i) : renumber(block.at(i), number, n));
    return out;
}

QByteArray nameText(const QByteArray &setLine)
{
    return setLine.mid(setLine.indexOf('=') + 1);
}

Result<Prepared> prepare(const QList<QByteArray> &section, int selBlock, int oldTab,
                         int targetBlock, int newTab)
{
    // Section line 0 is the "Begin Gen" line, which stays where it is.
    for (int start : {selBlock, targetBlock}) {
        const QList<QByteArray> block = collectBlock(section, start);
        if (start < 1 || start >= section.size() || block.size() < 2 || holdsFrameLine(block))
            return Result<Prepared>::failure(layoutMessage(start));
    }
    const QList<QByteArray> selected = collectBlock(section, selBlock);
    const QList<QByteArray> target = collectBlock(section, targetBlock);
    for (const QByteArray &setLine : {selected.at(1), target.at(1)}) {
        if (nameText(setLine).isEmpty())
            return Result<Prepared>::failure(emptyNameMessage(setLine));
    }
    const bool apart =
        selBlock + selected.size() <= targetBlock || targetBlock + target.size() <= selBlock;
    if (selBlock != targetBlock && !apart)
        return Result<Prepared>::failure(layoutMessage(qMax(selBlock, targetBlock)));
    return Prepared{renumberBlock(selected, newTab), renumberBlock(target, oldTab)};
}

QList<QByteArray> exchange(const QList<QByteArray> &section, int selBlock,
                           const QList<QByteArray> &moved, int targetBlock,
                           const QList<QByteArray> &target)
{
    if (selBlock == targetBlock)
        return section;
    QList<QByteArray> out;
    out.reserve(section.size());
    qsizetype p = 0;
    while (p < section.size()) {
        if (p == selBlock) {
            out.append(target);
            p += moved.size();
        } else if (p == targetBlock) {
            out.append(moved);
            p += target.size();
        } else {
            out.append(section.at(p));
            ++p;
        }
    }
    return out;
}

} // namespace TabExchange
