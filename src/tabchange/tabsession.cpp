#include "tabsession.h"

#include "formplace.h"
#include "rewrite.h"
#include "tabexchange.h"
#include "taborder.h"

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
    dropBlocks();
    m_held.clear();
}

void TabSession::dropBlocks()
{
    m_movedBlock.clear();
    m_targetBlock.clear();
}

std::optional<SectionReader::Failure> TabSession::pick(const QString &path)
{
    clear();
    const Result<QByteArray> file = m_files.read(path);
    if (!file)
        return SectionReader::unreadable(path, file.message());
    Result<SectionReader::Section> read = SectionReader::locate(file.value());
    if (!read)
        return SectionReader::notGenerated();
    holdSection(path, std::move(read.value()));
    return std::nullopt;
}

Result<> TabSession::hold(const QByteArray &file)
{
    Result<SectionReader::Section> read = SectionReader::locate(file);
    if (!read)
        return Result<>::failure(read.message());
    holdSection(m_path, std::move(read.value()), m_form);
    return {};
}

void TabSession::holdSection(QString path, SectionReader::Section section, int form)
{
    clear();
    m_path = std::move(path);
    m_genStart = section.genStart;
    m_held.hold(std::move(section.bytes));
    m_forms = SectionReader::forms(m_held.lines());
    if (!needsForm()) {
        m_range = {0, m_held.lastLine()};
        listObjects();
    } else if (form >= 0 && form < m_forms.size()) {
        (void)chooseForm(form);
    }
}

QList<int> TabSession::positionOrder() const
{
    return TabOrder::byPosition(FormPlace::objects(m_held.lines(), m_range.start, m_range.end));
}

bool TabSession::chooseForm(int k)
{
    if (k < 0 || k >= m_forms.size())
        return false;
    m_form = k;
    m_range = SectionReader::formRange(m_forms, k, m_held.lastLine());
    listObjects();
    return true;
}

void TabSession::listObjects()
{
    m_objects = SectionReader::objects(m_held.lines(), m_range.start, m_range.end);
    m_selected = -1;
    m_changedRows = {0, int(m_objects.size()) - 1};
}

bool TabSession::select(int row)
{
    if (row < 0 || row >= m_objects.size()) {
        m_selected = -1;
        return false;
    }
    m_selected = row;
    return true;
}

bool TabSession::remakeRows(int first, int last, int keepFrom, int keepTo)
{
    const int from = qMax(first, m_range.start);
    const int to = qMin(last, m_range.end);
    if (from > to)
        return true;
    const QList<int> setLines = SectionReader::objectLines(m_held.lines(), from, to);
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
            object = SectionReader::object(m_held.lines().at(line), line, row + int(k) + 1);
    }
    if (!setLines.isEmpty()) {
        m_changedRows.start = m_changedRows.end < 0 ? row : qMin(m_changedRows.start, row);
        m_changedRows.end = qMax(m_changedRows.end, row + int(setLines.size()) - 1);
    }
    return true;
}

Result<TabSession::Change> TabSession::exchange(int position)
{
    if (m_selected < 0 || position < 1 || position > m_objects.size())
        return Change::None;
    const Object &selected = m_objects.at(m_selected);
    const int sel = selected.block;
    const int target = m_objects.at(position - 1).block;
    Result<TabExchange::Prepared> prepared =
        TabExchange::prepare(m_held.lines(), sel, selected.ordinal, target, position);
    if (!prepared)
        return Result<Change>::failure(prepared.message());
    m_selected = -1;
    m_movedBlock = std::move(prepared.value().moved);
    m_targetBlock = std::move(prepared.value().target);
    m_changedRows = {0, -1};
    // The object's own position: one block for both, and the section stays as it is.
    if (sel != target)
        placeBlocks(sel, target);
    return Change::Made;
}

void TabSession::placeBlocks(int selected, int target)
{
    // Only the lines from the first block to the end of the second change, and their count
    // stays: the selected block's place takes the target, the target's place the moved block.
    const int first = qMin(selected, target);
    const int second = qMax(selected, target);
    const QList<QByteArray> &atFirst = first == selected ? m_targetBlock : m_movedBlock;
    const QList<QByteArray> &atSecond = first == selected ? m_movedBlock : m_targetBlock;
    const int firstLength = int(atSecond.size()); // the lines the first block had
    const int secondLength = int(atFirst.size());
    const int end = second + secondLength;
    m_pending = true;
    if (firstLength == secondLength) {
        // Blocks of one length: the lines between keep their places and their objects.
        m_held.put(first, atFirst);
        m_held.put(second, atSecond);
        if (remakeRows(first, first + firstLength - 1))
            remakeRows(second, end - 1);
        return;
    }
    QList<QByteArray> span;
    span.reserve(end - first);
    span.append(atFirst);
    span.append(m_held.lines().mid(first + firstLength, second - first - firstLength));
    span.append(atSecond);
    m_held.put(first, span);
    // The lines between moved by the difference of the lengths, each with its object.
    remakeRows(first, end - 1, first + secondLength, end - firstLength - 1);
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
        TabOrder::reorder(m_held.lines(), m_range.start, m_range.end, order);
    if (!reordered)
        return Result<>::failure(reordered.message());
    m_selected = -1;
    dropBlocks();
    // Only the blocks of the form's range change places.
    m_held.replace(std::move(reordered.value()), m_range.start, m_range.end);
    m_pending = true;
    listObjects();
    return {};
}

Result<QList<TabSession::Object>> TabSession::preview(const QList<int> &order) const
{
    const Result<QList<QByteArray>> reordered =
        TabOrder::reorder(m_held.lines(), m_range.start, m_range.end, order);
    if (!reordered)
        return Result<QList<Object>>::failure(reordered.message());
    return SectionReader::objects(reordered.value(), m_range.start, m_range.end);
}

Result<QString> TabSession::commit()
{
    if (!m_pending || !isOpen())
        return QString();
    const HeldSection::Layout layout = m_held.layOut();
    const SafeRewrite::Outcome written =
        Rewrite::write(m_files, m_path, m_genStart, m_held.bytes(), layout.slices);
    if (!written.written()) {
        // What is held no longer matches the file: it is dropped, and the file must be picked
        // again.
        if (written.changesDropped())
            clear();
        return Result<QString>::failure(Rewrite::writeMessage(written));
    }
    dropBlocks();
    m_held.settle(layout);
    m_pending = false;
    return Rewrite::writeMessage(written);
}
