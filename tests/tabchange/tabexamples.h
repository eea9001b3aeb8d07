#pragma once

// The example program shared by the TabChange tests: a head of two lines and a generated
// section of two objects, as lines, and the same section once the two objects exchanged; and
// a form of twelve objects with their places on the form.

#include <QByteArray>
#include <QList>

using Lines = QList<QByteArray>;

// Lines written as one text with "|" between them.
inline Lines lines(const char *text)
{
    return QByteArray(text).split('|');
}

// The lines, each ended by CR LF.
inline QByteArray crlf(const Lines &lines)
{
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + "\r\n";
    return bytes;
}

inline const Lines exampleHead{"First line of the program", "Second line of the program"};
inline const Lines exampleSection =
    lines("' Begin Generated part|Dim Form1|'|New object|"
          " Set Ctl(1) = OkButton|Ctl(1).Caption = OK|'|New object| SET Ctl(2) = NameBox|"
          "Ctl(2).Text = empty|' End Generated part|Last line of the program");
inline const Lines exampleSwapped =
    lines("' Begin Generated part|Dim Form1|'|New object|"
          " SET Ctl(1) = NameBox|Ctl(1).Text = empty|'|New object| Set Ctl(2) = OkButton|"
          "Ctl(2).Caption = OK|' End Generated part|Last line of the program");

// Objects on a grid of rows of four, each a few units off its cell, in CR LF: position k holds
// object order[k - 1], and objects 1, 2, 3, ... lie row by row, left to right.
inline QByteArray placedForm(const QList<int> &order)
{
    QByteArray bytes = "Rem head\r\n' Begin Generated part\r\nDim Form1 As Window\r\n'\r\n";
    for (qsizetype k = 1; k <= order.size(); ++k) {
        const int object = order.at(k - 1);
        const int left = 10 + (object - 1) % 4 * 70 + object % 3 * 2;
        const int top = 10 + (object - 1) / 4 * 30 + (object * 7) % 5 - 2;
        const QByteArray p = QByteArray::number(k);
        const QByteArray o = QByteArray::number(object);
        bytes += "AddObject \"TextBox\",\"Box" + o + "\"," + QByteArray::number(left) + "," +
                 QByteArray::number(top) + ",60,21\r\n Set Ctl(" + p + ") = Box" + o + "\r\nCtl(" +
                 p + ").Prop = " + o + "\r\n'\r\n";
    }
    return bytes + "' End Generated part\r\nRem tail\r\n";
}
