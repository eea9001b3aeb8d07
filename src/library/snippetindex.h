#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <vector>

// The entries of a stored-code file made ready for a filter typed key by key. Each entry (a
// line holding "*": its title, the "*" and its code) is decoded from the code page and
// case-folded once, when the index is built for the file's bytes; a key typed then costs a
// search in memory, not a decode of the whole file. A text that extends the one before is
// looked for only in the entries that held that one, and a text typed before (as Backspace
// goes back) is answered from what was found then.
//
// Built for "Loop*For i\r\nnote\r\nOpen*Open x For Input\r\n", matches("FOR") gives
// {true, true} and matches("input") gives {false, true}, as SnippetEdits::matches() does.
class SnippetIndex
{
public:
    SnippetIndex() = default;
    explicit SnippetIndex(const QByteArray &file);

    // Builds the index for these bytes, unless it was built for them already.
    void build(const QByteArray &file);
    bool isBuiltFor(const QByteArray &file) const;

    // For each entry of the file in file order, whether its title or its code holds the text,
    // in any case.
    QList<bool> matches(const QString &text);

    // The file the index is built for, and its entries' titles: each title's bytes, and a
    // number that entries share exactly when their titles have the same bytes.
    const QByteArray &file() const { return m_file; }
    QByteArrayView title(qsizetype entry) const;
    int titleNumber(qsizetype entry) const { return m_titleNumbers[size_t(entry)]; }
    int titleCount() const { return m_titleCount; }

private:
    // A text looked for, case-folded, and for each entry whether it holds it.
    struct Found
    {
        QString text;
        QList<bool> entries;
        qsizetype count = 0;
    };
    void appendEntry(QByteArrayView line);
    Found search(const QString &key, const Found *narrowed) const;
    void searchAll(QStringView key, Found &found, const Found *narrowed) const;
    qsizetype entryCount() const { return qsizetype(m_starts.size()) - 1; }
    QStringView entry(qsizetype at) const;

    QByteArray m_file;
    // Every entry decoded and case-folded, one after the other.
    QString m_folded;
    // Where each entry starts in m_folded, and where the last one ends.
    std::vector<qsizetype> m_starts;
    // The texts of the last keys, each extending the one before it.
    std::vector<Found> m_found;
    // Each entry's title in the file's bytes (where it starts, its size) and its number.
    std::vector<std::pair<qsizetype, qsizetype>> m_titles;
    std::vector<int> m_titleNumbers;
    int m_titleCount = 0;
};
