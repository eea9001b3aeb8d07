#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

#include "filesteps.h"
#include "heldsection.h"
#include "result.h"
#include "sectionreader.h"

// One program file open for TAB changes: the section held (HeldSection), its form table, the
// objects of the chosen form, the selected object and the changes not yet written. The file
// is read and written through the file steps it is given.
//
// The lines are those of the section held; nothing outside holds a line across a call that
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

    // What a request for a change did: nothing, since there was nothing to change (no object
    // selected, no such position), or the change.
    enum class Change { None, Made };

    explicit TabSession(FileSteps &files);

    // Reads the program file and builds its form table; with two rows or fewer, the objects of
    // the whole section are listed at once. On failure (unreadable, no generated section)
    // nothing is held any more, and the failure says why; nothing when the file is held.
    std::optional<SectionReader::Failure> pick(const QString &path);
    // Drops everything held, changes not yet written included.
    void clear();

    bool isOpen() const { return !m_path.isEmpty(); }
    const QString &path() const { return m_path; }
    const QList<QByteArray> &lines() const { return m_held.lines(); }
    const QList<Form> &forms() const { return m_forms; }
    // More than two rows in the form table: the user chooses the form to list.
    bool needsForm() const { return m_forms.size() > 2; }
    // The form chosen, -1 before (or when the whole section is listed).
    int form() const { return m_form; }
    Range range() const { return m_range; }
    const QList<Object> &objects() const { return m_objects; }

    // Lists the objects of form-table row k; false, nothing changed, when there is no row k.
    [[nodiscard]] bool chooseForm(int k);
    // Selects the object of row `row`; -1 or an unknown row selects nothing and gives false.
    [[nodiscard]] bool select(int row);
    int selected() const { return m_selected; }

    // Exchanges the selected object with the one at `position` (from 1), in memory; the rows
    // changedRows().start .. .end are made again (none for the object's own position). Refused,
    // with the exchange's message and nothing changed, when a block does not have the layout's
    // shape.
    Result<Change> exchange(int position);
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
    const QByteArray &heldSection() const { return m_held.bytes(); }
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
    // The section found in the file of `path` becomes what is held; form-table row `form` is
    // chosen again when there is one to choose and it is still there.
    void holdSection(QString path, SectionReader::Section section, int form = -1);
    void listObjects();
    // The lines first..last changed, their count kept: the rows of their objects are made
    // again, but lines keepFrom..keepTo only moved, so their rows only take the new block.
    // False when the objects had to be listed anew (their number changed).
    bool remakeRows(int first, int last, int keepFrom = 0, int keepTo = -1);
    // The blocks just renumbered take each other's places: the one of the object selected
    // (its block starts at line `selected`) and the one at line `target`.
    void placeBlocks(int selected, int target);
    // The blocks of the last exchange go, before the bytes their lines may point into.
    void dropBlocks();

    FileSteps &m_files;
    QString m_path;
    int m_genStart = -1;
    HeldSection m_held;
    QList<Form> m_forms;
    int m_form = -1;
    Range m_range;
    QList<Object> m_objects;
    int m_selected = -1;
    QList<QByteArray> m_movedBlock;
    QList<QByteArray> m_targetBlock;
    Range m_changedRows;
    bool m_pending = false;
};
