#include "mysortfilterproxymodel.h"

MySortFilterProxyModel::MySortFilterProxyModel(QObject *parent) : QSortFilterProxyModel(parent) {}

MySortFilterProxyModel::~MySortFilterProxyModel() = default;

void MySortFilterProxyModel::SetFilterMap(const QMap<int, QString> &filterMap)
{
    // A reset rebuilds the mapping lazily, which is far cheaper on wide lists than the
    // row insertions that invalidateFilter() announces when a filter widens.
    beginResetModel();
    m_filterMap = filterMap;
    endResetModel();
}

bool MySortFilterProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    const QAbstractItemModel *source = sourceModel();
    if (!source)
        return false;
    const int columns = source->columnCount(sourceParent);
    // Only the mapped columns are read; a column the source does not have never matches.
    for (auto it = m_filterMap.constBegin(); it != m_filterMap.constEnd(); ++it) {
        if (it.value().isEmpty() || it.key() < 0 || it.key() >= columns)
            continue;
        const QModelIndex cell = source->index(sourceRow, it.key(), sourceParent);
        if (source->data(cell, Qt::DisplayRole).toString().contains(it.value(), Qt::CaseSensitive))
            return true;
    }
    return false;
}

bool MySortFilterProxyModel::lessThan(const QModelIndex &, const QModelIndex &) const
{
    return true;
}
