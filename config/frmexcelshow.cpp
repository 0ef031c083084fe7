#include "frmexcelshow.h"

#include "common/singleinstance.h"

FrmExcelShow *FrmExcelShow::Instance()
{
    return PageInstance<FrmExcelShow>::get();
}

FrmExcelShow::FrmExcelShow(QWidget *parent) : QWidget(parent) {}
