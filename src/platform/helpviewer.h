#pragma once

#include <QString>
#include <QStringList>

// The CHM viewers of a freedesktop.org desktop that Brindle starts for its quick help, and how
// each is told the page to show: xchm reads it from the file's location, kchmviewer and
// uchmviewer from an option.
// "xchm", "/w/Tools/Brindle.chm", "arrays.html" gives
// {"file:/w/Tools/Brindle.chm#xchm:/arrays.html"}; "kchmviewer" with the same gives {"-showPage",
// "/arrays.html", "/w/Tools/Brindle.chm"}.
namespace HelpViewer {

// The viewers' program names, in the order they are looked for.
QStringList programs();

// The arguments that open `file` in `program` at `page`, a file inside the help; at the help's
// start page when `page` is empty or the program is none of programs().
QStringList arguments(const QString &program, const QString &file, const QString &page);

} // namespace HelpViewer
