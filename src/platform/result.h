#pragma once

#include <QString>

#include <optional>
#include <utility>

// The outcome of an operation that can fail, for every logic unit: its value, or a message
// that says, in the words shown to the user, what went wrong. A refusal that has nothing to
// tell is a typed value of its own (an enum or std::optional), never an empty message.
//
// Example: Result<int> r = 5; r.ok() is true and r.value() 5.
// Result<int>::failure(QStringLiteral("No space left on device")).message() is that text.
template <class T = void> class [[nodiscard]] Result
{
public:
    Result(T value) : m_value(std::move(value)) {}
    static Result failure(QString message)
    {
        Result r;
        r.m_message = std::move(message);
        return r;
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T &value() const { return *m_value; }
    T &value() { return *m_value; }
    const QString &message() const { return m_message; }

private:
    Result() = default;

    std::optional<T> m_value;
    QString m_message;
};

// Success or a message, for operations that give nothing back.
template <> class [[nodiscard]] Result<void>
{
public:
    Result() = default;
    static Result failure(QString message)
    {
        Result r;
        r.m_failed = true;
        r.m_message = std::move(message);
        return r;
    }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString &message() const { return m_message; }

private:
    bool m_failed = false;
    QString m_message;
};
