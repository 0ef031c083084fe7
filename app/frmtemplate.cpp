#include "frmtemplate.h"

#include "common/singleinstance.h"

Frmtemplate *Frmtemplate::Instance()
{
    return PageInstance<Frmtemplate>::get();
}

Frmtemplate::Frmtemplate(QWidget *parent) : QWidget(parent) {}
