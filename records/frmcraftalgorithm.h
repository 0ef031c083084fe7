#pragma once

#include <QWidget>

class RecordTable;

// The algorithm record table page; its table comes with the record tables.
class FrmCraftAlgorithm : public QWidget
{
    Q_OBJECT

public:
    static FrmCraftAlgorithm *Instance();
    explicit FrmCraftAlgorithm(QWidget *parent = nullptr);

    RecordTable *table() const { return m_table; }

private:
    RecordTable *m_table;
};
