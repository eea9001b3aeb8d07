#pragma once

#include <QAbstractTableModel>
#include <QByteArray>
#include <QList>

// The object list of a form range, one row per object: column 0 its entry (ordinal, name and,
// out of view, its block index, as SectionReader::listObjects gives it), column 1 its ordinal
// (the positions a TAB can take). Entries are made only for the rows that are shown.
class ObjectModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // Lists the objects of the range; the lines must outlive the listing.
    void list(const QList<QByteArray> &section, int rangeStart, int rangeEnd);
    // The section's lines first..last changed, and no line was added or removed: only the rows
    // of objects there are made again (the whole range when their number changed).
    void refresh(const QList<QByteArray> &section, int first, int last);
    void clear();

    int count() const { return int(m_setLines.size()); }
    QString entry(int row) const;
    // The section index of the object's block: its line before the SET line.
    int block(int row) const { return m_setLines.value(row, 0) - 1; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QList<QByteArray> m_section;
    QList<int> m_setLines;
    int m_rangeStart = 0;
    int m_rangeEnd = -1;
};
