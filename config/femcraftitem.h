#pragma once

#include <QList>
#include <QWidget>

#include "config/vehicleconfig.h"

class QPushButton;
class QTreeView;
class TreeFilterProxyModel;
class TreeItem;
class TreeModel;

// The item-point editor: the configuration tree of the craft record last acted on.
class FemCraftItem : public QWidget
{
    Q_OBJECT

public:
    static FemCraftItem *Instance();
    explicit FemCraftItem(QWidget *parent = nullptr);

    // The program-wide allow-leave flag, unchanged.
    bool GetAllowLeave() const;
    // Loads the downloaded craft file text into the editor; leaving is refused until the
    // file is uploaded, unless the text does not parse.
    void InitItemGUI();

    const QList<VehicleConfig> &configuration() const { return m_configuration; }
    TreeModel *model() const { return m_model; }
    QTreeView *treeView() const { return m_tree; }
    QPushButton *uploadButton() const { return m_upload; }

private:
    void showConfiguration(const QList<VehicleConfig> &configuration);
    void appendNodes(TreeItem *parent, QList<VehicleConfig> &records);
    void upload();

    QList<VehicleConfig> m_configuration; // the records the tree's nodes point at
    QTreeView *m_tree = nullptr;
    TreeModel *m_model = nullptr;
    TreeFilterProxyModel *m_filter = nullptr;
    QPushButton *m_upload = nullptr;
};
