#include "frmcraft.h"

#include "common/singleinstance.h"

frmCraft *frmCraft::Instance()
{
    return PageInstance<frmCraft>::get();
}

frmCraft::frmCraft(QWidget *parent) : QWidget(parent) {}
