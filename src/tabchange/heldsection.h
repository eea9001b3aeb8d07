#pragma once

#include <QByteArray>
#include <QList>

#include "filesteps.h"
#include "sectionreader.h"

// The generated section of a program file as held in memory: its bytes as read (or as last
// written), and its lines, which are views of those bytes except the lines changed since,
// which hold their own. It works out the section to write as slices of what it holds, so a
// large file is written without being copied, and afterwards takes the written section as
// its bytes, patching them where only a few lines moved.
//
// Example: hold("A\r\nB\r\n") gives the lines «A», «B», both views of the bytes; after
// put(0, {"C"}), layOut() gives the slices «C», CR LF, «B\r\n» (the held bytes from B on),
// size 6, with line 0 moved; settle() then makes the bytes «C\r\nB\r\n».
//
// Nothing outside holds a line of it across a call that changes it: hold(), settle() and
// clear() let the old bytes go.
class HeldSection
{
public:
    using Range = SectionReader::Range;

    // A line of the section as it is to be written that is not yet there in the bytes held:
    // its index and its offset in the written section.
    struct Move
    {
        qsizetype line;
        qsizetype at;
    };
    // The section to be written from the lines held: its slices, its size, and the lines that
    // are not in their place in the bytes held.
    struct Layout
    {
        Slices slices;
        QList<Move> moved;
        bool patch = true; // few enough lines moved to patch the bytes held (`moved`)
        qsizetype size = 0;
    };

    // The section's bytes as read or as last written.
    const QByteArray &bytes() const { return m_bytes; }
    const QList<QByteArray> &lines() const { return m_lines; }
    int lastLine() const { return int(m_lines.size()) - 1; }

    // The section's lines become views of `bytes`, which become the bytes held.
    void hold(QByteArray bytes);
    void clear();

    // Lines at.. take the lines `lines`, their count kept.
    void put(int at, const QList<QByteArray> &lines);
    // The lines are all replaced by `lines`, in which only first..last differ.
    void replace(QList<QByteArray> lines, int first, int last);

    // The section to write from the lines held.
    Layout layOut() const;
    // After the write of `layout`: the bytes held become the section as written, and the
    // lines views of them. Where its size stayed, only the lines that moved are copied there.
    void settle(const Layout &layout);

private:
    // Lines first..last changed since the bytes held were read or last written.
    void markChanged(int first, int last);
    // The spans changed, in order, those that overlap or touch taken as one.
    QList<Range> changedSpans() const;
    // The section made anew from the slices just written.
    void remake(const Layout &layout);
    // The lines that are not in their place written into the bytes held.
    void patch(const Layout &layout);

    QByteArray m_bytes; // the section's bytes on disk, as read or as last written
    QList<QByteArray> m_lines;
    // Every line outside m_changed is a view of its place in m_bytes, followed there by CR LF,
    // and there is no other line end in m_bytes: that place is where a written section puts it.
    bool m_inPlace = false;
    QList<Range> m_changed; // spans of lines changed since the bytes held were read or written
};
