#include "frmconfigbasic.h"

#include "common/singleinstance.h"

FrmConfigBasic *FrmConfigBasic::Instance()
{
    return PageInstance<FrmConfigBasic>::get();
}

FrmConfigBasic::FrmConfigBasic(QWidget *parent) : QWidget(parent) {}
