#pragma once

#include <QWidget>

// Placeholder until the page is built.
class FrmTemplateProLocal : public QWidget
{
    Q_OBJECT

public:
    static FrmTemplateProLocal *Instance();
    explicit FrmTemplateProLocal(QWidget *parent = nullptr);
};
