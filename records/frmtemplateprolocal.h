#pragma once

#include <QWidget>

// The local template page; its table comes with the record tables.
class FrmTemplateProLocal : public QWidget
{
    Q_OBJECT

public:
    static FrmTemplateProLocal *Instance();
    explicit FrmTemplateProLocal(QWidget *parent = nullptr);
};
