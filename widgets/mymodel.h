#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

#include "common/recordtypes.h"

// The record tables' model: holds the craft, algorithm and template lists side by
// side and shows the one chosen by the model type (0 craft, 1 algorithm, 2 template).
class MyModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit MyModel(QObject *parent = nullptr);
    ~MyModel() override;

    // Neither sends a reset: both are set before the model reaches a view.
    void setModelType(int type);
    void setHeaders(const QStringList &headers);
    int modelType() const { return m_modelType; }

    // Each replaces its list with a model reset, whichever type is shown.
    void setCraftList(const QList<ModelCraftDataItem> &list);
    void setAlgorithmList(const QList<ModelCraftAlgorithmItem> &list);
    void setTemplateList(const QList<ModelTemplateProItem> &list);

    // A flat table: a valid parent has no rows and no columns.
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // Removes exactly the rows row to row + count - 1 of the shown list.
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;

private:
    // The field shown at (row, column); null outside the shown kind's range.
    template <typename Self>
    static auto fieldOf(Self &self, int row, int column) -> decltype(&self.craftList[0].id);
    QVariant recordAt(int row) const;

    QList<ModelCraftDataItem> craftList;
    QList<ModelCraftAlgorithmItem> algorithmList;
    QList<ModelTemplateProItem> templateList;
    QStringList headers;
    QList<int> markedRows;
    int m_modelType = -1;
};
