#include "frmcraftalgorithm.h"

#include "common/singleinstance.h"

FrmCraftAlgorithm *FrmCraftAlgorithm::Instance()
{
    return PageInstance<FrmCraftAlgorithm>::get();
}

FrmCraftAlgorithm::FrmCraftAlgorithm(QWidget *parent) : QWidget(parent) {}
