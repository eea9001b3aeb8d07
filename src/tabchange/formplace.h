#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

// The design places of a form's objects, read from the opening line of each object's block
// when that line has the form designer's shape «AddObject "Kind","Name",left,top,width,height».
//
// Example: «AddObject "TextBox","QtyBox",10,40,60,21» gives the kind «TextBox» and the place
// left 10, top 40, 60 wide and 21 high; «AddObject "Label","Title"» gives the kind alone, and
// «New object» neither.
namespace FormPlace {

struct Opening
{
    QString kind;        // the first quoted text after AddObject; empty when there is none
    bool placed = false; // the line gives all four numbers, with a width and height above 0
    QRect place;
};

// Blanks may stand before the keyword (in any letter case) and around the commas; the
// numbers are whole, left and top may be negative. Anything else after the height, or a
// number missing or malformed, leaves the object without a place.
Opening parse(const QByteArray &line);

// How many characters of an object's name the picture shows; a longer name is cut there and
// ends in "…", so that a name of megabytes draws as fast as a short one.
inline constexpr int shownNameLength = 60;

// The name as the picture shows it: the bytes without leading blanks, decoded, cut to
// shownNameLength characters. «  OkButton» gives «OkButton».
QString shownName(QByteArrayView nameBytes);

// Where the k-th object without a place (from 0) stands in the grid beside the form, as
// (column, row): the grid fills a column of `rows` rows, then the next column. (5, 2) gives
// (2, 1).
QPoint gridCell(int index, int rows);

struct Object
{
    QString name; // the SET line's text after its equals sign, as shownName() gives it
    Opening opening;
};

// The objects of a form range in their TAB order, as SectionReader::listObjects finds them.
QList<Object> objects(const QList<QByteArray> &section, int rangeStart, int rangeEnd);

// A device screen drawn as a guide: its name and its size in the units of the places.
struct Screen
{
    QString name;
    QSize size;
    bool isEmpty() const { return size.isEmpty(); }
};

} // namespace FormPlace
