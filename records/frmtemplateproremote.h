#pragma once

#include <QWidget>

// The template record table page; its table comes with the record tables.
class FrmTemplateProRemote : public QWidget
{
    Q_OBJECT

public:
    static FrmTemplateProRemote *Instance();
    explicit FrmTemplateProRemote(QWidget *parent = nullptr);

public slots:
    // The paint button of the template row with this record id: needs the paint right.
    void startPainting(const QString &recordId);

signals:
    // The current template's id is set; the template section opens the painting page.
    void changeStackWidget();
};
