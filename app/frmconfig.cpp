#include "frmconfig.h"

#include "common/singleinstance.h"

frmConfig *frmConfig::Instance()
{
    return PageInstance<frmConfig>::get();
}

frmConfig::frmConfig(QWidget *parent) : QWidget(parent) {}
