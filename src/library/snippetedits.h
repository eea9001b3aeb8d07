#pragma once

#include <functional>

#include "result.h"
#include "saferewrite.h"
#include "storedcode.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// Editing and deleting a stored snippet in place, and the safe rewrite of the stored-code file
// that carries both (and their undo). Only the entry shown is touched: one of the lines whose
// title is that text (as the list shows it), counted from the last as StoredCode::shownLine
// counts them; every other byte stays as it is, the lines without "*" and every line end
// included.
//
// replaced("A*1\r\nT*a\r\nnote\r\nT*b|c\r\n", "T", "T*x") gives "A*1\r\nT*a\r\nnote\r\nT*x\r\n";
// removed() of the same bytes and title gives "A*1\r\nT*a\r\nnote\r\n", and with fromLast 1
// "A*1\r\nnote\r\nT*b|c\r\n".
namespace SnippetEdits {

// The bytes of the shown entry's line, without its line end: [start, end); start is -1 when
// there is no such line.
using Line = StoredCode::ShownLine;
Line shownEntry(QByteArrayView bytes, const QString &title, int fromLast = 0);

// The file with the shown entry's line replaced by `entry` (a line without its end, as
// StoredCode::entry builds it), its line end kept; a failure when the entry is not there.
Result<QByteArray> replaced(const QByteArray &bytes, const QString &title, const QByteArray &entry,
                            int fromLast = 0);
// The file with the shown entry's line rewritten to hold newTitle and newList (a bar-separated
// list). Wherever they are what the line shows, its bytes stay, also bytes that the code page
// cannot show; what is new is written in the code page (StoredCode::encodeKeeping). A failure
// when the entry is not there, or names the character that cannot be written exactly.
Result<QByteArray> edited(const QByteArray &bytes, const QString &title, int fromLast,
                          const QString &newTitle, const QString &newList);
// The file without the shown entry's line and its line end; a failure when it is not there.
Result<QByteArray> removed(const QByteArray &bytes, const QString &title, int fromLast = 0);

// For each entry of the file (each line holding "*", in file order), whether its title or its
// code holds the text, in any case.
QList<bool> matches(QByteArrayView bytes, const QString &text);

// Replaces the whole content of the stored-code file, which was read as `asRead`, by
// `replacement`. The file on disk is compared with `asRead` first: a change made meanwhile, or
// a file that is gone, refuses the rewrite and says so. While the new content is written and
// synced, the previous one is also kept as a backup (MyCode.Bak beside MyCode.Txt), removed
// once the new file has replaced the old in one step; permissions are kept and a symbolic link
// stays a link to the rewritten file. The outcome says what happened; a failure leaves the
// file as it was. `whileWaiting` is called while another Brindle window holds the file's lock;
// returning false gives the wait up.
SafeRewrite::Outcome rewrite(const QString &path, const QByteArray &asRead,
                             const QByteArray &replacement,
                             const std::function<bool()> &whileWaiting = {});
// The same through given file steps, so that tests can make any step fail.
SafeRewrite::Outcome rewrite(FileSteps &files, const QString &path, const QByteArray &asRead,
                             const QByteArray &replacement);
// What to tell the user after rewrite(): why nothing was written, or that the backup stayed;
// empty when the file is written and its backup gone.
QString message(const SafeRewrite::Outcome &outcome);

} // namespace SnippetEdits
