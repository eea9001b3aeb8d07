#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "filesteps.h"
#include "result.h"
#include "sectionreader.h"

// One program file open for TAB changes: its generated section's bytes and lines, its form
// table, the objects of the chosen form, the selected object and the changes not yet written.
//
// The lines are views of the section's bytes (as read, or as last written), except the lines
// of exchanged blocks, which hold their own bytes. This class alone keeps those bytes alive
// for as long as a line may point into them: nothing outside holds a line across a call that
// changes the session.
//
// Example: pick the file of two objects «OkButton» and «NameBox»; forms() is «Form1» and the
// end row, and needsForm() is false, so objects() lists both at once. select(0) then
// exchange(2) puts «NameBox» first in lines() and objects(); hasPending() is true until
// commit() writes the file, or the next pick() drops the change.
class TabSession
{
public:
    using Form = SectionReader::Form;
    using Object = SectionReader::Object;
    using Range = SectionReader::Range;

    explicit TabSession(FileSteps &files);

    // Reads the program file and builds its form table; with two rows or fewer, the objects of
    // the whole section are listed at once. On failure (unreadable, no generated section)
    // nothing is held any more and the message says why.
    Result<> pick(const QString &path);
    // Drops everything held, changes not yet written included.
    void clear();

    bool isOpen() const { return !m_path.isEmpty(); }
    const QString &path() const { return m_path; }
    const QList<QByteArray> &lines() const { return m_lines; }
    const QList<Form> &forms() const { return m_forms; }
    // More than two rows in the form table: the user chooses the form to list.
    bool needsForm() const { return m_forms.size() > 2; }
    // The form chosen, -1 before (or when the whole section is listed).
    int form() const { return m_form; }
    Range range() const { return m_range; }
    const QList<Object> &objects() const { return m_objects; }

    // Lists the objects of form-table row k.
    Result<> chooseForm(int k);
    // Selects the object of row `row`; -1 or an unknown row selects nothing.
    Result<> select(int row);
    int selected() const { return m_selected; }

    // Exchanges the selected object with the one at `position` (from 1), in memory; the rows
    // changedRows().start .. .end are made again (none for the object's own position). Refused,
    // with the exchange's message and nothing changed, when a block does not have the layout's
    // shape.
    Result<> exchange(int position);
    // The blocks of the last exchange as renumbered (the selected one and the target), until
    // the next change of the session.
    const QList<QByteArray> &movedBlock() const { return m_movedBlock; }
    const QList<QByteArray> &targetBlock() const { return m_targetBlock; }
    // Gives the objects of the chosen form the order `order` (for each position from 1, the
    // present position of the object taking it), in memory.
    Result<> reorder(const QList<int> &order);
    // The objects as they would stand in `order`, the session left as it is.
    Result<QList<Object>> preview(const QList<int> &order) const;
    Range changedRows() const { return m_changedRows; }

    // The order of the chosen form's objects by their places on the form (TabOrder::byPosition),
    // to give to reorder().
    QList<int> positionOrder() const;

    // The section's bytes as read or as last written: what the file holds from its "Begin Gen"
    // line on while nothing is pending.
    const QByteArray &heldSection() const { return m_bytes; }
    // The whole file `file` was just put back on disk (an undone or redone change): it becomes
    // what is held, the form chosen kept when it is still there. Changes not yet written are
    // dropped.
    Result<> hold(const QByteArray &file);

    // Changes held in memory that the file does not have yet.
    bool hasPending() const { return m_pending; }
    // Writes the changes through the safe rewrite; a warning for the user, or empty. With
    // nothing pending nothing is written. When the file changed on disk since it was read,
    // nothing is written and everything is dropped (isOpen() is false); when the write fails,
    // the changes stay pending.
    Result<QString> commit();

private:
    void listObjects();
    // The lines first..last changed, their count kept: the rows of their objects are made
    // again, but lines keepFrom..keepTo only moved, so their rows only take the new block.
    // False when the objects had to be listed anew (their number changed).
    bool remakeRows(int first, int last, int keepFrom = 0, int keepTo = -1);
    // The section's lines as views of bytes, which become the bytes held.
    void holdBytes(QByteArray bytes);
    // The bytes just written from the lines held become the bytes the lines are views of.
    void pointInto(QByteArray bytes);

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
    Layout layOut() const;
    // Lines first..last changed since the bytes held were read or last written.
    void markChanged(int first, int last);
    // After the write of `layout`: the bytes held become the section as written, and the
    // lines views of them. Where its size stayed, only the lines that moved are copied there.
    void settle(const Layout &layout);

    FileSteps &m_files;
    QString m_path;
    int m_genStart = -1;
    QByteArray m_bytes; // the section's bytes on disk, as read or as last written
    QList<QByteArray> m_lines;
    QList<Form> m_forms;
    int m_form = -1;
    Range m_range;
    QList<Object> m_objects;
    int m_selected = -1;
    QList<QByteArray> m_movedBlock;
    QList<QByteArray> m_targetBlock;
    Range m_changedRows;
    bool m_pending = false;
    // Every line outside m_changed is a view of its place in m_bytes, followed there by CR LF,
    // and there is no other line end in m_bytes: that place is where a written section puts it.
    bool m_inPlace = false;
    QList<Range> m_changed; // spans of lines changed since the bytes held were read or written
};
