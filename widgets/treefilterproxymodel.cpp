#include "treefilterproxymodel.h"

TreeFilterProxyModel::TreeFilterProxyModel(QObject *parent) : QSortFilterProxyModel(parent) {}

TreeFilterProxyModel::~TreeFilterProxyModel() = default;

void TreeFilterProxyModel::setSourceModel(QAbstractItemModel *source)
{
    if (QAbstractItemModel *previous = sourceModel()) {
        disconnect(previous, &QAbstractItemModel::rowsInserted, this,
                   &TreeFilterProxyModel::invalidateFilter);
        disconnect(previous, &QAbstractItemModel::rowsRemoved, this,
                   &TreeFilterProxyModel::invalidateFilter);
    }
    QSortFilterProxyModel::setSourceModel(source);
    if (!source)
        return;
    // Connected after the base class, so these run once it has taken the change in: a node
    // added under a hidden region, or the last match removed, changes what its ancestors show.
    connect(source, &QAbstractItemModel::rowsInserted, this,
            &TreeFilterProxyModel::invalidateFilter);
    connect(source, &QAbstractItemModel::rowsRemoved, this,
            &TreeFilterProxyModel::invalidateFilter);
}

bool TreeFilterProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    if (QSortFilterProxyModel::filterAcceptsRow(sourceRow, sourceParent))
        return true;
    const QAbstractItemModel *source = sourceModel();
    const QModelIndex node = source->index(sourceRow, 0, sourceParent);
    const int children = source->rowCount(node);
    for (int row = 0; row < children; ++row) {
        if (filterAcceptsRow(row, node))
            return true;
    }
    return false;
}

bool TreeFilterProxyModel::filterAcceptsColumn(int sourceColumn,
                                               const QModelIndex &sourceParent) const
{
    return QSortFilterProxyModel::filterAcceptsColumn(sourceColumn, sourceParent);
}
