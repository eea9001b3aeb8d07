#pragma once

#include "sectionreader.h"

#include <QAbstractListModel>
#include <QAbstractTableModel>
#include <QList>

// The object list of a form range, one row per object {ordinal, name, block}: column 0 shows
// its entry (ordinal, name and, out of view, its block index), column 1 its ordinal (the
// positions a TAB can take). The texts are made only for the rows that are shown; BlockRole
// gives the block index, so nothing is ever read back from a text.
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

private:
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
