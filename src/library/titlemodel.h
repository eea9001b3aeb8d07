#pragma once

#include "storedcode.h"

#include <QAbstractListModel>
#include <QByteArray>
#include <QList>
#include <QStringList>

// The entries of the category and title list: texts (the categories, the titles stored in
// this session) and the titles of a stored-code file, kept as the file's bytes and decoded
// only for the rows that are shown.
class TitleModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    // Appends one row.
    void appendText(const QString &text);
    // Appends one row per title of the file's bytes, which the model keeps.
    void appendTitles(const QByteArray &file);
    // Keeps the first rows (the categories) and lists the titles of the file after them: the
    // list after the file was rewritten.
    void replaceTitles(int keptRows, const QByteArray &file);
    // How many rows after this one show the same text: 0 for the last row of a title. The
    // rows of a repeated title stand for its entries in file order.
    int repeatsAfter(int row) const;
    // Whether the rows after the first ones are the titles of the file, byte for byte.
    bool listsTitlesOf(int keptRows, const QByteArray &file) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    // A row is a span of m_file, or the text m_texts[at] when size is negative.
    QList<StoredCode::Span> m_rows;
    QStringList m_texts;
    QByteArray m_file;
};
