#pragma once

#include <QAbstractListModel>
#include <QByteArray>
#include <QList>

// The rows of a hidden string table: lines kept as bytes, so every byte of the file survives,
// and decoded for display only when a row is asked for.
class LineModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    const QList<QByteArray> &lines() const { return m_lines; }
    void setLines(QList<QByteArray> lines);
    // The same number of lines, of which only rows first..last differ from those held.
    void replaceLines(QList<QByteArray> lines, int first, int last);
    // `joined` holds exactly the lines, each ended by CR LF: each line becomes a view of its
    // place there, so the lines keep no other buffer alive. `joined` must outlive them.
    void pointInto(const QByteArray &joined);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QList<QByteArray> m_lines;
};
