#include "objectmodel.h"

void ObjectModel::setObjects(QList<SectionReader::Object> objects)
{
    beginResetModel();
    m_objects = std::move(objects);
    endResetModel();
}

void ObjectModel::updateObjects(QList<SectionReader::Object> objects, int first, int last)
{
    if (objects.size() != m_objects.size() || first < 0 || last >= objects.size()) {
        setObjects(std::move(objects));
        return;
    }
    m_objects = std::move(objects);
    if (first <= last)
        Q_EMIT dataChanged(index(first, 0), index(last, 1));
}

int ObjectModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

int ObjectModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant ObjectModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    const SectionReader::Object &row = m_objects.at(index.row());
    if (role == BlockRole)
        return row.block;
    if (role != Qt::DisplayRole)
        return {};
    return index.column() == 0 ? SectionReader::objectText(row) : QString::number(row.ordinal);
}

void FormModel::setForms(QList<SectionReader::Form> forms)
{
    beginResetModel();
    m_forms = std::move(forms);
    endResetModel();
}

int FormModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_forms.size());
}

QVariant FormModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_forms.size())
        return {};
    const SectionReader::Form &form = m_forms.at(index.row());
    if (role == StartLineRole)
        return form.startLine;
    if (role != Qt::DisplayRole)
        return {};
    return SectionReader::formText(form);
}
