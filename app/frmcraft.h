#pragma once

#include <QWidget>

// Placeholder until the page is built.
class frmCraft : public QWidget
{
    Q_OBJECT

public:
    static frmCraft *Instance();
    explicit frmCraft(QWidget *parent = nullptr);
};
