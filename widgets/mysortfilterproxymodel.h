#pragma once

#include <QMap>
#include <QSortFilterProxyModel>
#include <QString>

// Narrows a record table to the rows in which at least one mapped column contains its
// text (case-sensitive substring). Empty texts are skipped; an empty map shows nothing.
class MySortFilterProxyModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit MySortFilterProxyModel(QObject *parent = nullptr);
    ~MySortFilterProxyModel() override;

    QMap<int, QString> filterMap() const { return m_filterMap; }

public slots:
    // Replaces the whole map and tests every source row again.
    void SetFilterMap(const QMap<int, QString> &filterMap);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    // The tables never sort: every pair compares as less.
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    QMap<int, QString> m_filterMap;
};
