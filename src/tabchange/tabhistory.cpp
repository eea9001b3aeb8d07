#include "tabhistory.h"

#include "rewrite.h"
#include "tabsession.h"
#include "textfile.h"

#include <QUndoCommand>
#include <QUndoStack>

namespace {

// What the steps of one file may hold at most, and how many steps a small file keeps.
constexpr qint64 historyBytes = qint64(512) << 20;
constexpr qint64 maxSteps = 1000;

// One written TAB change: the whole file before and after it.
class WrittenChange : public QUndoCommand
{
public:
    WrittenChange(TabHistory &history, QByteArray before, QByteArray after)
        : m_history(history), m_before(std::move(before)), m_after(std::move(after))
    {
        setText(QStringLiteral("TAB change"));
    }

    void undo() override { m_history.put(m_after, m_before); }
    void redo() override { m_history.put(m_before, m_after); }

private:
    TabHistory &m_history;
    const QByteArray m_before;
    const QByteArray m_after;
};

} // namespace

TabHistory::TabHistory(FileSteps &files) : m_files(files) {}

TabHistory::~TabHistory()
{
    qDeleteAll(m_stacks);
}

QUndoStack *TabHistory::stack(const QString &path) const
{
    return m_stacks.value(path);
}

void TabHistory::record(const TabSession &session)
{
    m_recordedPath.clear();
    m_recorded.clear();
    if (!session.isOpen() || !session.hasPending())
        return;
    Result<QByteArray> file = TextFile::readBytes(session.path());
    if (!file || !file.value().endsWith(session.heldSection()))
        return;
    m_recordedPath = session.path();
    m_recorded = std::move(file.value());
}

void TabHistory::written(const TabSession &session)
{
    QByteArray before = std::move(m_recorded);
    m_recorded.clear();
    const bool same = m_recordedPath == session.path();
    m_recordedPath.clear();
    if (!same || !session.isOpen() || session.hasPending())
        return;
    Result<QByteArray> after = TextFile::readBytes(session.path());
    // The step is kept only when the file is what the write left: the section as written.
    if (!after || !after.value().endsWith(session.heldSection())) {
        drop(session.path());
        return;
    }
    if (after.value() == before)
        return;
    QUndoStack *&files = m_stacks[session.path()];
    if (!files) {
        files = new QUndoStack;
        // Each step holds the file twice: a large file keeps fewer steps, the oldest going
        // first, so that the history stays within a bounded amount of memory.
        const qint64 perStep = qMax<qint64>(1, 2 * qint64(before.size()));
        files->setUndoLimit(int(qBound<qint64>(1, historyBytes / perStep, maxSteps)));
    }
    // The change is on disk already: pushing it runs its redo(), which must not write.
    m_skip = true;
    files->push(new WrittenChange(*this, std::move(before), std::move(after.value())));
    m_skip = false;
}

bool TabHistory::canUndo(const QString &path) const
{
    const QUndoStack *files = stack(path);
    return files && files->canUndo();
}

bool TabHistory::canRedo(const QString &path) const
{
    const QUndoStack *files = stack(path);
    return files && files->canRedo();
}

void TabHistory::drop(const QString &path)
{
    delete m_stacks.take(path);
}

Result<QString> TabHistory::undo(TabSession &session, bool *dropped)
{
    return step(session, true, dropped);
}

Result<QString> TabHistory::redo(TabSession &session, bool *dropped)
{
    return step(session, false, dropped);
}

Result<QString> TabHistory::step(TabSession &session, bool back, bool *dropped)
{
    if (dropped)
        *dropped = false;
    QUndoStack *files = stack(session.path());
    if (!session.isOpen() || !files || !(back ? files->canUndo() : files->canRedo()))
        return Result<QString>::failure({});
    m_session = &session;
    m_outcome = QString();
    m_changed = false;
    back ? files->undo() : files->redo();
    m_session = nullptr;
    const Result<QString> outcome = m_outcome;
    if (outcome)
        return outcome;
    if (m_changed) {
        // What is held no longer matches the file either: it must be picked again.
        drop(session.path());
        session.clear();
        if (dropped)
            *dropped = true;
        return outcome;
    }
    // Nothing was written: the stack goes back to the step it stood at, without a write.
    m_skip = true;
    back ? files->redo() : files->undo();
    m_skip = false;
    return outcome;
}

void TabHistory::put(const QByteArray &from, const QByteArray &to)
{
    if (m_skip || !m_session)
        return;
    const QString path = m_session->path();
    const Result<QString> written = Rewrite::restore(m_files, path, from, to, &m_changed);
    if (!written) {
        m_outcome = written;
        return;
    }
    if (const Result<> held = m_session->hold(to); !held) {
        m_outcome = Result<QString>::failure(held.message());
        return;
    }
    m_outcome = written;
}
