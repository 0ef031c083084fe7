#pragma once

#include <QList>
#include <QVariant>

struct VehicleConfig;

// One node of a configuration tree. Owns its children, never its payload.
class TreeItem
{
public:
    // The creator sets the payload and then appends the node to the parent.
    explicit TreeItem(TreeItem *parent = nullptr);
    ~TreeItem();
    TreeItem(const TreeItem &) = delete;
    TreeItem &operator=(const TreeItem &) = delete;

    void appendChild(TreeItem *child);
    // Deletes the child at row with its subtree; later siblings move up one row.
    void removeChild(int row);

    TreeItem *child(int row) const { return children.value(row); }
    int childCount() const { return children.size(); }
    TreeItem *parentItem() const { return parent; }
    VehicleConfig *payload() const { return m_payload; }
    void setPayload(VehicleConfig *payload) { m_payload = payload; }
    // Position among the parent's children; -1 until appended.
    int row() const { return m_row; }

    // Column 0 shows the payload's name.
    QVariant data(int column) const;

private:
    QList<TreeItem *> children;
    TreeItem *parent;
    VehicleConfig *m_payload = nullptr;
    int m_row = -1;
};
