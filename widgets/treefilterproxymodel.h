#pragma once

#include <QSortFilterProxyModel>

// Shows a node when it matches the pattern or when any node below it does, and keeps
// doing so as the source gains and loses nodes.
class TreeFilterProxyModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit TreeFilterProxyModel(QObject *parent = nullptr);
    ~TreeFilterProxyModel() override;

    void setSourceModel(QAbstractItemModel *sourceModel) override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool filterAcceptsColumn(int sourceColumn, const QModelIndex &sourceParent) const override;
};
