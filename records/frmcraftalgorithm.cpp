#include "frmcraftalgorithm.h"

#include <QVBoxLayout>

#include "common/shareddefs.h"
#include "common/singleinstance.h"
#include "records/recordtable.h"

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
    // The record operations (edit, delete) come with the record editor.
    m_table->setOperationGlyphs({0xF013, 0xF014});
}
