#pragma once

#include "result.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

// Brindle's note of the files it makes while it writes, so that a file a stopped write left
// (the process killed, the power cut) can be told from a user's file that is only named like
// one («Stock.txt.240101»): a file is offered for removal only when this note proves that
// Brindle made it and that it holds nothing but what Brindle wrote.
//
// The note is a small text file in the folder of the name being written, «.brindle.writing»,
// one line per file: what it holds, the file, and the name it was written to become.
//   - A new file beside a name («Prog.txt.aB3xYz», «Prog.Bak.Q7rT2k») is made only where its
//     name is free, then noted as Written before a byte of content goes in: a file noted
//     Written was made by Brindle and holds only what Brindle wrote. That note reaches the disk
//     with the next synced one; lost to a stop before, it only costs its offer.
//   - Before a new file is swapped in under its name, its note becomes SwappedOut, synced:
//     after the swap the temporary's name holds what was under the name, which may be another
//     program's save. Such a file is never offered for removal, only named.
//   - When the write ends, the notes of names that are gone are dropped, and the note file goes
//     when none is left.
// Every writer holds the folder's lock (FileSteps::lock) while it writes, and the note is read
// under that lock too, so a note seen there is of a stopped write, never of a running one.
// Losing notes is always safe: a file that is not noted is never offered for removal. So a
// note cut short, or one that could not be written, costs only the offer.
//
// Example: writing «Samples/Prog.txt» notes «Written Prog.txt.aB3xYz Prog.txt» in
// «Samples/.brindle.writing»; stopped there, entries(Samples) gives that file, Written, for
// «Samples/Prog.txt».
class WriteJournal
{
public:
    enum class Holds {
        Written,    // only what Brindle wrote: removing it loses nothing
        SwappedOut, // what was under the name it was swapped with: perhaps another program's save
    };
    struct Entry
    {
        QString path;    // the file noted
        QString forPath; // the name it was written to become
        Holds holds = Holds::Written;
    };

    // The note file of a folder.
    static QString pathIn(const QString &folder);

    // Notes that `file`, just made where its name was free, holds only what Brindle writes to
    // become `forPath`. The note goes in the folder of `forPath`; it is synced with the next.
    Result<> writing(const QString &forPath, const QString &file);
    // Notes, synced, that `file` is about to be swapped with the name it was written for, and
    // so will hold what is under that name now. A file never noted needs nothing. Where the
    // note cannot be changed, the folder's whole note file goes instead; a failure means that
    // neither could be done, and `file` must not be swapped.
    Result<> swapping(const QString &file);
    // Notes, synced, that `file`, a free name beside `forPath`'s file, is about to take what is
    // under that name now: it is never Brindle's own.
    Result<> movingAside(const QString &forPath, const QString &file);
    // The write is over: drops the notes of names that are gone.
    void finish();

    // The notes of a folder, the last of each file, in the order the files were first noted.
    static QList<Entry> entries(const QString &folder);
    // Drops the notes of files that are gone; removes the note file when none is left.
    static void tidy(const QString &folder);

private:
    struct Noted
    {
        QString folder; // whose note file holds the note
        QString forPath;
    };
    // Adds a note, synced to disk with the notes before it, and the folder when the note file
    // is new since the last sync.
    Result<> appendSynced(const QString &folder, const QByteArray &added);

    QHash<QString, Noted> m_noted;  // by the file noted
    QSet<QString> m_folderUnsynced; // folders whose new note file is not yet synced
};
