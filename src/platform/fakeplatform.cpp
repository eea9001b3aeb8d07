#include "fakeplatform.h"

int FakePlatform::messageBox(const QString &text, int flags, const QString &title)
{
    calls.append({QStringLiteral("msgbox"), text, flags, title, {}});
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

void FakePlatform::setClipboardText(const QString &text)
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

QString FakePlatform::startProgram(const QString &commandLine, int windowStyle)
{
    calls.append({QStringLiteral("start"), commandLine, windowStyle, {}, {}});
    return startResults.isEmpty() ? QString() : startResults.dequeue();
}

void FakePlatform::openDocument(const QString &path, int windowStyle, QObject *, Outcome done)
{
    calls.append({QStringLiteral("open"), path, windowStyle, {}, {}});
    done(startResults.isEmpty() ? QString() : startResults.dequeue());
}

void FakePlatform::openHelp(QWidget *, const QString &path, Outcome done)
{
    calls.append({QStringLiteral("help"), path, 0, {}, {}});
    done(startResults.isEmpty() ? QString() : startResults.dequeue());
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
