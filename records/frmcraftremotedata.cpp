#include "frmcraftremotedata.h"

#include <QDebug>

#include "common/appstate.h"
#include "common/singleinstance.h"
#include "common/userrights.h"

FrmCraftRemoteData *FrmCraftRemoteData::Instance()
{
    return PageInstance<FrmCraftRemoteData>::get();
}

FrmCraftRemoteData::FrmCraftRemoteData(QWidget *parent) : QWidget(parent) {}

void FrmCraftRemoteData::openItemPoints(const QString &recordId)
{
    if (!currentUserHolds(QStringLiteral("business:technology:item"))) {
        qWarning().noquote() << "无权限操作项点";
        return;
    }
    g_currentCraft.id = recordId;
    emit setDataChangeView();
}
