#include "copycarrier.h"

#include <QFocusEvent>

#include <limits>

CopyCarrier::CopyCarrier(QWidget *parent) : QLineEdit(parent)
{
    // Generated code and snippets can be longer than a line edit's default limit.
    setMaxLength(std::numeric_limits<int>::max());
}

void CopyCarrier::SetSelected()
{
    setSelection(0, int(text().size()));
}

void CopyCarrier::Texttocopy_GotFocus()
{
    SetSelected();
}

void CopyCarrier::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    Texttocopy_GotFocus();
    // A click that brings the focus would place the cursor on release; select again then.
    m_selectOnRelease = event->reason() == Qt::MouseFocusReason;
}

void CopyCarrier::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (m_selectOnRelease) {
        m_selectOnRelease = false;
        SetSelected();
    }
}
