#pragma once

#include "formplace.h"

#include <QDialog>
#include <QList>

class PictureObject;
class QLabel;
class QPushButton;
class QScrollArea;

// The picture of one form: each object drawn at its design place, scaled to fit, with the
// device screen as a dashed guide; objects without a place stand in a grid beside the form.
// The picture scrolls within the room its screen leaves, so the buttons are always in view.
// Clicking the objects one after another gives them the TAB positions 1, 2, 3, ...; Ctrl+click
// on an object goes on from it: it keeps its number, the positions before it count as given,
// and the next click gives the number after it. An object clicked again, which has its number,
// keeps it, and the note under the picture says why.
//
// orderChanged tells the whole order after every click and after "Start over"; orderChosen
// tells it when the last object gets its number or the user takes the order so far. Escape,
// or closing the window, rejects the picture and chooses nothing.
class FormPicture : public QDialog
{
    Q_OBJECT

public:
    FormPicture(const QList<FormPlace::Object> &objects, const FormPlace::Screen &screen,
                QWidget *parent);

    // Right of the window when there is room on its screen, else left of it, else over it.
    void placeBeside(const QWidget *window);

Q_SIGNALS:
    // order: for each new position from 1, the present position of the object taking it.
    void orderChanged(const QList<int> &order);
    void orderChosen(const QList<int> &order);

private:
    // The form and its objects, scaled into the room the picture may take (a scroll bar's
    // width `bar` beside a grid wider than it); gives the area that shows them.
    QWidget *drawForm(const QList<FormPlace::Object> &objects, const FormPlace::Screen &screen,
                      const QSize &room, int bar);
    // An object drawn: clicking it gives it the next number.
    void addObject(PictureObject *object);
    void makeControls();
    void layOutPicture(QWidget *area, const QSize &room, int bar);

    void pick(int position);
    // Ctrl+click: the order so far up to and with the object at `position` counts as given.
    void continueFrom(int position);
    void startOver();
    void useOrder();
    void showNumbers();

    QList<PictureObject *> m_objects; // in their present TAB order
    QList<int> m_picked;              // present positions, in clicking order
    QScrollArea *m_scroll = nullptr;
    QLabel *m_hint = nullptr;
    QPushButton *m_startOver = nullptr;
    QPushButton *m_useOrder = nullptr;
    QLabel *m_note = nullptr;
};
