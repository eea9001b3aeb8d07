#include "modepanel.h"

#include "copycarrier.h"

ModePanel::ModePanel(QWidget *parent) : QFrame(parent) {}

void ModePanel::setCopyCarrier(CopyCarrier *carrier)
{
    m_carrier = carrier;
}

QString ModePanel::copyCaption()
{
    return QStringLiteral("COPY");
}

void ModePanel::setAction(const QString &caption, bool enabled)
{
    m_action = {caption, enabled};
    Q_EMIT actionChanged();
}

QString ModePanel::copyText() const
{
    return m_carrier ? m_carrier->text() : QString();
}

void ModePanel::setCopyText(const QString &text)
{
    if (m_carrier)
        m_carrier->setText(text);
}

void ModePanel::focusCopyText()
{
    if (!m_carrier)
        return;
    m_carrier->setFocus(Qt::OtherFocusReason);
    // The focus event arrives only when the window is active; select the text in any case.
    m_carrier->selectAll();
}
