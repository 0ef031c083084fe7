#pragma once

#include <QIcon>
#include <QList>
#include <QVector>
#include <QWidget>
#include <memory>
#include <vector>

#include "common/shareddefs.h"

class QTableView;
class DelegateTool;
class MyFIlterHeaderView;
class MyModel;
class MySortFilterProxyModel;

// The table of a record page: the record model of one kind with the captions and widths
// of its column table, the clickable header, the filter proxy (when the page filters) and
// the push-button delegate of the operations column.
class RecordTable : public QWidget
{
    Q_OBJECT

public:
    // modelType: 0 craft, 1 algorithm, 2 template.
    RecordTable(int modelType, const QVector<TableHeaderItem> &columns, int operationsColumn,
                bool withFilter, QWidget *parent = nullptr);
    ~RecordTable() override;

    QTableView *view() const { return m_view; }
    MyModel *model() const { return m_model.get(); }
    MySortFilterProxyModel *proxy() const { return m_proxy.get(); }
    MyFIlterHeaderView *header() const { return m_header; }
    DelegateTool *operationsDelegate() const { return m_operations.get(); }
    DelegateTool *stateDelegate(int column) const;

    // Button faces of the operations column: one glyph per caption, in the theme's text colour.
    void setOperationGlyphs(const QList<int> &glyphs);
    // Each camera column shows one state image per carriage; a carriage not drawn holds "未".
    void showCameraStates();

    // The record id (column 0) of the row of an index of the shown model.
    static QString recordId(const QModelIndex &index);

public slots:
    // Shows only the rows whose column contains text; an empty text changes nothing.
    void filterRows(int column, const QString &text);

private:
    void applyWidths();

    QVector<int> m_widths;
    QTableView *m_view;
    MyFIlterHeaderView *m_header;
    std::unique_ptr<MyModel> m_model;
    std::unique_ptr<MySortFilterProxyModel> m_proxy;
    std::unique_ptr<DelegateTool> m_operations;
    std::vector<std::unique_ptr<DelegateTool>> m_states;
};
