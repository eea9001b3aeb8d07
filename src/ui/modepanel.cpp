#include "modepanel.h"

#include "controls.h"
#include "copycarrier.h"
#include "platform.h"

ModePanel::ModePanel(QWidget *parent) : QFrame(parent) {}

void ModePanel::setCopyCarrier(CopyCarrier *carrier)
{
    m_carrier = carrier;
}

QString ModePanel::copyCaption()
{
    return QStringLiteral("COPY");
}

void ModePanel::setAction(const QString &caption, bool enabled, const QString &tip)
{
    m_action = {caption, enabled, tip};
    Q_EMIT actionChanged();
}

void ModePanel::note(const QString &text)
{
    Q_EMIT noted(text);
}

QString ModePanel::lineCount(const QString &text)
{
    const qsizetype lines =
        text.isEmpty() ? 0
                       : text.count(QLatin1Char('\n')) + (text.endsWith(QLatin1Char('\n')) ? 0 : 1);
    return lines == 1 ? QStringLiteral("1 line") : QStringLiteral("%1 lines").arg(lines);
}

QString ModePanel::copiedNote(const QString &text)
{
    return QStringLiteral("Copied ") + lineCount(text) + QStringLiteral(" to the clipboard");
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

void ModePanel::setModeGeometry(const QRect &shown, const QRect &hidden)
{
    m_shown = shown;
    m_hidden = hidden;
    Controls::place(this, hidden.x(), hidden.y(), hidden.width(), hidden.height());
}

void ModePanel::showForMode()
{
    show();
    Controls::place(this, m_shown.x(), m_shown.y(), m_shown.width(), m_shown.height());
}

void ModePanel::hideForMode()
{
    hide();
    Controls::place(this, m_hidden.x(), m_hidden.y(), m_hidden.width(), m_hidden.height());
}

void ModePanel::setGenerateCaption(const QString &caption, const QString &tip)
{
    m_generateCaption = caption;
    m_generateTip = tip;
}

void ModePanel::restartCycle(bool enabled)
{
    m_step = Step::Generate;
    setAction(m_generateCaption, enabled, m_generateTip);
}

void ModePanel::advanceCycle(Platform &platform, const std::function<bool()> &generate)
{
    switch (m_step) {
    case Step::Generate:
        if (!generate())
            return;
        m_step = Step::Copy;
        setAction(copyCaption(), true,
                  QStringLiteral("Puts the code of the copy box on the clipboard"));
        break;
    case Step::Copy:
        if (const QString text = copyText(); !text.isEmpty()) {
            platform.setClipboardText(text);
            note(copiedNote(text));
        } else {
            note(QStringLiteral("Nothing copied: the copy box is empty"));
        }
        restartCycle(false);
        break;
    }
}

void ModePanel::offerCopy(const QString &text)
{
    setCopyText(text);
    focusCopyText();
}
