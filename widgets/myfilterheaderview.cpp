#include "myfilterheaderview.h"

MyFIlterHeaderView::MyFIlterHeaderView(Qt::Orientation orientation, QWidget *parent)
    : QHeaderView(orientation, parent)
{
    setSectionsClickable(true);
    connect(this, &QHeaderView::sectionClicked, this, &MyFIlterHeaderView::columnSectionClicked);
}
