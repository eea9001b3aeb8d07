#include "linemodel.h"

void LineModel::setLines(QList<QByteArray> lines)
{
    beginResetModel();
    m_lines = std::move(lines);
    endResetModel();
}

void LineModel::replaceLines(QList<QByteArray> lines, int first, int last)
{
    if (lines.size() != m_lines.size() || first < 0 || last < first || last >= lines.size()) {
        setLines(std::move(lines));
        return;
    }
    m_lines = std::move(lines);
    Q_EMIT dataChanged(index(first), index(last));
}

void LineModel::pointInto(const QByteArray &joined)
{
    qsizetype at = 0;
    for (QByteArray &line : m_lines) {
        const qsizetype size = line.size();
        Q_ASSERT(at + size + 2 <= joined.size());
        line = QByteArray::fromRawData(joined.constData() + at, size);
        at += size + 2;
    }
}

int LineModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_lines.size());
}

QVariant LineModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_lines.size())
        return {};
    return QString::fromLocal8Bit(m_lines.at(index.row()));
}
