#include "treefilterproxymodel.h"

TreeFilterProxyModel::TreeFilterProxyModel(QObject *parent) : QSortFilterProxyModel(parent)
{
    // The tree's users append a node before they announce it. The base class reads the
    // children of a shown parent it has not looked into yet when the announcement starts,
    // so the new node would be counted twice; looking into every shown node as soon as it
    // appears leaves no such parent.
    connect(this, &QAbstractItemModel::rowsInserted, this, &TreeFilterProxyModel::mapShownRows);
    connect(this, &QAbstractItemModel::modelReset, this, &TreeFilterProxyModel::mapAllShownRows);
    connect(this, &QAbstractItemModel::layoutChanged, this, &TreeFilterProxyModel::mapAllShownRows);
}

TreeFilterProxyModel::~TreeFilterProxyModel() = default;

void TreeFilterProxyModel::setSourceModel(QAbstractItemModel *source)
{
    if (QAbstractItemModel *previous = sourceModel()) {
        disconnect(previous, &QAbstractItemModel::rowsInserted, this,
                   &TreeFilterProxyModel::reevaluate);
        disconnect(previous, &QAbstractItemModel::rowsRemoved, this,
                   &TreeFilterProxyModel::reevaluate);
    }
    QSortFilterProxyModel::setSourceModel(source);
    if (!source)
        return;
    // Connected after the base class, so these run once it has taken the change in: a node
    // added under a hidden region, or the last match removed, changes what its ancestors show.
    connect(source, &QAbstractItemModel::rowsInserted, this, &TreeFilterProxyModel::reevaluate);
    connect(source, &QAbstractItemModel::rowsRemoved, this, &TreeFilterProxyModel::reevaluate);
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

void TreeFilterProxyModel::reevaluate()
{
    invalidateFilter();
}

void TreeFilterProxyModel::mapShownRows(const QModelIndex &parent, int first, int last)
{
    for (int row = first; row <= last; ++row) {
        const QModelIndex node = index(row, 0, parent);
        // Asking for the count is what makes the base class look into the node.
        const int children = rowCount(node);
        if (children > 0)
            mapShownRows(node, 0, children - 1);
    }
}

void TreeFilterProxyModel::mapAllShownRows()
{
    const int rows = rowCount();
    if (rows > 0)
        mapShownRows(QModelIndex(), 0, rows - 1);
}
