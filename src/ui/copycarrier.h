#pragma once

#include <QLineEdit>

// The copy carrier Texttocopy: a one-line box that holds the text meant for the clipboard,
// CR LF line breaks included, and selects its whole text whenever it gains the focus.
class CopyCarrier : public QLineEdit
{
    Q_OBJECT

public:
    explicit CopyCarrier(QWidget *parent);

    void SetSelected();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void Texttocopy_GotFocus();

    bool m_selectOnRelease = false;
};
