#pragma once

#include <QFrame>
#include <QRect>
#include <QString>

#include <functional>

class CopyCarrier;
class Platform;

// One mode of the window: a panel that owns its controls, its handlers and the state of the
// action button while it is shown (the caption and whether the button is enabled). The
// window holds one panel per mode, shows the chosen mode's panel, and hands the shown panel
// the action button's clicks and RESET; a panel only says when its action changed and what an
// action did (a note for the window's note line), and knows nothing of the window.
//
// objectName     member       what it is
// Texttocopy     m_carrier    the window's copy carrier, shared by every mode: the text meant
//                             for the clipboard
// (the panel's own objectName and controls are those of each mode's panel)
class ModePanel : public QFrame
{
    Q_OBJECT

public:
    struct Action
    {
        QString caption;
        bool enabled = true;
        // What the step does, for the button's tooltip: "Puts the code on the clipboard".
        QString tip;
    };

    explicit ModePanel(QWidget *parent);

    // The copy carrier, shared by every mode: text meant for the clipboard goes there first.
    void setCopyCarrier(CopyCarrier *carrier);

    // Start-up.
    virtual void load() = 0;
    // The mode was chosen: the panel shows itself and sets its action.
    virtual void enterMode() = 0;
    // Another mode was chosen.
    virtual void leaveMode() = 0;
    // RESET while the panel is shown.
    virtual void reset() = 0;
    // The action button, clicked while the panel is shown.
    virtual void actionClicked() = 0;
    // Brindle is about to close: settles what the panel holds unwritten, asking the user.
    // False when the user chose to keep Brindle open.
    virtual bool confirmClose() { return true; }

    const Action &action() const { return m_action; }

    // The caption of the action button's copy step, the same in every mode.
    static QString copyCaption();

Q_SIGNALS:
    void actionChanged();
    // What an action just did, or why it did nothing, in the user's words: "Copied 14 lines to
    // the clipboard", "Nothing copied: highlight a keyword first".
    void noted(const QString &note);

protected:
    void setAction(const QString &caption, bool enabled, const QString &tip = {});
    void note(const QString &text);
    // "1 line", "17 lines": how many lines a text with CR LF line breaks holds; a line break
    // at its end closes its last line.
    static QString lineCount(const QString &text);
    // The note of a text put on the clipboard: "Copied 17 lines to the clipboard".
    static QString copiedNote(const QString &text);
    QString copyText() const;
    void setCopyText(const QString &text);
    // Gives the copy carrier the focus, which selects its whole text.
    void focusCopyText();

    // The panel's place in its container while its mode is shown and while it is hidden, in
    // twips; the panel moves to its hidden place at once.
    void setModeGeometry(const QRect &shown, const QRect &hidden);
    // Shows the panel at its shown place, or hides it at its hidden place.
    void showForMode();
    void hideForMode();

    // The generate-then-copy cycle of the action button, for the modes that generate code.
    // Its first step reads generateCaption ("CREATE Code", "Preview"), its second "COPY".
    void setGenerateCaption(const QString &caption, const QString &tip);
    // Back to the first step, the button enabled or not.
    void restartCycle(bool enabled);
    // One click of the action button. The first step runs generate, which writes the copy
    // carrier (offerCopy), notes what it made and says whether the cycle moves on to "COPY".
    // The second step puts the carrier's text on the clipboard, unless it is empty (what the
    // user copied before stays), notes it, and ends the cycle with the button disabled.
    void advanceCycle(Platform &platform, const std::function<bool()> &generate);
    // Writes text into the copy carrier and gives it the focus, which selects it all.
    void offerCopy(const QString &text);

private:
    enum class Step { Generate, Copy };

    CopyCarrier *m_carrier = nullptr;
    Action m_action;
    QRect m_shown;
    QRect m_hidden;
    QString m_generateCaption;
    QString m_generateTip;
    Step m_step = Step::Generate;
};
