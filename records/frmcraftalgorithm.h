#pragma once

#include <QModelIndex>
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

public slots:
    // A button of the operations column: 0 edit, 1 delete.
    void on_buttonClicked(int btnIndex, const QModelIndex &index);

private:
    RecordTable *m_table;
};
