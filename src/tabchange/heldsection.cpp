#include "heldsection.h"

#include "textfile.h"

#include <algorithm>
#include <cstring>

namespace {

using Layout = HeldSection::Layout;

// Lays out the section to be written, line after line, from the lines and the bytes held.
// Line k of the written section starts at the sum of the lines before it, each with CR LF.
// A line that is already there in the bytes held, followed by CR LF, stays in place; a run of
// lines that follow one another in the bytes held, each with CR LF, is one slice.
class Planner
{
public:
    Planner(const QList<QByteArray> &lines, const QByteArray &bytes)
        : m_lines(lines), m_base(bytes.constData()), m_begin(quintptr(m_base)),
          m_end(m_begin + quintptr(bytes.size())), m_mostMoved(lines.size() / 4 + 16)
    {
    }

    // Lines first..last, each looked at: held with its CR LF, or a slice of its own.
    void layLines(qsizetype first, qsizetype last)
    {
        for (qsizetype k = first; k <= last; ++k) {
            const QByteArray &line = m_lines.at(k);
            const char *data = line.constData();
            const qsizetype size = line.size();
            const bool held = heldWithCrLf(data, size);
            if ((!held || data != m_base + m_at) && m_layout.patch)
                noteMoved(k);
            if (held) {
                extendRun(data, data + size + 2);
            } else {
                endRun();
                m_layout.slices.append(line);
                m_layout.slices.append(TextFile::lineEnd);
            }
            m_at += size + 2;
        }
    }

    // The unchanged lines first..last, held as bytes heldFrom..heldTo: one slice. After a span
    // of another size they move; while few lines have moved, each is listed.
    void layUnchanged(qsizetype first, qsizetype last, qsizetype heldFrom, qsizetype heldTo)
    {
        if (m_at != heldFrom && m_layout.moved.size() + (last - first + 1) > m_mostMoved)
            giveUpPatch();
        for (qsizetype k = first; k <= last && m_at != heldFrom && m_layout.patch; ++k) {
            const qsizetype size = m_lines.at(k).size();
            m_layout.moved.append({k, m_at});
            extendRun(m_base + heldFrom, m_base + heldFrom + size + 2);
            heldFrom += size + 2;
            m_at += size + 2;
        }
        extendRun(m_base + heldFrom, m_base + heldTo);
        m_at += heldTo - heldFrom;
    }

    Layout finish()
    {
        endRun();
        m_layout.size = m_at;
        return std::move(m_layout);
    }

private:
    bool heldWithCrLf(const char *data, qsizetype size) const
    {
        const quintptr at = quintptr(data);
        return at >= m_begin && at <= m_end && quintptr(size) + 2 <= m_end - at &&
               data[size] == '\r' && data[size + 1] == '\n';
    }

    // Past a quarter of the lines moved, the section is made anew rather than patched.
    void noteMoved(qsizetype line)
    {
        m_layout.moved.append({line, m_at});
        if (m_layout.moved.size() > m_mostMoved)
            giveUpPatch();
    }

    void giveUpPatch()
    {
        m_layout.patch = false;
        m_layout.moved.clear();
    }

    void extendRun(const char *from, const char *to)
    {
        if (from == m_runEnd) {
            m_runEnd = to;
            return;
        }
        if (m_runStart)
            m_layout.slices.append(QByteArrayView(m_runStart, m_runEnd));
        m_runStart = from;
        m_runEnd = to;
    }

    void endRun()
    {
        if (m_runStart)
            m_layout.slices.append(QByteArrayView(m_runStart, m_runEnd));
        m_runStart = m_runEnd = nullptr;
    }

    const QList<QByteArray> &m_lines;
    const char *const m_base;
    const quintptr m_begin;
    const quintptr m_end;
    const qsizetype m_mostMoved;
    Layout m_layout;
    const char *m_runStart = nullptr;
    const char *m_runEnd = nullptr;
    qsizetype m_at = 0; // where the next line goes in the written section
};

} // namespace

void HeldSection::hold(QByteArray bytes)
{
    QList<QByteArray> views = SectionReader::lineViews(bytes);
    // The new views replace the old ones before the bytes these point into are let go; moving
    // a QByteArray keeps its buffer, so the new views stay valid.
    m_lines = std::move(views);
    m_bytes = std::move(bytes);
    // Each line followed by CR LF, and no other line end: each line is where a written section
    // puts it.
    m_inPlace = m_bytes.count('\n') == m_lines.size() && m_bytes.count('\r') == m_lines.size();
    m_changed.clear();
}

void HeldSection::clear()
{
    m_inPlace = false;
    m_changed.clear();
    // Every line that may point into the bytes goes before the bytes do.
    m_lines.clear();
    m_bytes.clear();
}

void HeldSection::put(int at, const QList<QByteArray> &lines)
{
    std::copy(lines.cbegin(), lines.cend(), m_lines.begin() + at);
    markChanged(at, at + int(lines.size()) - 1);
}

void HeldSection::replace(QList<QByteArray> lines, int first, int last)
{
    if (lines.size() != m_lines.size())
        m_inPlace = false;
    m_lines = std::move(lines);
    markChanged(first, last);
}

void HeldSection::markChanged(int first, int last)
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

QList<HeldSection::Range> HeldSection::changedSpans() const
{
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
    return spans;
}

HeldSection::Layout HeldSection::layOut() const
{
    Planner planner(m_lines, m_bytes);
    const qsizetype count = m_lines.size();
    if (!m_inPlace) {
        planner.layLines(0, count - 1);
        return planner.finish();
    }
    // Every line outside the spans changed since the bytes held were read or written is where
    // the written section has it, ended by CR LF: the bytes between the spans are written as
    // they are held, and only the lines of the spans are looked at. The line before a span and
    // the line after it are outside every span.
    const char *const base = m_bytes.constData();
    qsizetype heldAt = 0; // the bytes held before it are laid out
    qsizetype next = 0;   // and the lines
    for (const Range &span : changedSpans()) {
        const qsizetype first = qMax(span.start, 0);
        const qsizetype last = qMin<qsizetype>(span.end, count - 1);
        if (first > last)
            continue;
        const qsizetype from = first == 0 ? 0
                                          : m_lines.at(first - 1).constData() - base +
                                                m_lines.at(first - 1).size() + 2;
        Q_ASSERT(from >= heldAt && from <= m_bytes.size());
        planner.layUnchanged(next, first - 1, heldAt, from);
        planner.layLines(first, last);
        heldAt = last + 1 < count ? m_lines.at(last + 1).constData() - base : m_bytes.size();
        next = last + 1;
        Q_ASSERT(heldAt >= from && heldAt <= m_bytes.size());
    }
    planner.layUnchanged(next, count - 1, heldAt, m_bytes.size());
    return planner.finish();
}

void HeldSection::settle(const Layout &layout)
{
    // The section changed its size, or most of it moved (or the bytes are shared): its bytes
    // are made anew.
    if (!layout.patch || layout.size != m_bytes.size() || !m_bytes.isDetached())
        remake(layout);
    else
        patch(layout);
    m_inPlace = true;
    m_changed.clear();
}

void HeldSection::remake(const Layout &layout)
{
    QByteArray bytes(layout.size, Qt::Uninitialized);
    char *to = bytes.data();
    for (const QByteArrayView slice : layout.slices) {
        std::memcpy(to, slice.data(), size_t(slice.size()));
        to += slice.size();
    }
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

void HeldSection::patch(const Layout &layout)
{
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
}
