#include "fakeplatform.h"

int FakePlatform::messageBox(const QString &text, int flags, const QString &title,
                             const QString &details)
{
    calls.append({QStringLiteral("msgbox"), text, flags, title, details});
    if (!messageAnswers.isEmpty())
        return messageAnswers.dequeue();
    switch (flags & 7) {
    case AbortRetryIgnore:
        return Abort;
    case YesNoCancel:
    case YesNo:
        return Yes;
    case RetryCancel:
        return Retry;
    default:
        return Ok;
    }
}

QString FakePlatform::inputBox(const QString &prompt, const QString &title,
                               const QString &defaultAnswer)
{
    calls.append({QStringLiteral("input"), prompt, 0, title, defaultAnswer});
    return inputAnswers.isEmpty() ? QString() : inputAnswers.dequeue();
}

void FakePlatform::replaceClipboard(const QString &text)
{
    calls.append({QStringLiteral("clipboard"), text, 0, {}, {}});
    clipboard = text;
    clipboardSet = true;
}

void FakePlatform::setTopmost(QWidget *, bool on)
{
    calls.append({QStringLiteral("topmost"), {}, on ? 1 : 0, {}, {}});
    topmost = on;
}

void FakePlatform::quit()
{
    calls.append({QStringLiteral("quit"), {}, 0, {}, {}});
    ++quitCount;
}

Result<> FakePlatform::nextResult()
{
    const QString failure = startResults.isEmpty() ? QString() : startResults.dequeue();
    return failure.isEmpty() ? Result<>() : Result<>::failure(failure);
}

Result<> FakePlatform::startProgram(const QString &commandLine, int windowStyle)
{
    calls.append({QStringLiteral("start"), commandLine, windowStyle, {}, {}});
    return nextResult();
}

void FakePlatform::openDocument(const QString &path, int windowStyle, QObject *, Outcome done)
{
    calls.append({QStringLiteral("open"), path, windowStyle, {}, {}});
    done(nextResult());
}

void FakePlatform::openHelp(QWidget *, const QString &path, const QString &page, Outcome done)
{
    calls.append({QStringLiteral("help"), path, 0, {}, page});
    done(nextResult());
}

QList<FakePlatform::Call> FakePlatform::callsOf(const QString &kind) const
{
    QList<Call> out;
    for (const Call &c : calls)
        if (c.kind == kind)
            out.append(c);
    return out;
}

QStringList FakePlatform::messages() const
{
    QStringList out;
    for (const Call &c : callsOf(QStringLiteral("msgbox")))
        out.append(c.text);
    return out;
}

QStringList FakePlatform::messageDetails() const
{
    QStringList out;
    for (const Call &c : callsOf(QStringLiteral("msgbox")))
        out.append(c.extra);
    return out;
}

bool FakePlatform::keepWaiting(const QString &what)
{
    calls.append({QStringLiteral("wait"), what, 0, {}, {}});
    return !waitAnswers.isEmpty() && waitAnswers.dequeue();
}

void FakePlatform::endWaiting()
{
    ++waitsEnded;
}
