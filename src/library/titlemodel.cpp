#include "titlemodel.h"

void TitleModel::appendText(const QString &text)
{
    const int row = int(m_rows.size());
    beginInsertRows({}, row, row);
    m_rows.append({m_texts.size(), -1});
    m_texts.append(text);
    endInsertRows();
}

void TitleModel::appendTitles(const QByteArray &file)
{
    // The rows of an earlier file keep spans of it: its bytes stay, as a text of their own.
    if (!m_file.isEmpty()) {
        for (StoredCode::Span &row : m_rows) {
            if (row.size >= 0) {
                m_texts.append(
                    QString::fromLocal8Bit(QByteArrayView(m_file).sliced(row.at, row.size)));
                row = {m_texts.size() - 1, -1};
            }
        }
    }
    const QList<StoredCode::Span> spans = StoredCode::titleSpans(file);
    if (spans.isEmpty())
        return;
    const int row = int(m_rows.size());
    beginInsertRows({}, row, row + int(spans.size()) - 1);
    m_file = file;
    m_rows.append(spans);
    endInsertRows();
}

void TitleModel::replaceTitles(int keptRows, const QByteArray &file)
{
    beginResetModel();
    QList<StoredCode::Span> kept = m_rows.first(qMin(qsizetype(keptRows), m_rows.size()));
    QStringList texts;
    for (StoredCode::Span &row : kept) {
        texts.append(data(index(int(&row - kept.data())), Qt::DisplayRole).toString());
        row = {texts.size() - 1, -1};
    }
    m_texts = texts;
    m_rows = kept;
    m_file = file;
    m_rows.append(StoredCode::titleSpans(file));
    endResetModel();
}

int TitleModel::repeatsAfter(int row) const
{
    const QString title = data(index(row), Qt::DisplayRole).toString();
    int count = 0;
    for (int later = row + 1; later < m_rows.size(); ++later)
        count += data(index(later), Qt::DisplayRole).toString() == title ? 1 : 0;
    return count;
}

bool TitleModel::listsTitlesOf(int keptRows, const QByteArray &file) const
{
    const QList<StoredCode::Span> spans = StoredCode::titleSpans(file);
    if (m_rows.size() - keptRows != spans.size())
        return false;
    for (qsizetype i = 0; i < spans.size(); ++i) {
        const StoredCode::Span &row = m_rows.at(keptRows + i);
        const QByteArrayView title = QByteArrayView(file).sliced(spans.at(i).at, spans.at(i).size);
        // A title stored in this run went to the file in the code page.
        const bool same = row.size >= 0 ? QByteArrayView(m_file).sliced(row.at, row.size) == title
                                        : m_texts.at(row.at).toLocal8Bit() == title;
        if (!same)
            return false;
    }
    return true;
}

int TitleModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant TitleModel::data(const QModelIndex &index, int role) const
{
    if ((role != Qt::DisplayRole && role != Qt::EditRole) || !index.isValid() ||
        index.row() >= m_rows.size())
        return {};
    const StoredCode::Span &row = m_rows.at(index.row());
    if (row.size < 0)
        return m_texts.at(row.at);
    return QString::fromLocal8Bit(QByteArrayView(m_file).sliced(row.at, row.size));
}

TitleFilter::TitleFilter(int keptRows, QObject *parent)
    : QSortFilterProxyModel(parent), m_keptRows(keptRows)
{
}

void TitleFilter::setFilter(const QString &text, const QList<bool> &entryMatches)
{
    m_text = text;
    m_matches = entryMatches;
    invalidateFilter();
}

int TitleFilter::sourceRow(int shownRow) const
{
    return shownRow < 0 ? shownRow : mapToSource(index(shownRow, 0)).row();
}

bool TitleFilter::filterAcceptsRow(int row, const QModelIndex &parent) const
{
    if (row < m_keptRows || m_text.isEmpty())
        return true;
    if (m_matches.size() == sourceModel()->rowCount(parent) - m_keptRows)
        return m_matches.at(row - m_keptRows);
    return sourceModel()
        ->index(row, 0, parent)
        .data()
        .toString()
        .contains(m_text, Qt::CaseInsensitive);
}
