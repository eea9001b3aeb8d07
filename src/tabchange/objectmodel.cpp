#include "objectmodel.h"

#include <QCoreApplication>
#include <QMimeData>

namespace {

const QString rowFormat = QStringLiteral("application/x-brindle-tab-object");

// Which list a drag came from: this process and this model.
QByteArray origin(const ObjectModel *model)
{
    return QByteArray::number(QCoreApplication::applicationPid()) + ' ' +
           QByteArray::number(quintptr(model));
}

} // namespace

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

Qt::ItemFlags ObjectModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (!index.isValid())
        return flags | Qt::ItemIsDropEnabled;
    return flags | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}

QStringList ObjectModel::mimeTypes() const
{
    return {rowFormat};
}

QMimeData *ObjectModel::mimeData(const QModelIndexList &indexes) const
{
    if (indexes.isEmpty() || !indexes.first().isValid())
        return nullptr;
    auto *data = new QMimeData;
    data->setData(rowFormat, origin(this) + ' ' + QByteArray::number(indexes.first().row()));
    return data;
}

int ObjectModel::draggedRow(const QMimeData *data) const
{
    if (!data || !data->hasFormat(rowFormat))
        return -1;
    const QByteArray carried = data->data(rowFormat);
    const QByteArray from = origin(this) + ' ';
    if (!carried.startsWith(from))
        return -1;
    bool ok = false;
    const int row = carried.mid(from.size()).toInt(&ok);
    return ok && row >= 0 && row < count() ? row : -1;
}

// Whatever action the drop says, the data is never moved or copied: only the TAB change is
// asked for.
bool ObjectModel::canDropMimeData(const QMimeData *data, Qt::DropAction action, int, int,
                                  const QModelIndex &) const
{
    return action != Qt::IgnoreAction && draggedRow(data) >= 0;
}

bool ObjectModel::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int,
                               const QModelIndex &parent)
{
    const int from = draggedRow(data);
    if (action == Qt::IgnoreAction || from < 0)
        return false;
    // On an object: its row. Between rows: the place the row lands in once taken out.
    int to = parent.isValid() ? parent.row() : row < 0 ? count() - 1 : row > from ? row - 1 : row;
    to = qBound(0, to, count() - 1);
    Q_EMIT dropped(from, to + 1);
    return false;
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
