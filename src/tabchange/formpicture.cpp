#include "formpicture.h"

#include "controls.h"
#include "pictureobject.h"
#include "taborder.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

using Controls::make;

namespace {

// The form's extent is scaled into this many pixels at most, and enlarged at most fourfold.
constexpr int areaWidth = 640;
constexpr int areaHeight = 400;
constexpr double largestScale = 4;
constexpr int smallestObject = 20;
constexpr int gap = 16;
constexpr int rowHeight = 30;
constexpr int columnWidth = 150;
// What the hint, the buttons, the margins and the window frame take of the screen.
constexpr int reservedWidth = 60;
constexpr int reservedHeight = 180;

// Paints the form's extent and the device screen under the objects.
class FormArea : public QWidget
{
public:
    using QWidget::QWidget;

    QRect extent; // in pixels
    QRect screen; // in pixels; empty when no device is chosen
    QString screenLabel;
    QRect column; // the objects without a place
    bool hasColumn = false;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(extent, QColor(236, 236, 236));
        if (!screen.isEmpty()) {
            p.fillRect(screen, Qt::white);
            p.setPen(QPen(QColor(40, 120, 60), 1, Qt::DashLine));
            p.drawRect(screen.adjusted(0, 0, -1, -1));
            p.drawText(screen.adjusted(4, 0, -4, -2), Qt::AlignRight | Qt::AlignBottom,
                       screenLabel);
        }
        if (hasColumn) {
            p.setPen(QColor(90, 90, 90));
            p.drawText(column.left(), column.top() - 4, QStringLiteral("No place given:"));
        }
    }
};

// The form's extent (every placed object, the device screen and the form's origin) and the
// scale that fits it into the picture.
struct Scaling
{
    QRect extent;
    double scale = 1;

    QRect toPixels(const QRect &r) const
    {
        const QPoint topLeft = r.topLeft() - extent.topLeft();
        return QRect(qRound(topLeft.x() * scale), qRound(topLeft.y() * scale),
                     qRound(r.width() * scale), qRound(r.height() * scale));
    }
};

Scaling scalingFor(const QList<FormPlace::Object> &objects, const FormPlace::Screen &screen)
{
    QRect extent(0, 0, 1, 1);
    if (!screen.isEmpty())
        extent |= QRect(QPoint(0, 0), screen.size);
    for (const FormPlace::Object &o : objects) {
        if (o.opening.placed)
            extent |= o.opening.place;
    }
    return {extent, std::min({double(areaWidth) / extent.width(),
                              double(areaHeight) / extent.height(), largestScale})};
}

// The room the picture may take: what the screen of `parent` leaves beside the hint and the
// buttons.
QSize pictureRoom(const QWidget *parent)
{
    const QScreen *shownOn =
        parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize room = shownOn ? shownOn->availableGeometry().size() : QSize(1024, 768);
    return {qMax(320, room.width() - reservedWidth), qMax(160, room.height() - reservedHeight)};
}

// Where an object is drawn: at its place, a tiny object kept large enough to see and click
// around its centre; an object without a place in the next cell of the grid in `column`.
QRect objectRect(const FormPlace::Object &o, const Scaling &scaling, const QRect &column, int rows,
                 int &unplaced)
{
    if (!o.opening.placed) {
        const QPoint cell = FormPlace::gridCell(unplaced++, rows);
        return QRect(column.left() + cell.x() * (columnWidth + gap / 2),
                     column.top() + cell.y() * rowHeight, columnWidth, rowHeight - 4);
    }
    QRect r = scaling.toPixels(o.opening.place);
    const QPoint centre = r.center();
    r.setSize(r.size().expandedTo(QSize(smallestObject, smallestObject)));
    r.moveCenter(centre);
    return r;
}

// Objects enlarged at the extent's edge may reach past it: everything moves into view, and the
// area takes the size of what it shows.
void moveIntoView(FormArea *area, const QList<PictureObject *> &objects)
{
    QRect used = area->extent;
    for (const PictureObject *object : objects)
        used |= object->geometry();
    const QPoint shift(qMax(0, -used.left()), qMax(0, -used.top()));
    for (PictureObject *object : objects)
        object->move(object->pos() + shift);
    area->extent.translate(shift);
    area->screen.translate(shift);
    area->column.translate(shift);
    area->setFixedSize(used.translated(shift).bottomRight().x() + 1,
                       used.translated(shift).bottomRight().y() + 1);
}

