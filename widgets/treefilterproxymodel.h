#pragma once

#include <QSortFilterProxyModel>

// Shows a node when it matches the pattern or when any node below it does.
class TreeFilterProxyModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit TreeFilterProxyModel(QObject *parent = nullptr);
    ~TreeFilterProxyModel() override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool filterAcceptsColumn(int sourceColumn, const QModelIndex &sourceParent) const override;
};
