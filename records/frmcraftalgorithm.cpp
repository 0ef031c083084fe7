#include "frmcraftalgorithm.h"

#include <QVBoxLayout>

#include "common/shareddefs.h"
#include "common/singleinstance.h"
#include "records/recordtable.h"
#include "widgets/delegatetool.h"

FrmCraftAlgorithm *FrmCraftAlgorithm::Instance()
{
    return PageInstance<FrmCraftAlgorithm>::get();
}

FrmCraftAlgorithm::FrmCraftAlgorithm(QWidget *parent)
    : QWidget(parent), m_table(new RecordTable(1, g_algorithmHeaders, 5, true, this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table);
    m_table->setOperationGlyphs({0xF013, 0xF014});
    connect(m_table->operationsDelegate(), &DelegateTool::buttonClicked, this,
            &FrmCraftAlgorithm::on_buttonClicked);
}

void FrmCraftAlgorithm::on_buttonClicked(int btnIndex, const QModelIndex &index)
{
    // The record operations themselves come with the record editor.
    Q_UNUSED(btnIndex);
    Q_UNUSED(index);
}