// A button's own key, named in its tooltip with what it does.
void giveKey(QPushButton *button, const QKeySequence &key, const QString &tip)
{
    auto *shortcut = new QShortcut(key, button);
    QObject::connect(shortcut, &QShortcut::activated, button, &QAbstractButton::click);
    button->setToolTip(button->text() % QStringLiteral(" (") %
                       key.toString(QKeySequence::NativeText) % QStringLiteral("): ") % tip);
}

} // namespace

FormPicture::FormPicture(const QList<FormPlace::Object> &objects, const FormPlace::Screen &screen,
                         QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FormPicture"));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // The main window's list shows the new order while this is open; nothing else may change
    // the list meanwhile.
    setModal(true);
    connect(this, &QDialog::finished, this, &QObject::deleteLater);
    // The picture scrolls inside the room the screen leaves beside the hint and the buttons.
    const QSize room = pictureRoom(parent);
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QWidget *area = drawForm(objects, screen, room, bar);
    makeControls();
    layOutPicture(area, room, bar);
    showNumbers();
    if (!m_objects.isEmpty())
        m_objects.first()->setFocus(Qt::OtherFocusReason);
    for (PictureObject *object : std::as_const(m_objects))
        connect(object, &PictureObject::focused, this,
                [this, object] { m_scroll->ensureWidgetVisible(object); });
}

QWidget *FormPicture::drawForm(const QList<FormPlace::Object> &objects,
                               const FormPlace::Screen &screen, const QSize &room, int bar)
{
    const Scaling scaling = scalingFor(objects, screen);
    auto *area = new FormArea(this);
    area->extent = scaling.toPixels(scaling.extent);
    if (!screen.isEmpty()) {
        area->screen = scaling.toPixels(QRect(QPoint(0, 0), screen.size));
        area->screenLabel = screen.name + QStringLiteral(" screen");
    }
    // The objects without a place fill as many columns as the room's height asks; a grid wider
    // than the room leaves a scroll bar's height under it.
    const int rows =
        qMax(1, (qMax(room.height() - bar, area->extent.height()) - gap - 4) / rowHeight);
    area->column = QRect(area->extent.right() + 1 + gap, gap + 4, columnWidth, 0);
    area->hasColumn = std::any_of(objects.cbegin(), objects.cend(),
                                  [](const FormPlace::Object &o) { return !o.opening.placed; });
    int unplaced = 0;
    for (const FormPlace::Object &o : objects) {
        const QString kind =
            o.opening.kind.isEmpty() ? QStringLiteral("no kind given") : o.opening.kind;
        auto *object = new PictureObject(o.name, kind, area);
        object->setGeometry(objectRect(o, scaling, area->column, rows, unplaced));
        addObject(object);
    }
    moveIntoView(area, m_objects);
    return area;
}

void FormPicture::addObject(PictureObject *object)
{
    const int position = int(m_objects.size()) + 1;
    connect(object, &QAbstractButton::clicked, this, [this, position, object] {
        if (object->clickModifiers() & Qt::ControlModifier)
            continueFrom(position);
        else
            pick(position);
    });
    m_objects.append(object);
}

void FormPicture::makeControls()
{
    // Laid out by the dialog, so they have no place of their own.
    m_hint = make<QLabel>(
        this, "PictureHint",
        QStringLiteral("Click the objects in their new TAB order (or use the arrow keys and "
                       "Space). Ctrl+click an object to go on numbering after it. Escape closes "
                       "without changing anything."),
        {});
    m_hint->setWordWrap(true);
    // Why a click or Space changed nothing; empty otherwise.
    m_note = make<QLabel>(this, "PictureNote", {}, {});
    m_note->setWordWrap(true);
    m_startOver = make<QPushButton>(this, "StartOver", QStringLiteral("Start over"), {});
    m_useOrder = make<QPushButton>(this, "UseOrder", QStringLiteral("Use this order"), {});
    // The buttons have keys of their own: Return and Space belong to the objects.
    giveKey(m_startOver, QKeySequence(Qt::CTRL | Qt::Key_Backspace),
            QStringLiteral("clears the new order"));
    giveKey(m_useOrder, QKeySequence(Qt::CTRL | Qt::Key_Return),
            QStringLiteral("the objects clicked so far first, the others after them in their "
                           "present order"));
    // Return belongs to the objects: it gives the focused one its number.
    for (QPushButton *b : {m_startOver, m_useOrder})
        b->setAutoDefault(false);
    connect(m_startOver, &QPushButton::clicked, this, &FormPicture::startOver);
    connect(m_useOrder, &QPushButton::clicked, this, &FormPicture::useOrder);
}

