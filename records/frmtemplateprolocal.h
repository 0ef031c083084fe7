#pragma once

#include <QWidget>

class RecordTable;

// The local template page; its table comes with the record tables.
class FrmTemplateProLocal : public QWidget
{
    Q_OBJECT

public:
    static FrmTemplateProLocal *Instance();
    explicit FrmTemplateProLocal(QWidget *parent = nullptr);

    RecordTable *table() const { return m_table; }

private:
    RecordTable *m_table;
};
