#pragma once

#include <QHeaderView>

// A header with clickable sections that reports the clicked column.
class MyFIlterHeaderView : public QHeaderView
{
    Q_OBJECT

public:
    explicit MyFIlterHeaderView(Qt::Orientation orientation, QWidget *parent = nullptr);

signals:
    void columnSectionClicked(int logicalIndex);
};
