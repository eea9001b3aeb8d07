#include "objectmodel.h"

#include "sectionreader.h"

#include <algorithm>

void ObjectModel::list(const QList<QByteArray> &section, int rangeStart, int rangeEnd)
{
    beginResetModel();
    m_section = section;
    m_rangeStart = rangeStart;
    m_rangeEnd = rangeEnd;
    m_setLines = SectionReader::objectLines(section, rangeStart, rangeEnd);
    endResetModel();
}

void ObjectModel::refresh(const QList<QByteArray> &section, int first, int last)
{
    const int from = qMax(first, m_rangeStart);
    const int to = qMin(last, m_rangeEnd);
    if (section.size() != m_section.size() || from > to) {
        list(section, m_rangeStart, m_rangeEnd);
        return;
    }
    const QList<int> changed = SectionReader::objectLines(section, from, to);
    const auto begin = std::lower_bound(m_setLines.cbegin(), m_setLines.cend(), from);
    const auto end = std::upper_bound(begin, m_setLines.cend(), to);
    if (end - begin != changed.size()) {
        list(section, m_rangeStart, m_rangeEnd);
        return;
    }
    const int row = int(begin - m_setLines.cbegin());
    m_section = section;
    std::copy(changed.cbegin(), changed.cend(), m_setLines.begin() + row);
    if (!changed.isEmpty())
        Q_EMIT dataChanged(index(row, 0), index(row + int(changed.size()) - 1, 1));
}

void ObjectModel::clear()
{
    beginResetModel();
    m_section.clear();
    m_setLines.clear();
    endResetModel();
}

QString ObjectModel::entry(int row) const
{
    if (row < 0 || row >= m_setLines.size())
        return {};
    const int line = m_setLines.at(row);
    return SectionReader::objectEntry(m_section.at(line), line, row + 1);
}

int ObjectModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_setLines.size());
}

int ObjectModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant ObjectModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_setLines.size())
        return {};
    return index.column() == 0 ? entry(index.row()) : QString::number(index.row() + 1);
}
