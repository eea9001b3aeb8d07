#pragma once

#include <QString>
#include <QStringList>

// Reading freedesktop.org desktop entries, which name the program a desktop associates with
// a document type.
namespace DesktopEntry {

// The value of a key in the [Desktop Entry] group of a desktop file's text, with the
// escapes \s \n \t \r \\ resolved; empty when absent.
// "[Desktop Entry]\nName=Viewer\nExec=view %f\n", "Exec" gives "view %f".
QString value(const QString &desktopFileText, const QString &key);

// The program and its arguments of an Exec value (escapes already resolved) started for one
// document: quoted arguments are unquoted, %f %F %u %U become the document, %i the icon
// option, %c the name, %k the desktop file, %% a percent sign; deprecated codes are dropped.
// A value without a file code gets the document appended. Empty when the value is malformed
// (unbalanced quote, trailing backslash, unknown field code) or names no program.
// "okular --unique %U" with "/t/a b.pdf" gives {"okular", "--unique", "/t/a b.pdf"}.
struct Fields
{
    QString document;
    QString name;
    QString icon;
    QString entryPath;
};
QStringList command(const QString &exec, const Fields &fields);

} // namespace DesktopEntry
