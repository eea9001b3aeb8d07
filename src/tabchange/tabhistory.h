#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <memory>

#include "filesteps.h"
#include "result.h"

class QUndoStack;
class TabSession;

// The TAB changes written to each program file while Brindle runs, one undo step per written
// change (an exchange, a new order), on one QUndoStack per file. A step holds the file before
// and after its change (its head read from disk, its section shared with the session): undoing puts
// the earlier content back through the safe rewrite, byte for byte, redoing the later one, and each
// only while the file holds exactly what the step left. A file changed outside Brindle since is not
// written, and its history is dropped.
//
// Example: record(session, file) before session.commit() writes «NameBox» before «OkButton»;
// written(session) makes it a step; undo(session) writes the file as it was read and the
// session holds it again; redo(session) writes the exchange once more.
class TabHistory
{
public:
    // A program file as its head and its section (defined with the history's steps).
    struct FileBytes;

    explicit TabHistory(FileSteps &files);
    ~TabHistory();
    Q_DISABLE_COPY_MOVE(TabHistory)

    // Before a commit: the whole file as it now is, with nothing pending in it. Kept only when
    // it ends in the session's section as held.
    void record(const TabSession &session);
    // After the commit wrote the changes: the recorded file and the file now on disk become one
    // undo step of the session's file. Nothing is kept when the write did not happen.
    void written(const TabSession &session);

    bool canUndo(const QString &path) const;
    bool canRedo(const QString &path) const;
    // What an undo or redo did.
    enum class Done {
        NoStep,     // there was no step to take
        Written,    // the file was written, and the session holds it
        NotWritten, // the write failed; the step stays where it was
        Dropped,    // the file had changed outside Brindle: nothing was written, its history
                    // is gone and the session holds nothing any more
    };
    struct Stepped
    {
        Done done = Done::NoStep;
        // Written: a warning for the user, or empty; NotWritten, Dropped: why.
        QString message;
    };
    // Undoes / redoes the last step of the session's file, and the session holds the file as
    // written.
    Stepped undo(TabSession &session);
    Stepped redo(TabSession &session);
    // Forgets the steps of one file.
    void drop(const QString &path);

    // What a step runs: writes `to` in place of `from` and lets the session hold it.
    void put(const FileBytes &from, const FileBytes &to);

private:
    Stepped step(TabSession &session, bool back);
    QUndoStack *stack(const QString &path) const;

    FileSteps &m_files;
    QHash<QString, QUndoStack *> m_stacks; // owned
    QString m_recordedPath;
    std::shared_ptr<FileBytes> m_recorded; // the file before the commit, once recorded
    // While a step runs: the session it writes for and its outcome.
    TabSession *m_session = nullptr;
    Result<QString> m_outcome = QString();
    bool m_changed = false;
    bool m_skip = false; // the next undo() or redo() of a step does nothing
};
