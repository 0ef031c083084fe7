#pragma once

#include <QWidget>

// The algorithm record table page; its table comes with the record tables.
class FrmCraftAlgorithm : public QWidget
{
    Q_OBJECT

public:
    static FrmCraftAlgorithm *Instance();
    explicit FrmCraftAlgorithm(QWidget *parent = nullptr);
};
