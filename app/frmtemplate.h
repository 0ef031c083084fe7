#pragma once

#include <QWidget>

// Placeholder until the page is built.
class Frmtemplate : public QWidget
{
    Q_OBJECT

public:
    static Frmtemplate *Instance();
    explicit Frmtemplate(QWidget *parent = nullptr);
};
