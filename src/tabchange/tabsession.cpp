#include "tabsession.h"

#include "rewrite.h"
#include "tabexchange.h"
#include "taborder.h"
#include "textfile.h"

#include <algorithm>

TabSession::TabSession(FileSteps &files) : m_files(files) {}

void TabSession::clear()
{
    m_path.clear();
    m_genStart = -1;
    m_forms.clear();
    m_form = -1;
    m_range = {};
    m_objects.clear();
    m_selected = -1;
    m_changedRows = {};
    m_pending = false;
    // Every line that may point into the bytes goes before the bytes do.
    m_movedBlock.clear();
    m_targetBlock.clear();
    m_lines.clear();
    m_bytes.clear();
}

void TabSession::holdBytes(QByteArray bytes)
{
    QList<QByteArray> views = SectionReader::lineViews(bytes);
    m_movedBlock.clear();
    m_targetBlock.clear();
    // The new views replace the old ones before the bytes these point into are let go; moving
    // a QByteArray keeps its buffer, so the new views stay valid.
    m_lines = std::move(views);
    m_bytes = std::move(bytes);
}

void TabSession::pointInto(QByteArray bytes)
{
    m_movedBlock.clear();
    m_targetBlock.clear();
    // `bytes` holds exactly the lines held, each ended by CR LF: each line becomes a view of
    // its place there, with no scan for line ends. The old bytes stay until every line has
    // left them.
    qsizetype at = 0;
    for (QByteArray &line : m_lines) {
        const qsizetype size = line.size();
        Q_ASSERT(at + size + 2 <= bytes.size());
        line = QByteArray::fromRawData(bytes.constData() + at, size);
        at += size + 2;
    }
    m_bytes = std::move(bytes);
}

Result<> TabSession::pick(const QString &path)
{
    clear();
    const Result<QByteArray> file = TextFile::readBytes(path);
    if (!file)
        return Result<>::failure(SectionReader::unreadableMessage(path, file.message()));
    Result<SectionReader::Section> read = SectionReader::locate(file.value());
    if (!read)
        return Result<>::failure(read.message());
    m_path = path;
    m_genStart = read.value().genStart;
    holdBytes(std::move(read.value().bytes));
    m_forms = SectionReader::forms(m_lines);
    if (!needsForm()) {
        m_range = {0, int(m_lines.size()) - 1};
        listObjects();
    }
    return {};
}

Result<> TabSession::chooseForm(int k)
{
    if (k < 0 || k >= m_forms.size())
        return Result<>::failure({});
    m_form = k;
    m_range = SectionReader::formRange(m_forms, k, int(m_lines.size()) - 1);
    listObjects();
    return {};
}

void TabSession::listObjects()
{
    m_objects = SectionReader::objects(m_lines, m_range.start, m_range.end);
    m_selected = -1;
    m_changedRows = {0, int(m_objects.size()) - 1};
}

Result<> TabSession::select(int row)
{
    if (row < 0 || row >= m_objects.size()) {
        m_selected = -1;
        return Result<>::failure({});
    }
    m_selected = row;
    return {};
}

bool TabSession::remakeRows(int first, int last, int keepFrom, int keepTo)
{
    const int from = qMax(first, m_range.start);
    const int to = qMin(last, m_range.end);
    if (from > to)
        return true;
    const QList<int> setLines = SectionReader::objectLines(m_lines, from, to);
    // The rows whose SET line (block + 1) lay in from..to before the change.
    const auto setLineBefore = [](const Object &row, int line) { return row.block + 1 < line; };
    const auto begin = std::lower_bound(m_objects.cbegin(), m_objects.cend(), from, setLineBefore);
    const auto end = std::lower_bound(begin, m_objects.cend(), to + 1, setLineBefore);
    if (end - begin != setLines.size()) {
        listObjects();
        return false;
    }
    const int row = int(begin - m_objects.cbegin());
    for (qsizetype k = 0; k < setLines.size(); ++k) {
        const int line = setLines.at(k);
        Object &object = m_objects[row + k];
        if (line >= keepFrom && line <= keepTo)
            object.block = line - 1; // a line that only moved: the same object, elsewhere
        else
            object = SectionReader::object(m_lines.at(line), line, row + int(k) + 1);
    }
    if (!setLines.isEmpty()) {
        m_changedRows.start = m_changedRows.end < 0 ? row : qMin(m_changedRows.start, row);
        m_changedRows.end = qMax(m_changedRows.end, row + int(setLines.size()) - 1);
    }
    return true;
}

