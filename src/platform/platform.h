#pragma once

#include "result.h"

#include <QPoint>
#include <QString>

#include <functional>
#include <optional>

class QObject;
class QWidget;

// The system services the window uses: message and input boxes, the clipboard, the
// topmost state, ending the program, starting programs, opening documents, and the one thing
// Brindle remembers between runs, the place of its window.
// The window receives one Platform and calls nothing of the system directly, so tests
// can replace it with a scripted fake.
class Platform
{
public:
    // Button sets, default buttons, icons and modality of a message box, added up into
    // one flags value; the answers are the codes of the button pressed.
    enum Flags {
        OkOnly = 0,
        OkCancel = 1,
        AbortRetryIgnore = 2,
        YesNoCancel = 3,
        YesNo = 4,
        RetryCancel = 5,
        DefaultButton2 = 256,
        DefaultButton3 = 512,
        DefaultButton4 = 768,
        Critical = 16,
        Question = 32,
        Exclamation = 48,
        Information = 64,
        SystemModal = 4096,
    };
    enum Answer { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };
    // Window styles of a started program.
    enum WindowStyle { NormalFocus = 1, MaximizedFocus = 3 };

    static constexpr auto applicationTitle = "Brindle";

    virtual ~Platform() = default;

    // Modal message box; text lines are separated by CR LF. An empty title shows
    // "Brindle". `details`, when given, is shown below the text in a smaller font: what a
    // short message concerns (a file name) and what was expected. Returns the Answer of the
    // button pressed.
    virtual int messageBox(const QString &text, int flags = OkOnly, const QString &title = {},
                           const QString &details = {}) = 0;
    // Modal input box; returns the typed text, or the empty text when cancelled.
    virtual QString inputBox(const QString &prompt, const QString &title,
                             const QString &defaultAnswer) = 0;
    // Replaces the clipboard's content with one plain text. An empty text changes nothing:
    // whatever the user had copied before stays, and nothing is said.
    void setClipboardText(const QString &text)
    {
        if (!text.isEmpty())
            replaceClipboard(text);
    }
    // Keeps the window above the others (or stops doing so) without moving or resizing it.
    virtual void setTopmost(QWidget *window, bool topmost) = 0;
    // Ends the program at once.
    virtual void quit() = 0;
    // Starts a command line without waiting for it; on failure, a description of it.
    virtual Result<> startProgram(const QString &commandLine, int windowStyle) = 0;
    // The outcome of an opening that may end after the call returns, since finding a
    // document's program can take the desktop a while: on failure, a description of it. It is
    // not called once `context` is gone.
    using Outcome = std::function<void(const Result<> &outcome)>;
    // Opens a document in the program the system associates with it.
    virtual void openDocument(const QString &path, int windowStyle, QObject *context,
                              Outcome done) = 0;
    // Opens a compiled help file in front of the owner's window, at the page named `page`
    // (a file inside the help, "arrays.html"), or at its table of contents when `page` is
    // empty or the viewer cannot be told a page.
    virtual void openHelp(QWidget *owner, const QString &path, const QString &page,
                          Outcome done) = 0;

    // Where the window's top-left corner was when Brindle last closed, if that is known.
    virtual std::optional<QPoint> rememberedPlace() = 0;
    virtual void rememberPlace(const QPoint &place) = 0;

    // Called again and again while the window waits for something outside it, such as another
    // Brindle window that holds a file's lock: once the wait has lasted a moment, a box says
    // `what` with a Cancel button. Returns false once the user cancelled. endWaiting() closes
    // the box.
    virtual bool keepWaiting(const QString &what) = 0;
    virtual void endWaiting() = 0;

protected:
    // Puts a non-empty text on the clipboard, replacing what it held.
    virtual void replaceClipboard(const QString &text) = 0;
};
