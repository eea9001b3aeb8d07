#include "pictureobject.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <limits>

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
    if (number == m_number && given == m_given)
        return;
    m_number = number;
    m_given = given;
    setAccessibleName(m_name + QStringLiteral(", ") + m_kind + QStringLiteral(", TAB ") +
                      QString::number(number));
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

void PictureObject::resizeEvent(QResizeEvent *event)
{
    QAbstractButton::resizeEvent(event);
    m_laidOutFor = QSize();
}

// The fonts and the cut texts depend only on the size: they are worked out once per size, so
// that repainting many objects after a click costs little.
void PictureObject::layOutText()
{
    if (m_laidOutFor == size())
        return;
    m_laidOutFor = size();
    m_nameFont = font();
    m_nameFont.setPixelSize(11);
    m_nameFont.setBold(true);
    m_kindFont = font();
    m_kindFont.setPixelSize(10);
    m_badgeFont = m_nameFont;
    const QRect text = rect().adjusted(badgeSize + 4, 1, -2, -1);
    const QFontMetrics nameMetrics(m_nameFont);
    const QFontMetrics kindMetrics(m_kindFont);
    m_twoLines = text.height() >= nameMetrics.height() + kindMetrics.height();
    m_nameHeight = nameMetrics.height();
    m_kindHeight = kindMetrics.height();
    if (m_twoLines) {
        m_shownName = nameMetrics.elidedText(m_name, Qt::ElideRight, text.width());
        m_shownKind = kindMetrics.elidedText(m_kind, Qt::ElideRight, text.width());
    } else {
        m_shownName = nameMetrics.elidedText(m_name + QStringLiteral(" \u00b7 ") + m_kind,
                                             Qt::ElideRight, text.width());
        m_shownKind.clear();
    }
}

void PictureObject::paintEvent(QPaintEvent *)
{
    layOutText();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    // Light and partly transparent, so that objects lying under others still show.
    p.setBrush(QColor(255, 255, 255, isDown() ? 150 : 200));
    p.setPen(QPen(hasFocus() ? palette().color(QPalette::Highlight) : QColor(90, 90, 90),
                  hasFocus() ? 2 : 1));
    p.drawRect(frame);
    const int badgeWidth = paintBadge(p);
    paintText(p, rect().adjusted(badgeWidth + 4, 1, -2, -1));
}

int PictureObject::paintBadge(QPainter &p) const
{
    // The badge widens for numbers of three digits and more.
    const QString number = QString::number(m_number);
    const int badgeWidth = qMax(badgeSize, number.size() * 7 + 4);
    const QRect badge(1, 1, badgeWidth, badgeSize);
    p.setPen(Qt::NoPen);
    p.setBrush(m_given ? QColor(20, 80, 170) : QColor(200, 200, 200));
    if (badgeWidth == badgeSize)
        p.drawEllipse(badge);
    else
        p.drawRoundedRect(badge, badgeSize / 2.0, badgeSize / 2.0);
    p.setFont(m_badgeFont);
    p.setPen(m_given ? Qt::white : QColor(60, 60, 60));
    p.drawText(badge, Qt::AlignCenter, number);
    return badgeWidth;
}

void PictureObject::paintText(QPainter &p, const QRect &text) const
{
    // The name beside the badge, the kind under it when there is room, else after it.
    if (text.width() <= 4)
        return;
    p.setPen(QColor(20, 20, 20));
    p.setFont(m_nameFont);
    if (m_twoLines) {
        p.drawText(text.adjusted(0, 0, 0, -m_kindHeight), Qt::AlignLeft | Qt::AlignTop,
                   m_shownName);
        p.setFont(m_kindFont);
        p.setPen(QColor(80, 80, 80));
        p.drawText(text.adjusted(0, m_nameHeight, 0, 0), Qt::AlignLeft | Qt::AlignTop, m_shownKind);
    } else {
        p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, m_shownName);
    }
}

void PictureObject::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_clickModifiers = event->modifiers();
        click();
        m_clickModifiers = {};
        return;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        focusToward(event->key());
        return;
    default:
        QAbstractButton::keyPressEvent(event);
    }
}

// Space clicks as it is released.
void PictureObject::keyReleaseEvent(QKeyEvent *event)
{
    m_clickModifiers = event->modifiers();
    QAbstractButton::keyReleaseEvent(event);
    m_clickModifiers = {};
}

void PictureObject::mouseReleaseEvent(QMouseEvent *event)
{
    m_clickModifiers = event->modifiers();
    QAbstractButton::mouseReleaseEvent(event);
    m_clickModifiers = {};
}

void PictureObject::focusToward(int key)
{
    const QPoint here = geometry().center();
    PictureObject *nearest = nullptr;
    bool nearestInCone = false;
    qint64 nearestDistance = std::numeric_limits<qint64>::max();
    for (PictureObject *other :
         parentWidget()->findChildren<PictureObject *>(Qt::FindDirectChildrenOnly)) {
        const QPoint d = other->geometry().center() - here;
        // How far the other lies in the key's direction, and how far to the side of it.
        const int along = key == Qt::Key_Left    ? -d.x()
                          : key == Qt::Key_Right ? d.x()
                          : key == Qt::Key_Up    ? -d.y()
                                                 : d.y();
        const int aside = key == Qt::Key_Left || key == Qt::Key_Right ? d.y() : d.x();
        if (other == this || along <= 0)
            continue;
        const bool inCone = qAbs(aside) <= along;
        const qint64 distance = qint64(along) * along + qint64(aside) * aside;
        if (inCone < nearestInCone || (inCone == nearestInCone && distance >= nearestDistance))
            continue;
        nearest = other;
        nearestInCone = inCone;
        nearestDistance = distance;
    }
    if (nearest)
        nearest->setFocus(Qt::OtherFocusReason);
}
