#include "copycarrier.h"

#include <QFocusEvent>

#include <limits>

CopyCarrier::CopyCarrier(QWidget *parent) : QLineEdit(parent)
{
    // Generated code and snippets can be longer than a line edit's default limit.
    setMaxLength(std::numeric_limits<int>::max());
    // It lies under the action button: it takes the focus when it receives a text or a click,
    // but Tab does not stop at a box the user cannot see.
    setFocusPolicy(Qt::ClickFocus);
}

void CopyCarrier::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    selectAll();
    // A click that brings the focus would place the cursor on release; select again then.
    m_selectOnRelease = event->reason() == Qt::MouseFocusReason;
}

void CopyCarrier::focusOutEvent(QFocusEvent *event)
{
    // A line edit drops its selection with the focus; the text to copy is always all of it.
    QLineEdit::focusOutEvent(event);
    selectAll();
}

void CopyCarrier::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (m_selectOnRelease) {
        m_selectOnRelease = false;
        selectAll();
    }
}
