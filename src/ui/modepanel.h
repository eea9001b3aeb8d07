#pragma once

#include <QFrame>
#include <QString>

class CopyCarrier;

// One mode of the window: a panel that owns its controls, its handlers and the state of the
// action button while it is shown (the caption and whether the button is enabled). The
// window holds one panel per mode, shows the chosen mode's panel, and hands the shown panel
// the action button's clicks and RESET; a panel only says when its action changed, and knows
// nothing of the window.
class ModePanel : public QFrame
{
    Q_OBJECT

public:
    struct Action
    {
        QString caption;
        bool enabled = true;
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

protected:
    void setAction(const QString &caption, bool enabled);
    QString copyText() const;
    void setCopyText(const QString &text);
    // Gives the copy carrier the focus, which selects its whole text.
    void focusCopyText();

private:
    CopyCarrier *m_carrier = nullptr;
    Action m_action;
};
