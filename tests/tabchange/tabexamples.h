#pragma once

// The example program shared by the TabChange tests: a head of two lines and a generated
// section of two objects, as lines, and the same section once the two objects exchanged.

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
