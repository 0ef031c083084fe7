#include "treeitem.h"

#include "config/vehicleconfig.h"

TreeItem::TreeItem(TreeItem *parent) : parent(parent) {}

TreeItem::~TreeItem()
{
    qDeleteAll(children);
    children.clear();
}

void TreeItem::appendChild(TreeItem *child)
{
    child->m_row = children.size();
    children.append(child);
}

void TreeItem::removeChild(int row)
{
    if (row < 0 || row >= children.size())
        return;
    delete children.takeAt(row);
    // Views and proxies take the stored row as the node's position: keep it true.
    for (int i = row; i < children.size(); ++i)
        children.at(i)->m_row = i;
}

QVariant TreeItem::data(int column) const
{
    if (column != 0 || !m_payload)
        return QVariant();
    return m_payload->name;
}
