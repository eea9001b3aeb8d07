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
