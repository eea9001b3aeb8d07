#include "controls.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMargins>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QWheelEvent>

#include <limits>

namespace Controls {

void place(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(px(left), px(top), px(width), px(height));
}

void setTop(QWidget *w, int top)
{
    w->move(w->x(), px(top));
}

void setHeight(QWidget *w, int height)
{
    w->resize(w->width(), px(height));
}

void setCaption(QWidget *w, const QString &text)
{
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        b->setText(text);
    else if (auto *l = qobject_cast<QLabel *>(w))
        l->setText(text);
    else if (auto *e = qobject_cast<QLineEdit *>(w))
        e->setText(text);
    else if (auto *g = qobject_cast<QGroupBox *>(w))
        g->setTitle(text);
    else if (auto *c = qobject_cast<QComboBox *>(w)) {
        if (c->isEditable())
            c->setEditText(text);
    } else if (auto *p = qobject_cast<QPlainTextEdit *>(w))
        setPlainText(p, text);
}

namespace {

// Keeps the mouse wheel from picking an entry of a combo box the user is not working in:
// scrolling over the window must not replace what was typed elsewhere.
class WheelGuard : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Wheel) {
            auto *w = qobject_cast<QWidget *>(watched);
            if (w && !w->hasFocus()) {
                event->ignore();
                return true;
            }
        }
        return false;
    }
};

} // namespace

void guardWheel(QWidget *root)
{
    auto *guard = new WheelGuard(root);
    for (QComboBox *box : root->findChildren<QComboBox *>()) {
        box->setFocusPolicy(Qt::StrongFocus);
        box->installEventFilter(guard);
    }
}

void unlimitText(QWidget *w)
{
    if (auto *e = qobject_cast<QLineEdit *>(w))
        e->setMaxLength(std::numeric_limits<int>::max());
}

void makeEditableList(QComboBox *box)
{
    box->setEditable(true);
    unlimitText(box->lineEdit());
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setDuplicatesEnabled(true);
    box->setCompleter(nullptr);
    // The combo box picks the entry matching the typed text when editing finishes.
    QObject::disconnect(box->lineEdit(), &QLineEdit::editingFinished, box, nullptr);
}

void setSunkenWhite(QLabel *label)
{
    label->setAutoFillBackground(true);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(p);
}

namespace {

// Keeps the Tab stop of a group of option buttons on its entry button. Qt moves the stop to
// whichever button last had the focus; the group puts it back whenever the focus leaves a
// button or the checked button changes.
class TabGroup : public QObject
{
public:
    TabGroup(const QList<QAbstractButton *> &buttons, QObject *parent)
        : QObject(parent), m_buttons(buttons)
    {
        for (QAbstractButton *b : m_buttons) {
            b->installEventFilter(this);
            connect(b, &QAbstractButton::toggled, this, &TabGroup::placeTabStop);
        }
        placeTabStop();
    }

    void placeTabStop()
    {
        QAbstractButton *entry = m_buttons.first();
        for (QAbstractButton *b : m_buttons) {
            if (b->isChecked())
                entry = b;
        }
        for (QAbstractButton *b : m_buttons) {
            const Qt::FocusPolicy policy = b->focusPolicy();
            b->setFocusPolicy(b == entry ? Qt::FocusPolicy(policy | Qt::TabFocus)
                                         : Qt::FocusPolicy(policy & ~Qt::TabFocus));
        }
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::FocusOut)
            placeTabStop();
        return false;
    }

private:
    QList<QAbstractButton *> m_buttons;
};

} // namespace

void makeTabGroup(const QList<QAbstractButton *> &buttons)
{
    if (buttons.isEmpty())
        return;
    // An explicit exclusive group: Qt otherwise counts every auto-exclusive button below the
    // container as one group, so that a focused device option took the Tab stops of the
    // option groups in the frames beside it.
    auto *group = new QButtonGroup(buttons.first()->parentWidget());
    for (QAbstractButton *b : buttons)
        group->addButton(b);
    new TabGroup(buttons, group);
}

void clearOption(QAbstractButton *option)
{
    if (QButtonGroup *group = option->group()) {
        const bool exclusive = group->exclusive();
        group->setExclusive(false);
        option->setChecked(false);
        group->setExclusive(exclusive);
        return;
    }
    const bool exclusive = option->autoExclusive();
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(exclusive);
}

static QString toCrLf(QString text)
{
    // QTextCursor reports paragraph breaks as U+2029.
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

QString plainText(const QPlainTextEdit *box)
{
    // toPlainText() would turn no-break spaces into blanks; the raw text keeps every character.
    return toCrLf(box->document()->toRawText());
}

QString selectedText(const QPlainTextEdit *box)
{
    return toCrLf(box->textCursor().selectedText());
}

static QString toLf(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

void setPlainText(QPlainTextEdit *box, const QString &text)
{
    box->setPlainText(toLf(text));
}

void appendPlainText(QPlainTextEdit *box, const QString &text)
{
    QTextCursor cursor(box->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(toLf(text));
}

void setDesignFont(QWidget *w, double pointSize, bool bold)
{
    QFont f = w->font();
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    w->setFont(f);
}

namespace {

bool isCaption(const QWidget *w)
{
    return qobject_cast<const QLabel *>(w) || qobject_cast<const QRadioButton *>(w) ||
           qobject_cast<const QCheckBox *>(w);
}

bool sameRow(const QRect &a, const QRect &b)
{
    return a.top() < b.bottom() && b.top() < a.bottom();
}

} // namespace

QMargins roomBeside(const QWidget *w)
{
    const QWidget *parent = w->parentWidget();
    const QRect r = w->geometry();
    int left = 0;
    int right = parent->width();
    for (const QObject *o : parent->children()) {
        const auto *other = qobject_cast<const QWidget *>(o);
        if (!other || other == w || other->isWindow() || !sameRow(other->geometry(), r))
            continue;
        const QRect g = other->geometry();
        if (g.left() > r.right())
            right = qMin(right, g.left());
        else if (g.right() < r.left())
            left = qMax(left, g.right() + 1);
    }
    return {r.left() - left, 0, right - r.right() - 1, 0};
}

namespace {

// The largest font of the other captions in a control's row; 0 when it stands alone there.
double neighbourSize(const QWidget *w)
{
    double size = 0;
    for (const QObject *o : w->parentWidget()->children()) {
        const auto *other = qobject_cast<const QWidget *>(o);
        if (other && other != w && isCaption(other) && sameRow(other->geometry(), w->geometry()))
            size = qMax(size, other->font().pointSizeF());
    }
    return size;
}

} // namespace

void fitCaptions(QWidget *root)
{
    constexpr double smallest = 7.0;
    for (QWidget *w : root->findChildren<QWidget *>()) {
        if (!isCaption(w) || w->sizeHint().width() <= w->width())
            continue;
        // Free room beside the control comes first, to its right, then to its left; a smaller
        // font only when that is not enough, and then at most a point below its neighbours'.
        const QMargins room = roomBeside(w);
        const int missing = w->sizeHint().width() - w->width();
        const int right = qMin(missing, room.right());
        const int left = qMin(missing - right, room.left());
        w->setGeometry(w->geometry().adjusted(-left, 0, right, 0));
        const double floor = qMax(smallest, neighbourSize(w) - 1.0);
        QFont f = w->font();
        while (w->sizeHint().width() > w->width() && f.pointSizeF() - 0.25 >= floor) {
            f.setPointSizeF(f.pointSizeF() - 0.25);
            w->setFont(f);
        }
    }
}

} // namespace Controls
