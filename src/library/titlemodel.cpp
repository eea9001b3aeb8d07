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