void FormPicture::layOutPicture(QWidget *area, const QSize &room, int bar)
{
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_startOver);
    buttons->addWidget(m_useOrder);
    m_scroll = make<QScrollArea>(this, "PictureScroll", {}, {});
    m_scroll->setWidget(area);
    m_scroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_scroll->setFrameShape(QFrame::NoFrame);
    const bool wide = area->width() > room.width();
    const bool tall = area->height() > room.height();
    m_scroll->setFixedSize(qMin(area->width() + (tall ? bar : 0), room.width()),
                           qMin(area->height() + (wide ? bar : 0), room.height()));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_scroll, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(m_hint);
    layout->addWidget(m_note);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_hint->setMaximumWidth(qMax(m_scroll->width(), 300));
    m_note->setMaximumWidth(m_hint->maximumWidth());
}

void FormPicture::placeBeside(const QWidget *window)
{
    adjustSize();
    const QRect beside = window->frameGeometry();
    const QRect room = window->screen()->availableGeometry();
    QPoint at = beside.topRight() + QPoint(8, 0);
    if (at.x() + width() > room.right())
        at.setX(beside.left() - 8 - width());
    at.setX(qBound(room.left(), at.x(), qMax(room.left(), room.right() - width())));
    at.setY(qBound(room.top(), at.y(), qMax(room.top(), room.bottom() - height())));
    move(at);
}

void FormPicture::pick(int position)
{
    if (m_picked.contains(position)) {
        const PictureObject *object = m_objects.at(position - 1);
        m_note->setText(object->name() + QStringLiteral(" already has TAB ") +
                        QString::number(object->number()) +
                        QStringLiteral(": each object is numbered once. Ctrl+click it to go "
                                       "on numbering after it, or Start over."));
        return;
    }
    m_note->clear();
    m_picked.append(position);
    showNumbers();
    const QList<int> order = TabOrder::complete(m_picked, int(m_objects.size()));
    Q_EMIT orderChanged(order);
    if (m_picked.size() == m_objects.size())
        useOrder();
}

void FormPicture::continueFrom(int position)
{
    const QList<int> order = TabOrder::complete(m_picked, int(m_objects.size()));
    m_note->clear();
    m_picked = order.first(order.indexOf(position) + 1);
    showNumbers();
    Q_EMIT orderChanged(TabOrder::complete(m_picked, int(m_objects.size())));
    if (m_picked.size() == m_objects.size())
        useOrder();
}

void FormPicture::startOver()
{
    m_picked.clear();
    m_note->clear();
    showNumbers();
    Q_EMIT orderChanged(TabOrder::complete({}, int(m_objects.size())));
}

void FormPicture::useOrder()
{
    Q_EMIT orderChosen(TabOrder::complete(m_picked, int(m_objects.size())));
    accept();
}

void FormPicture::showNumbers()
{
    const QList<int> order = TabOrder::complete(m_picked, int(m_objects.size()));
    for (qsizetype i = 0; i < order.size(); ++i) {
        PictureObject *object = m_objects.at(order.at(i) - 1);
        const bool given = i < m_picked.size();
        if (object->number() != int(i) + 1 || object->given() != given)
            object->setNumber(int(i) + 1, given);
    }
    // One repaint of the picture costs less than one per object when many numbers change.
    m_scroll->widget()->update();
    m_startOver->setEnabled(!m_picked.isEmpty());
    m_useOrder->setEnabled(!m_picked.isEmpty());
}
