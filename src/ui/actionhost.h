#pragma once

#include <QString>

// What a mode panel may touch of the window's shared controls: the action button's
// caption and enabled state, and the copy carrier whose text the action button puts on
// the clipboard.
class ActionHost
{
public:
    virtual ~ActionHost() = default;

    virtual QString actionCaption() const = 0;
    virtual void setActionCaption(const QString &caption) = 0;
    virtual void setActionEnabled(bool enabled) = 0;
    // Text of the copy carrier, with CR LF line breaks as set.
    virtual QString copyText() const = 0;
    virtual void setCopyText(const QString &text) = 0;
    // Gives the copy carrier the focus, which selects its whole text.
    virtual void focusCopyText() = 0;
};
