#pragma once

#include "result.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QUndoStack;

// The user's snippets as the stored-code file holds them, the entry shown, and the changes made
// to the file while Brindle runs: storing (adding), editing and deleting a snippet, each one step
// on Qt's undo stack. A step keeps the file before and after it; undoing writes the earlier bytes
// back through the safe rewrite, redoing the later ones, each only while the file holds exactly
// what the last step left: a file changed meanwhile in another program is never overwritten.
//
// Example: with "A*1\r\nT*a\r\n" on disk, show({"T", 0}) then remove() writes "A*1\r\n"; undo()
// writes "A*1\r\nT*a\r\n" again and redo() "A*1\r\n"; add("N*n") then appends "N*n\r\n".
class SnippetStore
{
public:
    // A stored entry: its title, and how many entries after it in the file share that title (0
    // for the last of a repeated title, and for a title that is not repeated).
    struct Entry
    {
        QString title;
        int fromLast = 0;
    };

    // What a change of the file came to, and what the user is told of it.
    struct Change
    {
        enum class Kind {
            Written, // the file holds the change; a message is a warning beside it
            Invalid, // the change cannot be made on the entry shown; nothing was written
            Refused, // the file was not written: it is as it was
            Nothing, // nothing to undo or redo
        };
        Kind kind = Kind::Nothing;
        QString message;
        bool written() const { return kind == Kind::Written; }
    };

    explicit SnippetStore(QString path);
    ~SnippetStore();
    Q_DISABLE_COPY_MOVE(SnippetStore)

    const QString &path() const { return m_path; }
    bool exists() const;
    // Called while another Brindle window holds the file's lock; returning false gives the wait
    // up.
    void setWhileWaiting(std::function<bool()> whileWaiting);

    // The file's bytes as they are now on disk, read every time: another program may replace the
    // file by one of the same size and time. Bytes equal to those held keep sharing them.
    Result<QByteArray> read();
    // The file's bytes last read or written.
    const QByteArray &snippets() const { return m_read; }

    // Reads the file and shows an entry of it: true when the entry is there. Edit and delete
    // work on the entry shown, in the bytes it was read from.
    bool show(const Entry &entry);
    // Nothing is shown any more.
    void hide();
    const std::optional<Entry> &shown() const { return m_shown; }
    // The shown entry's bar-separated list as stored, in the file's code page; empty when none.
    QByteArray shownList() const;

    // Appends an entry's line (StoredCode::entry, without line end), creating the file when it
    // is missing, and gives the file's bytes as they were before it.
    Result<QByteArray> add(const QByteArray &line);
    // Rewrites the shown entry with a new title and bar-separated list (SnippetEdits::edited).
    Change edit(const QString &title, const QString &list);
    // Removes the shown entry.
    Change remove();

    bool canUndo() const;
    bool canRedo() const;
    // Undoes / redoes the last step. A refusal leaves the file and the steps as they were.
    Change undo();
    Change redo();
    // The steps, for following what may be undone and redone.
    const QUndoStack &history() const { return *m_history; }

    // What a step runs: writes `to` in place of `from`.
    void put(const QByteArray &from, const QByteArray &to);

private:
    Change change(const QString &text, const QByteArray &after);
    void record(const QString &text, const QByteArray &before, const QByteArray &after);
    Change step(bool back);

    QString m_path;
    std::function<bool()> m_whileWaiting;
    std::unique_ptr<QUndoStack> m_history;
    // The file's bytes last read or written.
    QByteArray m_read;
    // The entry shown, and the file's bytes it was read from.
    std::optional<Entry> m_shown;
    QByteArray m_shownFile;
    // While a step runs: what its write came to.
    Change m_outcome;
    bool m_skip = false; // the next undo() or redo() of a step writes nothing
};
