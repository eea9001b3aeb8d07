#include "snippetstore.h"

#include "snippetedits.h"
#include "storedcode.h"
#include "textfile.h"

#include <QUndoCommand>
#include <QUndoStack>

namespace {

// Each step holds the file twice at most (consecutive steps share their bytes): a large file
// keeps fewer steps, the oldest going first, so that the history stays within a bounded amount
// of memory.
constexpr qint64 historyBytes = qint64(256) << 20;
constexpr qint64 maxSteps = 100;

int stepsFor(qsizetype fileSize)
{
    const qint64 perStep = qMax<qint64>(1, 2 * qint64(fileSize));
    return int(qBound<qint64>(1, historyBytes / perStep, maxSteps));
}

QString quoted(const QString &title)
{
    return QLatin1Char('\'') + title + QLatin1Char('\'');
}

// One change written to the stored-code file: the file before and after it.
class FileChange : public QUndoCommand
{
public:
    FileChange(SnippetStore &store, const QString &text, QByteArray before, QByteArray after)
        : m_store(store), m_before(std::move(before)), m_after(std::move(after))
    {
        setText(text);
    }

    void undo() override { m_store.put(m_after, m_before); }
    void redo() override { m_store.put(m_before, m_after); }

private:
    SnippetStore &m_store;
    const QByteArray m_before;
    const QByteArray m_after;
};

} // namespace

SnippetStore::SnippetStore(QString path)
    : m_path(std::move(path)), m_history(std::make_unique<QUndoStack>())
{
}

SnippetStore::~SnippetStore() = default;

bool SnippetStore::exists() const
{
    return StoredCode::exists(m_path);
}

void SnippetStore::setWhileWaiting(std::function<bool()> whileWaiting)
{
    m_whileWaiting = std::move(whileWaiting);
}

Result<QByteArray> SnippetStore::read()
{
    Result<QByteArray> file = TextFile::readBytes(m_path);
    if (!file) {
        m_read.clear();
        return file;
    }
    if (file.value() != m_read)
        m_read = file.value();
    return m_read;
}

bool SnippetStore::show(const Entry &entry)
{
    hide();
    const Result<QByteArray> file = read();
    if (!file || StoredCode::shownLine(file.value(), entry.title, entry.fromLast).start < 0)
        return false;
    m_shown = entry;
    m_shownFile = file.value();
    return true;
}

void SnippetStore::hide()
{
    m_shown.reset();
    m_shownFile.clear();
}

QByteArray SnippetStore::shownList() const
{
    if (!m_shown)
        return {};
    const StoredCode::ShownLine line =
        StoredCode::shownLine(m_shownFile, m_shown->title, m_shown->fromLast);
    const qsizetype listStart = line.start + line.star + 1;
    return m_shownFile.sliced(listStart, line.end - listStart);
}

Result<QByteArray> SnippetStore::add(const QByteArray &line)
{
    const Result<StoredCode::Appended> stored =
        StoredCode::storeEntry(m_path, line, m_whileWaiting);
    if (!stored)
        return Result<QByteArray>::failure(stored.message());
    const StoredCode::Appended &appended = stored.value();
    m_read = appended.after;
    hide();
    const QString title = StoredCode::titles(line).value(0);
    record(QStringLiteral("Store ") + quoted(title), appended.before, appended.after);
    return appended.before;
}

SnippetStore::Change SnippetStore::edit(const QString &title, const QString &list)
{
    if (!m_shown)
        return {Change::Kind::Invalid, {}};
    const Result<QByteArray> changed =
        SnippetEdits::edited(m_shownFile, m_shown->title, m_shown->fromLast, title, list);
    if (!changed)
        return {Change::Kind::Invalid, changed.message()};
    return change(QStringLiteral("Edit ") + quoted(m_shown->title), changed.value());
}

SnippetStore::Change SnippetStore::remove()
{
    if (!m_shown)
        return {Change::Kind::Invalid, {}};
    const Result<QByteArray> changed =
        SnippetEdits::removed(m_shownFile, m_shown->title, m_shown->fromLast);
    if (!changed)
        return {Change::Kind::Invalid, changed.message()};
    return change(QStringLiteral("Delete ") + quoted(m_shown->title), changed.value());
}

SnippetStore::Change SnippetStore::change(const QString &text, const QByteArray &after)
{
    const QByteArray before = m_shownFile;
    put(before, after);
    if (m_outcome.written())
        record(text, before, after);
    return m_outcome;
}

void SnippetStore::record(const QString &text, const QByteArray &before, const QByteArray &after)
{
    if (m_history->count() == 0)
        m_history->setUndoLimit(stepsFor(after.size()));
    // The change is on disk already: pushing it runs its redo(), which must not write.
    m_skip = true;
    m_history->push(new FileChange(*this, text, before, after));
    m_skip = false;
}

bool SnippetStore::canUndo() const
{
    return m_history->canUndo();
}

bool SnippetStore::canRedo() const
{
    return m_history->canRedo();
}

SnippetStore::Change SnippetStore::undo()
{
    return step(true);
}

SnippetStore::Change SnippetStore::redo()
{
    return step(false);
}

SnippetStore::Change SnippetStore::step(bool back)
{
    if (!(back ? canUndo() : canRedo()))
        return {};
    back ? m_history->undo() : m_history->redo();
    if (!m_outcome.written()) {
        // Nothing was written: the stack goes back to the step it stood at, without a write.
        m_skip = true;
        back ? m_history->redo() : m_history->undo();
        m_skip = false;
    }
    return m_outcome;
}

void SnippetStore::put(const QByteArray &from, const QByteArray &to)
{
    if (m_skip)
        return;
    const SafeRewrite::Outcome written = SnippetEdits::rewrite(m_path, from, to, m_whileWaiting);
    // Written with only its backup left behind, the change is made all the same; the message
    // tells the user about the backup.
    m_outcome = {written.written() ? Change::Kind::Written : Change::Kind::Refused,
                 SnippetEdits::message(written)};
    if (!m_outcome.written())
        return;
    m_read = to;
    hide();
}
