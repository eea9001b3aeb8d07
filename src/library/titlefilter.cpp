#include "titlefilter.h"

#include "titlemodel.h"

#include <QThread>

TitleFilter::TitleFilter(int keptRows, QObject *parent)
    : QAbstractListModel(parent), m_keptRows(keptRows)
{
}

void TitleFilter::setSourceModel(TitleModel *source)
{
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (source) {
        connect(source, &QAbstractItemModel::modelReset, this, &TitleFilter::refilter);
        connect(source, &QAbstractItemModel::rowsInserted, this,
                [this](const QModelIndex &, int first, int last) { appendRows(first, last); });
    }
    refilter();
}

TitleFilter::~TitleFilter()
{
    if (m_building) {
        m_building->wait();
        delete m_building;
    }
}

void TitleFilter::setFilter(const QString &text, const QByteArray &file)
{
    m_text = text;
    m_matches = built(file).matches(text);
    refilter();
}

void TitleFilter::prepare(const QByteArray &file)
{
    if (m_index.isBuiltFor(file) || (m_building && m_nextFile.constData() == file.constData() &&
                                     m_nextFile.size() == file.size()))
        return;
    takeBuilt();
    // The bytes are shared, never changed: the other thread only reads them.
    auto next = std::make_shared<SnippetIndex>();
    m_next = next;
    m_nextFile = file;
    m_building = QThread::create([next, file] { next->build(file); });
    connect(m_building, &QThread::finished, this, &TitleFilter::takeBuilt);
    m_building->start();
}

void TitleFilter::takeBuilt()
{
    if (!m_building)
        return;
    m_building->wait();
    m_building->deleteLater();
    m_building = nullptr;
    m_index = std::move(*m_next);
    m_next.reset();
    m_nextFile.clear();
}

SnippetIndex &TitleFilter::built(const QByteArray &file)
{
    takeBuilt();
    m_index.build(file);
    return m_index;
}

SnippetIndex &TitleFilter::indexFor(const QByteArray &file)
{
    return built(file);
}

int TitleFilter::sourceRow(int shownRow) const
{
    return shownRow < 0 || shownRow >= int(m_rows.size()) ? shownRow : m_rows[shownRow];
}

int TitleFilter::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant TitleFilter::data(const QModelIndex &index, int role) const
{
    if (!m_source || !index.isValid() || index.row() >= int(m_rows.size()))
        return {};
    return m_source->data(m_source->index(m_rows[index.row()]), role);
}

bool TitleFilter::accepts(int row) const
{
    if (row < m_keptRows || m_text.isEmpty())
        return true;
    if (m_matches.size() == m_source->rowCount() - m_keptRows)
        return m_matches.at(row - m_keptRows);
    return m_source->data(m_source->index(row)).toString().contains(m_text, Qt::CaseInsensitive);
}

void TitleFilter::refilter()
{
    std::vector<int> rows;
    const int count = m_source ? m_source->rowCount() : 0;
    for (int row = 0; row < count; ++row) {
        if (accepts(row))
            rows.push_back(row);
    }
    if (rows == m_rows)
        return;
    // A new set of rows is shown at once: a view lays out a long list anew more quickly than
    // it follows its rows removed and inserted range by range.
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void TitleFilter::appendRows(int first, int last)
{
    // The titles are only ever added after the rows there are.
    if (first != m_source->rowCount() - (last - first + 1)) {
        refilter();
        return;
    }
    std::vector<int> added;
    for (int row = first; row <= last; ++row) {
        if (accepts(row))
            added.push_back(row);
    }
    if (added.empty())
        return;
    const int at = int(m_rows.size());
    beginInsertRows({}, at, at + int(added.size()) - 1);
    m_rows.insert(m_rows.end(), added.begin(), added.end());
    endInsertRows();
}
