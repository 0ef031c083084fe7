#pragma once

#include <QModelIndex>
#include <QWidget>

class RecordTable;

// The template record table page; its table comes with the record tables.
class FrmTemplateProRemote : public QWidget
{
    Q_OBJECT

public:
    static FrmTemplateProRemote *Instance();
    explicit FrmTemplateProRemote(QWidget *parent = nullptr);

    RecordTable *table() const { return m_table; }

public slots:
    // The paint button of the template row with this record id: needs the paint right.
    void startPainting(const QString &recordId);
    // A button of the operations column: 0 edit, 1 delete, 2 paint, 3 upload, 4 deploy.
    void on_buttonClicked(int btnIndex, const QModelIndex &index);

signals:
    // The current template's id is set; the template section opens the painting page.
    void changeStackWidget();

private:
    RecordTable *m_table;
};
