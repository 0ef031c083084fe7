#include "frmtemplateproremote.h"

#include <QDebug>
#include <QVBoxLayout>

#include "common/appstate.h"
#include "common/singleinstance.h"
#include "common/shareddefs.h"
#include "common/userrights.h"
#include "records/recordtable.h"
#include "widgets/delegatetool.h"

FrmTemplateProRemote *FrmTemplateProRemote::Instance()
{
    return PageInstance<FrmTemplateProRemote>::get();
}

namespace {
constexpr int PaintButton = 2;
}

FrmTemplateProRemote::FrmTemplateProRemote(QWidget *parent)
    : QWidget(parent), m_table(new RecordTable(2, g_templateHeaders, 12, true, this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table);
    m_table->setOperationGlyphs({0xF013, 0xF014, 0xF0D0, 0xF0EE, 0xF0ED});
    m_table->showCameraStates();
    connect(m_table->operationsDelegate(), &DelegateTool::buttonClicked, this,
            &FrmTemplateProRemote::on_buttonClicked);
}

void FrmTemplateProRemote::on_buttonClicked(int btnIndex, const QModelIndex &index)
{
    // Paint opens the painting page; the other operations come with the record editor.
    if (btnIndex == PaintButton)
        startPainting(RecordTable::recordId(index));
}

void FrmTemplateProRemote::startPainting(const QString &recordId)
{
    if (!currentUserHolds(QStringLiteral("business:template:paint"))) {
        qWarning().noquote() << "无权限开始绘制模板";
        return;
    }
    g_currentTemplate.id = recordId;
    emit changeStackWidget();
}
