#include "frmtemplateprolocal.h"

#include "common/singleinstance.h"

FrmTemplateProLocal *FrmTemplateProLocal::Instance()
{
    return PageInstance<FrmTemplateProLocal>::get();
}

FrmTemplateProLocal::FrmTemplateProLocal(QWidget *parent) : QWidget(parent) {}
