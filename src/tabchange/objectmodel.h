#pragma once

#include "sectionreader.h"

#include <QAbstractListModel>
#include <QAbstractTableModel>
#include <QList>

// The object list of a form range, one row per object {ordinal, name, block}: column 0 shows
// its entry (ordinal, name and, out of view, its block index), column 1 its ordinal (the
// positions a TAB can take). The texts are made only for the rows that are shown; BlockRole
// gives the block index, so nothing is ever read back from a text.
//
// A row dragged within the list and dropped is not moved here: dropped(row, position) asks
// for the TAB change, which rebuilds the rows once it is done.
class ObjectModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Role { BlockRole = Qt::UserRole };

    using QAbstractTableModel::QAbstractTableModel;

    void setObjects(QList<SectionReader::Object> objects);
    // The same number of rows, of which only first..last differ from those held.
    void updateObjects(QList<SectionReader::Object> objects, int first, int last);
    void clear() { setObjects({}); }

    int count() const { return int(m_objects.size()); }
    const SectionReader::Object &object(int row) const { return m_objects.at(row); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    Qt::ItemFlags flags(const QModelIndex &index) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                         const QModelIndex &parent) const override;
    // Says dropped() and moves nothing, so it gives false.
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;

Q_SIGNALS:
    // The object of `row` was dropped where it takes the TAB position `position` (from 1): on
    // an object, that object's position; between two, the place it lands in.
    void dropped(int row, int position);

private:
    // The row a drag of this model carries; -1 when it is no drag of it.
    int draggedRow(const QMimeData *data) const;

    QList<SectionReader::Object> m_objects;
};

// The form table, one row per form {name, startLine} and one per end line: each shows its text
// with the line index after a dash, out of view; StartLineRole gives the index.
class FormModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role { StartLineRole = Qt::UserRole };

    using QAbstractListModel::QAbstractListModel;

    void setForms(QList<SectionReader::Form> forms);
    void clear() { setForms({}); }
    const SectionReader::Form &form(int row) const { return m_forms.at(row); }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QList<SectionReader::Form> m_forms;
};
