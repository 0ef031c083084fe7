#pragma once

#include <QWidget>

class RecordTable;

// The craft record table page; its table comes with the record tables.
class FrmCraftRemoteData : public QWidget
{
    Q_OBJECT

public:
    static FrmCraftRemoteData *Instance();
    explicit FrmCraftRemoteData(QWidget *parent = nullptr);

    RecordTable *table() const { return m_table; }

public slots:
    // The item-point button of the craft row with this record id: needs the item right.
    void openItemPoints(const QString &recordId);

signals:
    // The current craft's id is set; the craft section opens the item-point editor.
    void setDataChangeView();

private:
    RecordTable *m_table;
};
