#include "pictureobject.h"

#include <QKeyEvent>
#include <QPainter>

namespace {

constexpr int badgeSize = 18;

} // namespace

PictureObject::PictureObject(const QString &name, const QString &kind, QWidget *parent)
    : QAbstractButton(parent), m_name(name), m_kind(kind)
{
    setObjectName(name);
    setFocusPolicy(Qt::StrongFocus);
    setToolTip(name + QStringLiteral(" (") + kind + QLatin1Char(')'));
}

void PictureObject::setNumber(int number, bool given)
{
    m_number = number;
    m_given = given;
    setAccessibleName(m_name + QStringLiteral(", ") + m_kind + QStringLiteral(", TAB ") +
                      QString::number(number));
    update();
}

void PictureObject::focusInEvent(QFocusEvent *event)
{
    QAbstractButton::focusInEvent(event);
    Q_EMIT focused();
}

QSize PictureObject::sizeHint() const
{
    return {120, 28};
}

void PictureObject::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    // Light and partly transparent, so that objects lying under others still show.
    p.setBrush(QColor(255, 255, 255, isDown() ? 150 : 200));
    p.setPen(QPen(hasFocus() ? palette().color(QPalette::Highlight) : QColor(90, 90, 90),
                  hasFocus() ? 2 : 1));
    p.drawRect(frame);

    const QRect badge(1, 1, badgeSize, badgeSize);
    p.setPen(Qt::NoPen);
    p.setBrush(m_given ? QColor(20, 80, 170) : QColor(200, 200, 200));
    p.drawEllipse(badge);
    QFont small = font();
    small.setPixelSize(11);
    small.setBold(true);
    p.setFont(small);
    p.setPen(m_given ? Qt::white : QColor(60, 60, 60));
    p.drawText(badge, Qt::AlignCenter, QString::number(m_number));

    // The name beside the badge, the kind under it when there is room, else after it.
    const QRect text = rect().adjusted(badgeSize + 4, 1, -2, -1);
    if (text.width() <= 4)
        return;
    QFont nameFont = font();
    nameFont.setPixelSize(11);
    nameFont.setBold(true);
    QFont kindFont = font();
    kindFont.setPixelSize(10);
    p.setPen(QColor(20, 20, 20));
    const QFontMetrics nameMetrics(nameFont);
    const QFontMetrics kindMetrics(kindFont);
    if (text.height() >= nameMetrics.height() + kindMetrics.height()) {
        p.setFont(nameFont);
        p.drawText(text.adjusted(0, 0, 0, -kindMetrics.height()), Qt::AlignLeft | Qt::AlignTop,
                   nameMetrics.elidedText(m_name, Qt::ElideRight, text.width()));
        p.setFont(kindFont);
        p.setPen(QColor(80, 80, 80));
        p.drawText(text.adjusted(0, nameMetrics.height(), 0, 0), Qt::AlignLeft | Qt::AlignTop,
                   kindMetrics.elidedText(m_kind, Qt::ElideRight, text.width()));
    } else {
        p.setFont(nameFont);
        p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                   nameMetrics.elidedText(m_name + QStringLiteral(" \u00b7 ") + m_kind,
                                          Qt::ElideRight, text.width()));
    }
}

void PictureObject::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        click();
        return;
    case Qt::Key_Left:
    case Qt::Key_Up:
        focusSibling(-1);
        return;
    case Qt::Key_Right:
    case Qt::Key_Down:
        focusSibling(1);
        return;
    default:
        QAbstractButton::keyPressEvent(event);
    }
}

void PictureObject::focusSibling(int step)
{
    const QList<PictureObject *> objects =
        parentWidget()->findChildren<PictureObject *>(Qt::FindDirectChildrenOnly);
    const qsizetype here = objects.indexOf(this);
    if (objects.isEmpty() || here < 0)
        return;
    objects.at((here + step + objects.size()) % objects.size())->setFocus(Qt::OtherFocusReason);
}
