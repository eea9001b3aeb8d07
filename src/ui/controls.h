#pragma once

#include <QList>
#include <QMargins>
#include <QString>

#include <type_traits>

class QAbstractButton;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QWidget;

// Building and reading the window's controls in the units of its design: positions and
// sizes are given in twips, 15 to a pixel at 96 dpi; Qt scales pixels with the screen.
namespace Controls {

constexpr int twipsPerPixel = 15;

// Pixels for a twips value, rounded to the nearest.
constexpr int px(int twips)
{
    return (twips + twipsPerPixel / 2) / twipsPerPixel;
}

// Sets a control's place inside its container, in twips.
void place(QWidget *w, int left, int top, int width, int height);
void setTop(QWidget *w, int top);
void setHeight(QWidget *w, int height);

// Sets the caption or text of any control kind of the window.
void setCaption(QWidget *w, const QString &text);

// Lifts the 32,767-character limit that Qt gives a single-line text box, so that a long text
// (a stored code passes through one) is never cut. Other controls are left as they are.
void unlimitText(QWidget *w);

// A place in the design, in twips.
struct Place
{
    int left, top, width, height;
};

// Creates a control of kind W with its design name, caption and place: the one way every panel
// declares its controls, e.g. make<QLabel>(this, "Label6", QStringLiteral("Number"), {60, 0, 600,
// 195}).
template <class W> W *make(QWidget *parent, const char *name, const QString &caption, Place at)
{
    auto *w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    unlimitText(w);
    setCaption(w, caption);
    place(w, at.left, at.top, at.width, at.height);
    return w;
}

// Makes a combo box editable while typed text never picks an entry: only a choice from
// its list does (no insertion, no completion, no match on Return).
void makeEditableList(QComboBox *box);

// Combo boxes below root take a wheel turn only when they have the focus.
void guardWheel(QWidget *root);

// A label shown as a sunken white box with black text, whatever the palette: a value the
// program writes (a count, a position), set apart from the captions around it.
void setSunkenWhite(QLabel *label);

// Makes option buttons one stop of the Tab chain: Tab and Shift+Tab enter the group at its
// checked button, or at its first when none is checked; the arrow keys move within it.
// The buttons become one exclusive QButtonGroup, owned by the first one's container.
void makeTabGroup(const QList<QAbstractButton *> &buttons);

// Unselects an option button, which Qt's exclusive groups (auto-exclusive siblings or a
// QButtonGroup) do not allow directly.
void clearOption(QAbstractButton *option);

// Text of a multi-line box with CR LF line breaks (the box itself stores LF).
QString plainText(const QPlainTextEdit *box);
// Highlighted text of a multi-line box with CR LF line breaks.
QString selectedText(const QPlainTextEdit *box);
// Sets a multi-line box from a text with CR LF, LF or CR line breaks.
void setPlainText(QPlainTextEdit *box, const QString &text);
// Appends to a multi-line box without adding a line break of its own.
void appendPlainText(QPlainTextEdit *box, const QString &text);

// Font helpers for the design's fonts, in points.
void setDesignFont(QWidget *w, double pointSize, bool bold);

// The free room beside a control in its row, left and right: up to the nearest control there,
// shown or not (hidden ones appear later in the same place), or to its container's edge.
QMargins roomBeside(const QWidget *w);

// The design sizes suit the narrow fonts of the original desktop. A caption below root (labels,
// option buttons, check boxes) that does not fit its width is widened into the free room
// beside it; only when that is not enough is its font shrunk, to no less than a point below
// the captions beside it (and a smallest readable size).
void fitCaptions(QWidget *root);

} // namespace Controls