Result<> TabSession::exchange(int position)
{
    if (m_selected < 0 || position < 1 || position > m_objects.size())
        return Result<>::failure({});
    const Object &selected = m_objects.at(m_selected);
    const int sel = selected.block;
    const int target = m_objects.at(position - 1).block;
    Result<TabExchange::Prepared> prepared =
        TabExchange::prepare(m_lines, sel, selected.ordinal, target, position);
    if (!prepared)
        return Result<>::failure(prepared.message());
    m_selected = -1;
    m_movedBlock = std::move(prepared.value().moved);
    m_targetBlock = std::move(prepared.value().target);
    m_changedRows = {0, -1};
    // The object's own position: one block for both, and the section stays as it is.
    if (sel == target)
        return {};
    // Only the lines from the first block to the end of the second change, and their count
    // stays: the selected block's place takes the target, the target's place the moved block.
    const int first = qMin(sel, target);
    const int second = qMax(sel, target);
    const QList<QByteArray> &atFirst = first == sel ? m_targetBlock : m_movedBlock;
    const QList<QByteArray> &atSecond = first == sel ? m_movedBlock : m_targetBlock;
    const qsizetype firstLength = atSecond.size(); // the lines the first block had
    const qsizetype secondLength = atFirst.size();
    const qsizetype end = second + secondLength;
    m_pending = true;
    if (firstLength == secondLength) {
        // Blocks of one length: the lines between keep their places and their objects.
        std::copy(atFirst.cbegin(), atFirst.cend(), m_lines.begin() + first);
        std::copy(atSecond.cbegin(), atSecond.cend(), m_lines.begin() + second);
        if (remakeRows(first, int(first + firstLength) - 1))
            remakeRows(second, int(end) - 1);
        return {};
    }
    QList<QByteArray> span;
    span.reserve(end - first);
    span.append(atFirst);
    span.append(m_lines.mid(first + firstLength, second - first - firstLength));
    span.append(atSecond);
    std::move(span.begin(), span.end(), m_lines.begin() + first);
    // The lines between moved by the difference of the lengths, each with its object.
    remakeRows(first, int(end) - 1, int(first + secondLength), int(end - firstLength) - 1);
    return {};
}

Result<> TabSession::reorder(const QList<int> &order)
{
    // Objects taken in their present order change nothing.
    if (order == TabOrder::complete({}, int(m_objects.size()))) {
        m_selected = -1;
        m_changedRows = {0, -1};
        return {};
    }
    Result<QList<QByteArray>> reordered =
        TabOrder::reorder(m_lines, m_range.start, m_range.end, order);
    if (!reordered)
        return Result<>::failure(reordered.message());
    m_selected = -1;
    m_movedBlock.clear();
    m_targetBlock.clear();
    m_lines = std::move(reordered.value());
    m_pending = true;
    listObjects();
    return {};
}

Result<QList<TabSession::Object>> TabSession::preview(const QList<int> &order) const
{
    const Result<QList<QByteArray>> reordered =
        TabOrder::reorder(m_lines, m_range.start, m_range.end, order);
    if (!reordered)
        return Result<QList<Object>>::failure(reordered.message());
    return SectionReader::objects(reordered.value(), m_range.start, m_range.end);
}

Result<QString> TabSession::commit()
{
    if (!m_pending || !isOpen())
        return QString();
    const Result<QByteArray> current = Rewrite::current(m_files, m_path, m_genStart, m_bytes);
    if (!current) {
        // What is held no longer matches the file: it is dropped, and the file must be picked
        // again.
        clear();
        return Result<QString>::failure(current.message());
    }
    Result<Rewrite::Written> written =
        Rewrite::write(m_files, m_path, current.value(), m_genStart, m_lines, m_bytes);
    if (!written)
        return Result<QString>::failure(written.message());
    pointInto(std::move(written.value().section));
    m_pending = false;
    return written.value().warning;
}
