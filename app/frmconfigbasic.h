#pragma once

#include <QWidget>

// Placeholder until the page is built.
class FrmConfigBasic : public QWidget
{
    Q_OBJECT

public:
    static FrmConfigBasic *Instance();
    explicit FrmConfigBasic(QWidget *parent = nullptr);

signals:
    void showhideLog(int state);
};
