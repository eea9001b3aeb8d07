#include "tabhistory.h"

#include "rewrite.h"
#include "tabsession.h"
#include "textfile.h"

#include <QFile>
#include <QUndoCommand>
#include <QUndoStack>

// A program file as the head before its section and the section, each kept as it is shared
// with the session: nothing of the file's size is copied until a step is undone or redone.
struct TabHistory::FileBytes
{
    QByteArray head;
    QByteArray section;
    QByteArray whole() const { return head + section; }
    bool operator==(const FileBytes &other) const
    {
        return head == other.head && section == other.section;
    }
};

namespace {

using FileBytes = TabHistory::FileBytes;

// What the steps of one file may hold at most, and how many steps a small file keeps.
constexpr qint64 historyBytes = qint64(512) << 20;
constexpr qint64 maxSteps = 1000;

// The head of the session's file on disk: the bytes before its section, which runs to the end
// of the file. The section itself is what the session holds, compared under the lock by every
// write, and the undo's write compares the whole file again before it puts anything back.
Result<FileBytes> fileOf(const TabSession &session)
{
    const QByteArray &section = session.heldSection();
    QFile file(session.path());
    if (!file.open(QIODevice::ReadOnly))
        return Result<FileBytes>::failure(file.errorString());
    const qint64 headSize = file.size() - section.size();
    if (headSize < 0)
        return Result<FileBytes>::failure(QStringLiteral("the file is shorter than its section"));
    QByteArray head = file.read(headSize);
    if (head.size() != headSize)
        return Result<FileBytes>::failure(file.errorString());
    return FileBytes{std::move(head), section};
}

// One written TAB change: the file before and after it.
class WrittenChange : public QUndoCommand
{
public:
    WrittenChange(TabHistory &history, FileBytes before, FileBytes after)
        : m_history(history), m_before(std::move(before)), m_after(std::move(after))
    {
        setText(QStringLiteral("TAB change"));
    }

    void undo() override { m_history.put(m_after, m_before); }
    void redo() override { m_history.put(m_before, m_after); }

private:
    TabHistory &m_history;
    const FileBytes m_before;
    const FileBytes m_after;
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
    m_recorded.reset();
    if (!session.isOpen() || !session.hasPending())
        return;
    Result<FileBytes> file = fileOf(session);
    if (!file)
        return;
    m_recordedPath = session.path();
    m_recorded = std::make_shared<FileBytes>(std::move(file.value()));
}

void TabHistory::written(const TabSession &session)
{
    const std::shared_ptr<FileBytes> before = std::move(m_recorded);
    m_recorded.reset();
    const bool same = m_recordedPath == session.path();
    m_recordedPath.clear();
    if (!before || !same || !session.isOpen() || session.hasPending())
        return;
    // The file as the write left it: its head as written, then the section as written.
    Result<FileBytes> after = fileOf(session);
    if (!after) {
        drop(session.path());
        return;
    }
    if (after.value() == *before)
        return;
    QUndoStack *&files = m_stacks[session.path()];
    if (!files) {
        files = new QUndoStack;
        // Each step holds the file twice: a large file keeps fewer steps, the oldest going
        // first, so that the history stays within a bounded amount of memory.
        const qint64 perStep =
            qMax<qint64>(1, 2 * qint64(before->head.size() + before->section.size()));
        files->setUndoLimit(int(qBound<qint64>(1, historyBytes / perStep, maxSteps)));
    }
    // The change is on disk already: pushing it runs its redo(), which must not write.
    m_skip = true;
    files->push(new WrittenChange(*this, *before, std::move(after.value())));
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

TabHistory::Stepped TabHistory::undo(TabSession &session)
{
    return step(session, true);
}

TabHistory::Stepped TabHistory::redo(TabSession &session)
{
    return step(session, false);
}

TabHistory::Stepped TabHistory::step(TabSession &session, bool back)
{
    QUndoStack *files = stack(session.path());
    if (!session.isOpen() || !files || !(back ? files->canUndo() : files->canRedo()))
        return {};
    m_session = &session;
    m_outcome = QString();
    m_changed = false;
    back ? files->undo() : files->redo();
    m_session = nullptr;
    const Result<QString> outcome = m_outcome;
    if (outcome)
        return {Done::Written, outcome.value()};
    if (m_changed) {
        // What is held no longer matches the file either: it must be picked again.
        drop(session.path());
        session.clear();
        return {Done::Dropped, outcome.message()};
    }
    // Nothing was written: the stack goes back to the step it stood at, without a write.
    m_skip = true;
    back ? files->redo() : files->undo();
    m_skip = false;
    return {Done::NotWritten, outcome.message()};
}

void TabHistory::put(const FileBytes &fromParts, const FileBytes &toParts)
{
    // Pushing a step that is on disk already runs nothing: the whole file is put together only
    // for a step that writes.
    if (m_skip || !m_session)
        return;
    const QByteArray from = fromParts.whole();
    const QByteArray to = toParts.whole();
    const QString path = m_session->path();
    const SafeRewrite::Outcome restored = Rewrite::restore(m_files, path, from, to);
    m_changed = restored.changesDropped();
    const QString told = Rewrite::restoreMessage(restored);
    if (!restored.written()) {
        m_outcome = Result<QString>::failure(told);
        return;
    }
    if (const Result<> held = m_session->hold(to); !held) {
        m_outcome = Result<QString>::failure(held.message());
        return;
    }
    m_outcome = told;
}
