#pragma once

#include "platform.h"

#include <QList>
#include <QQueue>
#include <QStringList>

// A scripted Platform for tests: records every call and answers message and input boxes
// from queues. A message box with an empty queue answers with its first button.
class FakePlatform : public Platform
{
public:
    struct Call
    {
        QString kind; // "msgbox", "input", "clipboard", "topmost", "quit", "start", "open", "help"
        QString text;
        int flags = 0;
        QString title;
        QString extra; // an input box's default answer, a message box's details, a help page
    };

    int messageBox(const QString &text, int flags, const QString &title,
                   const QString &details) override;
    QString inputBox(const QString &prompt, const QString &title,
                     const QString &defaultAnswer) override;
    void setTopmost(QWidget *window, bool topmost) override;
    void quit() override;
    Result<> startProgram(const QString &commandLine, int windowStyle) override;
    void openDocument(const QString &path, int windowStyle, QObject *context,
                      Outcome done) override;
    // Records the help file as the text and the page as the extra of a "help" call.
    void openHelp(QWidget *owner, const QString &path, const QString &page, Outcome done) override;
    std::optional<QPoint> rememberedPlace() override { return place; }
    void rememberPlace(const QPoint &at) override { place = at; }
    // Records the text as a "wait" call and answers from waitAnswers; with none left, the
    // wait is cancelled, so that no test waits out a lock.
    bool keepWaiting(const QString &what) override;
    void endWaiting() override;

    // Calls of one kind, in order.
    QList<Call> callsOf(const QString &kind) const;
    // Texts of the message boxes shown so far.
    QStringList messages() const;
    // Details of the message boxes shown so far.
    QStringList messageDetails() const;

    QList<Call> calls;
    QQueue<int> messageAnswers;
    QQueue<QString> inputAnswers;
    QQueue<bool> waitAnswers;
    int waitsEnded = 0;
    // Failure texts returned by startProgram and reported at once by openDocument/openHelp, in
    // order; empty means success.
    QQueue<QString> startResults;
    QString clipboard;
    bool clipboardSet = false;
    bool topmost = false;
    int quitCount = 0;
    // The window's remembered place, as the system would keep it between runs.
    std::optional<QPoint> place;

protected:
    void replaceClipboard(const QString &text) override;

private:
    // The next scripted outcome of a start or an opening.
    Result<> nextResult();
};
