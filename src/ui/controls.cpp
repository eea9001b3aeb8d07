#include "controls.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
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

void clearOption(QAbstractButton *option)
{
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

void fitCaptions(QWidget *root)
{
    constexpr double smallest = 7.0;
    for (QWidget *w : root->findChildren<QWidget *>()) {
        const bool caption = qobject_cast<QLabel *>(w) || qobject_cast<QRadioButton *>(w) ||
                             qobject_cast<QCheckBox *>(w);
        if (!caption)
            continue;
        QFont f = w->font();
        while (w->sizeHint().width() > w->width() && f.pointSizeF() - 0.25 >= smallest) {
            f.setPointSizeF(f.pointSizeF() - 0.25);
            w->setFont(f);
        }
    }
}

} // namespace Controls
