#pragma once

#include <QAbstractItemModel>
#include <QStringList>

class TreeItem;

// A read-only model over a TreeItem tree. Users append nodes themselves and then call
// insertRows to notify the views; removeRows deletes the nodes.
class TreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    explicit TreeModel(const QStringList &headers, QObject *parent = nullptr);
    ~TreeModel() override;

    TreeItem *rootItem() const { return root; }

    QModelIndex index(int row, int column,
                      const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &index) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // Only announces rows the caller has already appended under parent, which are not counted
    // until the announcement has been delivered; false, announcing nothing, for rows that are
    // not there.
    bool insertRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    bool insertColumns(int column, int count, const QModelIndex &parent = QModelIndex()) override;
    // Deletes the children at row to row + count - 1 with their subtrees; payloads stay.
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    bool removeColumns(int column, int count, const QModelIndex &parent = QModelIndex()) override;

public slots:
    // The node of an index of this model; null for the invalid index.
    TreeItem *item(const QModelIndex &index) const;
    // The node of an index of this model; the root for the invalid index.
    TreeItem *itemFromIndex(const QModelIndex &index) const;

private:
    QStringList headers;
    TreeItem *root;
    // The parent whose appended nodes insertRows is announcing, and how many there are.
    const TreeItem *m_announcedParent = nullptr;
    int m_announcedCount = 0;
};
