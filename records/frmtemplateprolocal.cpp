#include "frmtemplateprolocal.h"

#include <QVBoxLayout>

#include "common/shareddefs.h"
#include "common/singleinstance.h"
#include "records/recordtable.h"

FrmTemplateProLocal *FrmTemplateProLocal::Instance()
{
    return PageInstance<FrmTemplateProLocal>::get();
}

// The local table has no filter; its buttons have no faces.
FrmTemplateProLocal::FrmTemplateProLocal(QWidget *parent)
    : QWidget(parent), m_table(new RecordTable(2, g_templateHeaders, 12, false, this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table);
}
