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

// Form lines and end lines frame the blocks; a block that runs into one (no comment line
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

// The line with the text of its string literals left out, their quotation marks kept: the
// code and the comment that remain are what the line's structure is read from.
QByteArray outsideStrings(const QByteArray &line)
{
    QByteArray out;
    bool inString = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char c = line.at(i);
        if (!inString && c == '\'')
            return out + line.sliced(i); // a comment runs to the end of the line
        // A doubled quote inside a literal closes and reopens it: the literal goes on.
        if (c == '"')
            inString = !inString;
        if (!inString || c == '"')
            out += c;
    }
    return out;
}

// A comment line (its first non-blank character an apostrophe) ends a block, and so does the
// end line when its marker stands outside strings and it carries a comment. Any other line
// stays in the block, whatever apostrophes its strings or its comment after code hold.
bool endsBlock(const QByteArray &line)
{
    for (const char c : line) {
        if (c != ' ' && c != '\t') {
            if (c == '\'')
                return true;
            break;
        }
    }
    if (!line.contains("End Generated"))
        return false;
    const QByteArray structure = outsideStrings(line);
    return structure.contains('\'') && structure.contains("End Generated");
}

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           uchar(c) >= 0x80;
}

} // namespace

QList<QByteArray> collectBlock(const QList<QByteArray> &section, int start)
{
    QList<QByteArray> block;
    for (qsizetype i = qMax(start, 0); i < section.size(); ++i) {
        if (endsBlock(section.at(i)))
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

QByteArray arrayName(const QByteArray &setLine)
{
    const qsizetype open = setLine.indexOf('(');
    qsizetype start = open;
    while (start > 0 && isNameChar(setLine.at(start - 1)))
        --start;
    return open < 0 ? QByteArray() : setLine.sliced(start, open - start);
}

QByteArray renumber(const QByteArray &line, const QByteArray &name, const QByteArray &from, int n)
{
    if (name.isEmpty() || from.isNull())
        return line;
    const QByteArray reference = name + '(' + from + ')';
    const QByteArray number = QByteArray::number(n);
    QByteArray out;
    bool inString = false;
    qsizetype copied = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char c = line.at(i);
        if (c == '"') {
            // A doubled quote inside a literal is one quote and keeps the literal open.
            inString = !inString;
            continue;
        }
        if (inString || (i > 0 && isNameChar(line.at(i - 1))) ||
            QByteArrayView(line).sliced(i).size() < reference.size() ||
            QByteArrayView(line)
                    .sliced(i, reference.size())
                    .compare(reference, Qt::CaseInsensitive) != 0)
            continue;
        const qsizetype numberAt = i + name.size() + 1;
        out += QByteArrayView(line).sliced(copied, numberAt - copied);
        out += number;
        copied = numberAt + from.size();
        i = copied - 1;
    }
    if (copied == 0)
        return line;
    out += QByteArrayView(line).sliced(copied);
    return out;
}

QList<QByteArray> renumberBlock(const QList<QByteArray> &block, int n)
{
    const QByteArray setLine = block.size() > 1 ? block.at(1) : QByteArray();
    const QByteArray number = firstParentheses(setLine);
    const QByteArray name = arrayName(setLine);
    if (block.isEmpty())
        return {};
    QList<QByteArray> out;
    out.reserve(block.size());
    out.append(block.at(0));
    if (block.size() > 1) {
        // What follows the SET line's equals sign names the object, whatever it holds.
        const qsizetype equals = setLine.indexOf('=');
        const qsizetype end = equals < 0 ? setLine.size() : equals;
        out.append(renumber(setLine.first(end), name, number, n) + setLine.sliced(end));
    }
    for (qsizetype i = 2; i < block.size(); ++i)
        out.append(renumber(block.at(i), name, number, n));
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
