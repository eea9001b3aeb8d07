#pragma once

#include <QString>

#include <functional>

class QObject;
class QWidget;

// The system services the window uses: message and input boxes, the clipboard, the
// topmost state, ending the program, starting programs and opening documents.
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
    // "Brindle". Returns the Answer of the button pressed.
    virtual int messageBox(const QString &text, int flags = OkOnly, const QString &title = {}) = 0;
    // Modal input box; returns the typed text, or the empty text when cancelled.
    virtual QString inputBox(const QString &prompt, const QString &title,
                             const QString &defaultAnswer) = 0;
    // Replaces the clipboard's content with one plain text.
    virtual void setClipboardText(const QString &text) = 0;
    // Keeps the window above the others (or stops doing so) without moving or resizing it.
    virtual void setTopmost(QWidget *window, bool topmost) = 0;
    // Ends the program at once.
    virtual void quit() = 0;
    // Starts a command line without waiting for it. Returns the empty text on success,
    // else a description of the failure.
    virtual QString startProgram(const QString &commandLine, int windowStyle) = 0;
    // The outcome of an opening that may end after the call returns, since finding a
    // document's program can take the desktop a while: the empty text on success, else a
    // description of the failure. It is not called once `context` is gone.
    using Outcome = std::function<void(const QString &error)>;
    // Opens a document in the program the system associates with it.
    virtual void openDocument(const QString &path, int windowStyle, QObject *context,
                              Outcome done) = 0;
    // Opens a compiled help file at its table of contents, beside the window.
    virtual void openHelp(QWidget *owner, const QString &path, Outcome done) = 0;
};
