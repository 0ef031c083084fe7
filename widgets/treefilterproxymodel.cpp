#include "treefilterproxymodel.h"

TreeFilterProxyModel::TreeFilterProxyModel(QObject *parent) : QSortFilterProxyModel(parent) {}

TreeFilterProxyModel::~TreeFilterProxyModel() = default;

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
