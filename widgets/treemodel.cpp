#include "treemodel.h"

#include "widgets/treeitem.h"

TreeModel::TreeModel(const QStringList &headers, QObject *parent)
    : QAbstractItemModel(parent), headers(headers), root(new TreeItem(nullptr))
{}

TreeModel::~TreeModel()
{
    delete root;
}

TreeItem *TreeModel::item(const QModelIndex &index) const
{
    return index.isValid() ? static_cast<TreeItem *>(index.internalPointer()) : nullptr;
}

TreeItem *TreeModel::itemFromIndex(const QModelIndex &index) const
{
    return index.isValid() ? static_cast<TreeItem *>(index.internalPointer()) : root;
}

QModelIndex TreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!hasIndex(row, column, parent))
        return QModelIndex();
    TreeItem *child = itemFromIndex(parent)->child(row);
    return child ? createIndex(row, column, child) : QModelIndex();
}

QModelIndex TreeModel::parent(const QModelIndex &index) const
{
    if (!index.isValid())
        return QModelIndex();
    TreeItem *parentNode = item(index)->parentItem();
    if (!parentNode || parentNode == root)
        return QModelIndex();
    return createIndex(parentNode->row(), 0, parentNode);
}

int TreeModel::rowCount(const QModelIndex &parent) const
{
    if (parent.column() > 0)
        return 0;
    const TreeItem *node = itemFromIndex(parent);
    return node->childCount() - (node == m_announcedParent ? m_announcedCount : 0);
}

int TreeModel::columnCount(const QModelIndex &) const
{
    return headers.size();
}

QVariant TreeModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return QVariant();
    return item(index)->data(index.column());
}

QVariant TreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < headers.size())
        return headers.at(section);
    return QVariant();
}

bool TreeModel::insertRows(int row, int count, const QModelIndex &parent)
{
    // The caller has appended the nodes already: announcing rows that are not there
    // would leave the views and proxies pointing past the children.
    TreeItem *parentNode = itemFromIndex(parent);
    if (row < 0 || count < 1 || row + count > parentNode->childCount())
        return false;
    // Views and proxies read the rows as they stood before the insertion while it is
    // announced; counting the appended nodes there would count them twice.
    m_announcedParent = parentNode;
    m_announcedCount = count;
    beginInsertRows(parent, row, row + count - 1);
    m_announcedParent = nullptr;
    endInsertRows();
    return true;
}

bool TreeModel::insertColumns(int, int, const QModelIndex &)
{
    return true;
}

bool TreeModel::removeRows(int row, int count, const QModelIndex &parent)
{
    TreeItem *parentNode = itemFromIndex(parent);
    // An out-of-range request would announce rows that do not exist and corrupt the views.
    if (row < 0 || count < 1 || row + count > parentNode->childCount())
        return false;
    beginRemoveRows(parent, row, row + count - 1);
    for (int i = 0; i < count; ++i)
        parentNode->removeChild(row);
    endRemoveRows();
    return true;
}

bool TreeModel::removeColumns(int, int, const QModelIndex &)
{
    return true;
}
