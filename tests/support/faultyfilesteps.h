#pragma once

#include "diskfilesteps.h"

#include <QHash>
#include <QStringList>

#include <functional>

// File steps on the real disk that fail on chosen calls, named by step and call number:
// "rename#2" is the second rename. A failing write first writes half of its bytes, as a
// full disk would; every other failing step does nothing. `hold` runs before each call with
// its name, so that a test can change the file while a step waits.
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
    // A read in slices is a read too: "read#2" may be either kind.
    Result<> scan(const QString &path, const Take &take) override
    {
        return fails("read") ? injected() : m_disk.scan(path, take);
    }
    Result<> rename(const QString &from, const QString &to) override
    {
        return fails("rename") ? injected() : m_disk.rename(from, to);
    }
    Result<> keep(const QString &from, const QString &to, const Slices &bytes) override
    {
        return fails("keep") ? injected() : m_disk.keep(from, to, bytes);
    }
    Result<> copy(const QString &to, const Slices &bytes) override
    {
        return fails("copy") ? injected() : m_disk.copy(to, bytes);
    }
    Result<> create(const QString &path) override
    {
        return fails("create") ? injected() : m_disk.create(path);
    }
    Result<> write(QByteArrayView bytes) override
    {
        if (!fails("write"))
            return m_disk.write(bytes);
        (void)m_disk.write(bytes.first(bytes.size() / 2));
        return injected();
    }
    Result<QString> commit() override
    {
        if (fails("commit"))
            return Result<QString>::failure(injected().message());
        return m_disk.commit();
    }
    void discard() override { m_disk.discard(); }
    Result<> exchange(const QString &a, const QString &b) override
    {
        return fails("exchange") || !swaps ? injected() : m_disk.exchange(a, b);
    }
    Result<QString> moveAside(const QString &path) override
    {
        if (fails("moveAside"))
            return Result<QString>::failure(injected().message());
        return m_disk.moveAside(path);
    }
    QString resolved(const QString &path) override { return m_disk.resolved(path); }
    Result<> remove(const QString &path) override
    {
        return fails("remove") ? injected() : m_disk.remove(path);
    }
    std::optional<QString> keepsOnlyInPlace(const QString &path) override
    {
        if (inPlace)
            return QStringLiteral("it has 2 hard links");
        return m_disk.keepsOnlyInPlace(path);
    }
    Result<> overwrite(const QString &path, const Slices &bytes) override
    {
        if (!fails("overwrite"))
            return m_disk.overwrite(path, bytes);
        (void)m_disk.overwrite(path, firstHalf(bytes));
        return injected();
    }
    Result<> lock(const QString &path) override
    {
        return fails("lock") ? injected() : m_disk.lock(path);
    }
    void unlock() override { m_disk.unlock(); }
    bool sameFile(const QString &a, const QString &b) override { return m_disk.sameFile(a, b); }

    QStringList calls;
    std::function<void(const QString &call)> hold;
    bool inPlace = false; // every file is taken as one that can only be written in place
    bool swaps = true;    // else exchange() always fails, as on FAT and exFAT disks

private:
    bool fails(const char *step)
    {
        const QString call = QLatin1String(step) + QLatin1Char('#') +
                             QString::number(++m_counts[QLatin1String(step)]);
        calls << call;
        if (hold)
            hold(call);
        return m_failing.contains(call);
    }
    // The first half of the bytes of the slices.
    static Slices firstHalf(const Slices &bytes)
    {
        qsizetype size = 0;
        for (const QByteArrayView slice : bytes)
            size += slice.size();
        Slices half;
        for (qsizetype left = size / 2, k = 0; left > 0; ++k) {
            half.append(bytes.at(k).first(qMin(left, bytes.at(k).size())));
            left -= half.last().size();
        }
        return half;
    }
    static Result<> injected() { return Result<>::failure(QStringLiteral("injected failure")); }

    DiskFileSteps m_disk;
    QStringList m_failing;
    QHash<QString, int> m_counts;
};
