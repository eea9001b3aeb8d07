#pragma once

#include <QByteArray>
#include <QList>
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

struct Object
{
    QString name; // the SET line's text after its equals sign, without leading blanks
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
