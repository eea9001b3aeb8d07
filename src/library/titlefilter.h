#pragma once

#include "snippetindex.h"

#include <QAbstractListModel>
#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <vector>

class QThread;
class TitleModel;

// The category and title list as the filter shows it: the first rows (the categories) always,
// and the titles whose entry holds the filter text, in the list's order. Each shown row stands
// for a row of the whole list.
class TitleFilter : public QAbstractListModel
{
    Q_OBJECT

public:
    TitleFilter(int keptRows, QObject *parent);

    // The whole list, which the filter follows as rows are added to it or it is listed anew.
    void setSourceModel(TitleModel *source);
    // The filter text and the stored-code file's bytes as now read (none when it cannot be
    // read): a title is shown when its entry holds the text. When the file's entries do not
    // line up with the listed titles (it changed since), titles are matched by their own text
    // only. An empty text shows every row.
    void setFilter(const QString &text, const QByteArray &file);
    ~TitleFilter() override;

    // Makes the file's entries ready for the filter ahead of the first key typed, on another
    // thread, so that the window goes on drawing and taking keys meanwhile; a key that comes
    // before the index is ready waits for it.
    void prepare(const QByteArray &file);
    // The filter's index of the file's entries, built for these bytes.
    SnippetIndex &indexFor(const QByteArray &file);
    const QString &filterText() const { return m_text; }
    // The row of the whole list that a shown row stands for.
    int sourceRow(int shownRow) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    // The index built for `file`, taking in the one built on another thread first.
    SnippetIndex &built(const QByteArray &file);
    void takeBuilt();
    bool accepts(int row) const;
    // The rows shown after the whole list or the filter changed; a filter that shows the same
    // rows as before leaves the list's view as it is.
    void refilter();
    // Rows added at the end of the whole list are shown at the end when they pass the filter.
    void appendRows(int first, int last);

    int m_keptRows = 0;
    TitleModel *m_source = nullptr;
    SnippetIndex m_index;
    // An index being built on another thread, and the bytes it is built for.
    QThread *m_building = nullptr;
    std::shared_ptr<SnippetIndex> m_next;
    QByteArray m_nextFile;
    QString m_text;
    // For each entry of the file, whether it holds the text.
    QList<bool> m_matches;
    // The row of the whole list that each shown row stands for.
    std::vector<int> m_rows;
};
