#include "femcraftitem.h"

#include <QDebug>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "common/appstate.h"
#include "common/singleinstance.h"
#include "config/craftfileparser.h"

FemCraftItem *FemCraftItem::Instance()
{
    return PageInstance<FemCraftItem>::get();
}

FemCraftItem::FemCraftItem(QWidget *parent)
    : QWidget(parent), m_tree(new QTreeView(this)), m_upload(new QPushButton("上传", this))
{
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
    QString error;
    if (!parseCraftFile(g_fileDataText, &m_configuration, &error)) {
        qCritical().noquote() << "工艺文件解析失败：" + error;
        g_allowLeave = true;
    }
}

void FemCraftItem::upload()
{
    // Sending the file belongs to the server requests; here uploading ends the edit.
    g_allowLeave = true;
}
