#include "frmcraftremotedata.h"

#include <QDebug>
#include <QVBoxLayout>

#include "common/appstate.h"
#include "common/singleinstance.h"
#include "common/shareddefs.h"
#include "common/userrights.h"
#include "records/recordtable.h"

FrmCraftRemoteData *FrmCraftRemoteData::Instance()
{
    return PageInstance<FrmCraftRemoteData>::get();
}

FrmCraftRemoteData::FrmCraftRemoteData(QWidget *parent)
    : QWidget(parent), m_table(new RecordTable(0, g_craftHeaders, 8, true, this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table);
    // The record operations (edit, delete, download, upload) come with the record editor.
    m_table->setOperationGlyphs({0xF013, 0xF014, 0xF0ED, 0xF0EE});
}

void FrmCraftRemoteData::openItemPoints(const QString &recordId)
{
    if (!currentUserHolds(QStringLiteral("business:technology:item"))) {
        qWarning().noquote() << "无权限操作项点";
        return;
    }
    g_currentCraft.id = recordId;
    emit setDataChangeView();
}
