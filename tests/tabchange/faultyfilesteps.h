#pragma once

#include "diskfilesteps.h"

#include <QHash>
#include <QStringList>

// File steps on the real disk that fail on chosen calls, named by step and call number:
// "rename#2" is the second rename. A failing write first writes half of its bytes, as a
// full disk would; every other failing step does nothing.
class FaultyFileSteps : public FileSteps
{
public:
    explicit FaultyFileSteps(QStringList failing) : m_failing(std::move(failing)) {}

    bool exists(const QString &path) override { return m_disk.exists(path); }
    Result<QByteArray> read(const QString &path) override
    {
        if (fails("read"))
            return Result<QByteArray>::failure(injected().message());
        return m_disk.read(path);
    }
    Result<> rename(const QString &from, const QString &to) override
    {
        return fails("rename") ? injected() : m_disk.rename(from, to);
    }
    Result<> keep(const QString &from, const QString &to, const QByteArray &bytes) override
    {
        return fails("keep") ? injected() : m_disk.keep(from, to, bytes);
    }
    Result<> create(const QString &path) override
    {
        return fails("create") ? injected() : m_disk.create(path);
    }
    Result<> write(const QByteArray &bytes) override
    {
        if (!fails("write"))
            return m_disk.write(bytes);
        (void)m_disk.write(bytes.left(bytes.size() / 2));
        return injected();
    }
    Result<> commit() override { return fails("commit") ? injected() : m_disk.commit(); }
    void discard() override { m_disk.discard(); }
    Result<> remove(const QString &path) override
    {
        return fails("remove") ? injected() : m_disk.remove(path);
    }

    QStringList calls;

private:
    bool fails(const char *step)
    {
        const QString call = QLatin1String(step) + QLatin1Char('#') +
                             QString::number(++m_counts[QLatin1String(step)]);
        calls << call;
        return m_failing.contains(call);
    }
    static Result<> injected() { return Result<>::failure(QStringLiteral("injected failure")); }

    DiskFileSteps m_disk;
    QStringList m_failing;
    QHash<QString, int> m_counts;
};
