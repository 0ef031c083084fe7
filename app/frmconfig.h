#pragma once

#include <QWidget>

// Placeholder until the page is built.
class frmConfig : public QWidget
{
    Q_OBJECT

public:
    static frmConfig *Instance();
    explicit frmConfig(QWidget *parent = nullptr);
};
