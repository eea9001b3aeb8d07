#include "linemodel.h"

void LineModel::show(const QList<QByteArray> *lines)
{
    beginResetModel();
    m_lines = lines && !lines->isEmpty() ? lines : nullptr;
    endResetModel();
}

void LineModel::linesChanged(int first, int last)
{
    if (first < 0 || last < first || last >= count())
        return;
    Q_EMIT dataChanged(index(first), index(last));
}

int LineModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(count());
}

QVariant LineModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= count())
        return {};
    return QString::fromLocal8Bit(m_lines->at(index.row()));
}
