#pragma once

#include <QAbstractListModel>
#include <QByteArray>
#include <QList>

// The rows of a hidden string table: a view of lines held elsewhere (by the TAB session), kept
// as bytes so that every byte of the file survives, and decoded for display only when a row is
// asked for. The table holds no line itself, so no line outlives the bytes it points into.
class LineModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    // Shows `lines`, which must stay alive until the next show() or clear(); the owner calls
    // show() again (or linesChanged()) whenever it changes them.
    void show(const QList<QByteArray> *lines);
    void clear() { show(nullptr); }
    // Rows first..last of the lines shown changed, their number kept.
    void linesChanged(int first, int last);
    qsizetype count() const { return m_lines ? m_lines->size() : 0; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    const QList<QByteArray> *m_lines = nullptr;
};
