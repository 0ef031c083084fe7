#include "frmtemplateproremote.h"

#include <QDebug>

#include "common/appstate.h"
#include "common/singleinstance.h"
#include "common/userrights.h"

FrmTemplateProRemote *FrmTemplateProRemote::Instance()
{
    return PageInstance<FrmTemplateProRemote>::get();
}

FrmTemplateProRemote::FrmTemplateProRemote(QWidget *parent) : QWidget(parent) {}

void FrmTemplateProRemote::startPainting(const QString &recordId)
{
    if (!currentUserHolds(QStringLiteral("business:template:paint"))) {
        qWarning().noquote() << "无权限开始绘制模板";
        return;
    }
    g_currentTemplate.id = recordId;
    emit changeStackWidget();
}
