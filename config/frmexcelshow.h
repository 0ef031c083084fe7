#pragma once

#include <QWidget>

// The part-code workbook page of the settings section; empty until the workbook is built.
class FrmExcelShow : public QWidget
{
    Q_OBJECT

public:
    static FrmExcelShow *Instance();
    explicit FrmExcelShow(QWidget *parent = nullptr);
};
