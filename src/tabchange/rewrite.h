#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include "filesteps.h"
#include "saferewrite.h"

// Rewrites a program file: its head as now on disk (its first genStart lines, bytes kept), then
// the changed section, every line ended by CR LF. Under the lock that other Brindle windows
// honour, the file is read and compared with the section as it was read (or last written):
// an edit made meanwhile by another program is never overwritten.
//
// While the new file is written, the previous content stays under the backup name
// («Prog.txt» -> «Prog.Bak», «my.prog.txt» -> «my.prog.Bak») as well as under the program's own
// name, which the complete new file replaces in one step once it is synced to disk; then the
// backup goes. Whatever step fails or wherever the process stops, the program's name holds
// the whole previous or the whole new content. A backup name that is taken is never used.
namespace Rewrite {

// The lines, each ended by CR LF, as slices: lines that lie one after another in `held`, each
// followed there by CR LF (lines of the section as read), are one slice of it.
Slices sectionSlices(const QList<QByteArray> &lines, QByteArrayView held = {});

// Writes the head as now on disk and then `section` (the new section's bytes, every line ended
// by CR LF), when the file still holds, from its line genStart on, exactly readSection: the
// section's bytes as read, or as last written. The file changed since it was read, gone, or
// unreadable, the changes held in memory no longer apply (Outcome::changesDropped()).
SafeRewrite::Outcome write(FileSteps &files, const QString &programPath, int genStart,
                           QByteArrayView readSection, const Slices &section);
// What to tell the user after write(): why nothing was written (saying, where they no longer
// apply, that the changes held are dropped), or that the backup stayed; empty when the change
// is written and its backup gone.
QString writeMessage(const SafeRewrite::Outcome &outcome);

// Puts the whole content `restored` back in place of the program file, through the same lock,
// backup and replace as write(), when the file holds exactly `expected` (the content a TAB
// change left): undoing or redoing a written change gives the file back byte for byte. The
// file gone, changed or unreadable, it was changed outside Brindle since, and nothing was
// written (Outcome::changesDropped()).
SafeRewrite::Outcome restore(FileSteps &files, const QString &programPath, QByteArrayView expected,
                             QByteArrayView restored);
// What to tell the user after restore(), as writeMessage() does.
QString restoreMessage(const SafeRewrite::Outcome &outcome);

} // namespace Rewrite
