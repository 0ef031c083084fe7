#include "femcraftitem.h"

#include <QDebug>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "common/appstate.h"
#include "common/singleinstance.h"
#include "config/craftfileparser.h"
#include "widgets/treefilterproxymodel.h"
#include "widgets/treeitem.h"
#include "widgets/treemodel.h"

FemCraftItem *FemCraftItem::Instance()
{
    return PageInstance<FemCraftItem>::get();
}

FemCraftItem::FemCraftItem(QWidget *parent)
    : QWidget(parent), m_tree(new QTreeView(this)), m_filter(new TreeFilterProxyModel(this)),
      m_upload(new QPushButton("上传", this))
{
    m_tree->setModel(m_filter);
    m_tree->setHeaderHidden(true);
    m_tree->setObjectName("treeView");
    m_upload->setObjectName("btn_upload");
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tree);
    layout->addWidget(m_upload, 0, Qt::AlignRight);
    connect(m_upload, &QPushButton::clicked, this, &FemCraftItem::upload);
}

bool FemCraftItem::GetAllowLeave() const
{
    return g_allowLeave;
}

void FemCraftItem::InitItemGUI()
{
    g_allowLeave = false;
    QList<VehicleConfig> parsed;
    QString error;
    const bool ok = parseCraftFile(g_fileDataText, &parsed, &error);
    // Also on failure: the old tree must not outlive the records it points at.
    showConfiguration(parsed);
    if (!ok) {
        qCritical().noquote() << "工艺文件解析失败：" + error;
        g_allowLeave = true;
    }
}

void FemCraftItem::showConfiguration(const QList<VehicleConfig> &configuration)
{
    TreeModel *previous = m_model;
    m_configuration = configuration;
    m_model = new TreeModel({QString()}, m_tree);
    appendNodes(m_model->rootItem(), m_configuration);
    m_filter->setSourceModel(m_model);
    m_tree->expandAll();
    delete previous;
}

void FemCraftItem::appendNodes(TreeItem *parent, QList<VehicleConfig> &records)
{
    for (VehicleConfig &record : records) {
        auto *node = new TreeItem(parent);
        node->setPayload(&record);
        parent->appendChild(node);
        appendNodes(node, record.children);
    }
}

void FemCraftItem::upload()
{
    // Sending the file belongs to the server requests; here uploading ends the edit.
    g_allowLeave = true;
}
