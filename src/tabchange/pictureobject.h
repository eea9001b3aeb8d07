#pragma once

#include <QAbstractButton>
#include <QFont>

class QPainter;

// One object of the form picture: a frame at the object's design place showing its name, its
// kind and a badge with its TAB number. The badge is filled once the user has given the
// number; before that it shows, greyed, the number the object would keep.
//
// Space or Return gives it a number as a click does; the arrow keys move the focus to the
// nearest object of the picture in their direction. clickModifiers() tells, while clicked is
// said, the keys held with the click (Ctrl+click goes on numbering from the object).
class PictureObject : public QAbstractButton
{
    Q_OBJECT

public:
    PictureObject(const QString &name, const QString &kind, QWidget *parent);

    // Does not repaint: the picture repaints once after a change of many numbers.
    void setNumber(int number, bool given);
    int number() const { return m_number; }
    bool given() const { return m_given; }
    const QString &name() const { return m_name; }
    Qt::KeyboardModifiers clickModifiers() const { return m_clickModifiers; }

    QSize sizeHint() const override;

Q_SIGNALS:
    // It got the keyboard focus, so that the picture can scroll it into view.
    void focused();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // The focus goes to the object whose centre is nearest in the direction of the arrow key,
    // those within 45 degrees of it first; it stays when there is none.
    void focusToward(int key);
    void layOutText();
    // The number's badge at the top left; gives its width.
    int paintBadge(QPainter &p) const;
    // The name and the kind in `text`, the room beside the badge.
    void paintText(QPainter &p, const QRect &text) const;

    QString m_name;
    QString m_kind;
    int m_number = 0;
    bool m_given = false;
    Qt::KeyboardModifiers m_clickModifiers;

    QSize m_laidOutFor; // the size the fonts and texts below are worked out for
    QFont m_nameFont;
    QFont m_kindFont;
    QFont m_badgeFont;
    QString m_shownName;
    QString m_shownKind;
    bool m_twoLines = false;
    int m_nameHeight = 0;
    int m_kindHeight = 0;
};
