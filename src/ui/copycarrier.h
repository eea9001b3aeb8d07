#pragma once

#include <QLineEdit>

// The copy carrier (objectName Texttocopy): a one-line box that holds the text meant for the
// clipboard, CR LF line breaks included, and selects its whole text whenever it gains the focus.
// The window passes the focus on at once (the box lies hidden under the action button); the
// whole text stays selected when it does.
class CopyCarrier : public QLineEdit
{
    Q_OBJECT

public:
    explicit CopyCarrier(QWidget *parent);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_selectOnRelease = false;
};
