#include "tabsession.h"

#include "formplace.h"
#include "rewrite.h"
#include "tabexchange.h"
#include "taborder.h"
#include "textfile.h"

#include <algorithm>
#include <cstring>

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
    m_inPlace = false;
    m_changed.clear();
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
    // Each line followed by CR LF, and no other line end: each line is where a written section
    // puts it.
    m_inPlace = m_bytes.count('\n') == m_lines.size() && m_bytes.count('\r') == m_lines.size();
    m_changed.clear();
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

Result<> TabSession::hold(const QByteArray &file)
{
    Result<SectionReader::Section> read = SectionReader::locate(file);
    if (!read)
        return Result<>::failure(read.message());
    const QString path = m_path;
    const int form = m_form;
    clear();
    m_path = path;
    m_genStart = read.value().genStart;
    holdBytes(std::move(read.value().bytes));
    m_forms = SectionReader::forms(m_lines);
    if (needsForm() && form >= 0 && form < m_forms.size()) {
        (void)chooseForm(form);
    } else if (!needsForm()) {
        m_range = {0, int(m_lines.size()) - 1};
        listObjects();
    }
    return {};
}

QList<int> TabSession::positionOrder() const
{
    return TabOrder::byPosition(FormPlace::objects(m_lines, m_range.start, m_range.end));
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
        markChanged(first, int(first + firstLength) - 1);
        markChanged(second, int(end) - 1);
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
    markChanged(first, int(end) - 1);
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
    // Only the blocks of the form's range change places, the count of lines kept.
    if (reordered.value().size() != m_lines.size())
        m_inPlace = false;
    m_lines = std::move(reordered.value());
    markChanged(m_range.start, m_range.end);
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

void TabSession::markChanged(int first, int last)
{
    if (first > last)
        return;
    // Many small spans are taken as the one that covers them.
    if (m_changed.size() >= 64) {
        for (const Range &span : std::as_const(m_changed)) {
            first = qMin(first, span.start);
            last = qMax(last, span.end);
        }
        m_changed.clear();
    }
    m_changed.append({first, last});
}

TabSession::Layout TabSession::layOut() const
{
    // Line k of the written section starts at the sum of the lines before it, each with CR LF.
    // A line that is already there in the bytes held, followed by CR LF, stays in place; a run
    // of lines that follow one another in the bytes held, each with CR LF, is one slice.
    Layout layout;
    const char *const base = m_bytes.constData();
    const quintptr begin = quintptr(base);
    const quintptr end = begin + quintptr(m_bytes.size());
    const auto heldWithCrLf = [&](const char *data, qsizetype size) {
        const quintptr at = quintptr(data);
        return at >= begin && at <= end && quintptr(size) + 2 <= end - at && data[size] == '\r' &&
               data[size + 1] == '\n';
    };
    // Past a quarter of the lines moved, the section is made anew rather than patched.
    const qsizetype mostMoved = m_lines.size() / 4 + 16;
    const char *runStart = nullptr;
    const char *runEnd = nullptr;
    qsizetype at = 0; // where the next line goes in the written section
    const auto extendRun = [&](const char *from, const char *to) {
        if (from == runEnd) {
            runEnd = to;
            return;
        }
        if (runStart)
            layout.slices.append(QByteArrayView(runStart, runEnd));
        runStart = from;
        runEnd = to;
    };
    const auto layLines = [&](qsizetype first, qsizetype last) {
        for (qsizetype k = first; k <= last; ++k) {
            const QByteArray &line = m_lines.at(k);
            const char *data = line.constData();
            const qsizetype size = line.size();
            const bool held = heldWithCrLf(data, size);
            if ((!held || data != base + at) && layout.patch) {
                layout.moved.append({k, at});
                if (layout.moved.size() > mostMoved) {
                    layout.patch = false;
                    layout.moved.clear();
                }
            }
            if (held) {
                extendRun(data, data + size + 2);
            } else {
                if (runStart)
                    layout.slices.append(QByteArrayView(runStart, runEnd));
                runStart = runEnd = nullptr;
                layout.slices.append(line);
                layout.slices.append(TextFile::lineEnd);
            }
            at += size + 2;
        }
    };
    const qsizetype count = m_lines.size();
    if (!m_inPlace) {
        layLines(0, count - 1);
    } else {
        // Every line outside the spans changed since the bytes held were read or written is
        // where the written section has it, ended by CR LF: the bytes between the spans are
        // written as they are held, and only the lines of the spans are looked at.
        // The spans in order, those that overlap or touch taken as one: the line before a
        // span and the line after it are then outside every span.
        QList<Range> sorted = m_changed;
        std::sort(sorted.begin(), sorted.end(),
                  [](const Range &a, const Range &b) { return a.start < b.start; });
        QList<Range> spans;
        for (const Range &span : std::as_const(sorted)) {
            if (!spans.isEmpty() && span.start <= spans.last().end + 1)
                spans.last().end = qMax(spans.last().end, span.end);
            else
                spans.append(span);
        }
        // The unchanged lines first..last, held as bytes heldFrom..heldTo: one slice. After a
        // span of another size they move; while few lines have moved, each is listed.
        const auto layUnchanged = [&](qsizetype first, qsizetype last, qsizetype heldFrom,
                                      qsizetype heldTo) {
            if (at != heldFrom && layout.moved.size() + (last - first + 1) > mostMoved) {
                layout.patch = false;
                layout.moved.clear();
            }
            for (qsizetype k = first; k <= last && at != heldFrom && layout.patch; ++k) {
                const qsizetype size = m_lines.at(k).size();
                layout.moved.append({k, at});
                extendRun(base + heldFrom, base + heldFrom + size + 2);
                heldFrom += size + 2;
                at += size + 2;
            }
            extendRun(base + heldFrom, base + heldTo);
            at += heldTo - heldFrom;
        };
        qsizetype heldAt = 0; // the bytes held before it are laid out
        qsizetype next = 0;   // and the lines
        for (const Range &span : std::as_const(spans)) {
            const qsizetype first = qMax(span.start, 0);
            const qsizetype last = qMin<qsizetype>(span.end, count - 1);
            if (first > last)
                continue;
            const qsizetype from = first == 0 ? 0
                                              : m_lines.at(first - 1).constData() - base +
                                                    m_lines.at(first - 1).size() + 2;
            Q_ASSERT(from >= heldAt && from <= m_bytes.size());
            layUnchanged(next, first - 1, heldAt, from);
            layLines(first, last);
            heldAt = last + 1 < count ? m_lines.at(last + 1).constData() - base : m_bytes.size();
            next = last + 1;
            Q_ASSERT(heldAt >= from && heldAt <= m_bytes.size());
        }
        layUnchanged(next, count - 1, heldAt, m_bytes.size());
    }
    if (runStart)
        layout.slices.append(QByteArrayView(runStart, runEnd));
    layout.size = at;
    return layout;
}

void TabSession::settle(const Layout &layout)
{
    m_movedBlock.clear();
    m_targetBlock.clear();
    if (!layout.patch || layout.size != m_bytes.size() || !m_bytes.isDetached()) {
        // The section changed its size, or most of it moved: its bytes are made anew, from
        // the slices just written.
        QByteArray bytes(layout.size, Qt::Uninitialized);
        char *to = bytes.data();
        for (const QByteArrayView slice : layout.slices) {
            std::memcpy(to, slice.data(), size_t(slice.size()));
            to += slice.size();
        }
        pointInto(std::move(bytes));
        m_inPlace = true;
        m_changed.clear();
        return;
    }
    // The same size: the lines that are not in their place are written into the bytes held,
    // from a copy, since a line may be a view of the place that another one takes.
    qsizetype movedSize = 0;
    for (const Move &move : layout.moved)
        movedSize += m_lines.at(move.line).size();
    QByteArray moved(movedSize, Qt::Uninitialized);
    char *to = moved.data();
    for (const Move &move : layout.moved) {
        const QByteArray &line = m_lines.at(move.line);
        std::memcpy(to, line.constData(), size_t(line.size()));
        to += line.size();
    }
    char *const base = m_bytes.data(); // detached: written where the lines point
    const char *from = moved.constData();
    for (const Move &move : layout.moved) {
        const qsizetype size = m_lines.at(move.line).size();
        std::memcpy(base + move.at, from, size_t(size));
        std::memcpy(base + move.at + size, TextFile::lineEnd, 2);
        m_lines[move.line] = QByteArray::fromRawData(base + move.at, size);
        from += size;
    }
    m_inPlace = true;
    m_changed.clear();
}

Result<QString> TabSession::commit()
{
    if (!m_pending || !isOpen())
        return QString();
    const Layout layout = layOut();
    const SafeRewrite::Outcome written =
        Rewrite::write(m_files, m_path, m_genStart, m_bytes, layout.slices);
    if (!written.written()) {
        // What is held no longer matches the file: it is dropped, and the file must be picked
        // again.
        if (written.changesDropped())
            clear();
        return Result<QString>::failure(Rewrite::writeMessage(written));
    }
    settle(layout);
    m_pending = false;
    return Rewrite::writeMessage(written);
}
