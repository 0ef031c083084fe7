#include "recordtable.h"

#include <QColor>
#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

#include "widgets/appearance.h"
#include "widgets/delegatetool.h"
#include "widgets/iconhelper.h"
#include "widgets/myfilterheaderview.h"
#include "widgets/mymodel.h"
#include "widgets/mysortfilterproxymodel.h"

RecordTable::RecordTable(int modelType, const QVector<TableHeaderItem> &columns,
                         int operationsColumn, bool withFilter, QWidget *parent)
    : QWidget(parent), m_view(new QTableView(this)), m_model(std::make_unique<MyModel>()),
      m_operations(std::make_unique<DelegateTool>())
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    QStringList captions;
    for (const TableHeaderItem &column : columns) {
        captions << column.text;
        m_widths << column.width;
    }
    m_model->setModelType(modelType);
    m_model->setHeaders(captions);

    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_header = new MyFIlterHeaderView(Qt::Horizontal, m_view);
    m_view->setHorizontalHeader(m_header);
    m_view->setModel(m_model.get());
    applyWidths();

    m_operations->setDelegateType(QStringLiteral("QPushButton"));
    m_operations->setDelegateColumn(operationsColumn);
    m_view->setItemDelegateForColumn(operationsColumn, m_operations.get());

    if (withFilter) {
        m_proxy = std::make_unique<MySortFilterProxyModel>();
        m_proxy->setSourceModel(m_model.get());
    }
}

RecordTable::~RecordTable()
{
    // The view goes first: it must not outlive the models and delegates it shows.
    delete m_view;
}

DelegateTool *RecordTable::stateDelegate(int column) const
{
    const int at = column - TemplateCameraColumn;
    return at >= 0 && at < int(m_states.size()) ? m_states.at(at).get() : nullptr;
}

void RecordTable::setOperationGlyphs(const QList<int> &glyphs)
{
    QList<QIcon> icons;
    for (int glyph : glyphs)
        icons << QIcon(
            IconHelper::Instance()->glyphPixmap(QColor(g_textColor), QChar(glyph), 20, 20, 20));
    m_operations->setPushButtonIcons(icons);
}

void RecordTable::showCameraStates()
{
    for (int column = TemplateCameraColumn; column < TemplateCameraColumn + CameraCount; ++column) {
        auto states = std::make_unique<DelegateTool>();
        states->setDelegateType(QStringLiteral("QPixmap"));
        states->setCheckColumn(column);
        states->setDelegateColumn(column);
        states->setCheckType(QStringLiteral("state"));
        states->setCheckValue(QStringLiteral("未"));
        m_view->setItemDelegateForColumn(column, states.get());
        m_states.push_back(std::move(states));
    }
}

QString RecordTable::recordId(const QModelIndex &index)
{
    return index.sibling(index.row(), 0).data().toString();
}

void RecordTable::filterRows(int column, const QString &text)
{
    if (!m_proxy || text.isEmpty())
        return;
    m_proxy->SetFilterMap({{column, text}});
    if (m_view->model() != m_proxy.get()) {
        // A new model resets the header's sections.
        m_view->setModel(m_proxy.get());
        applyWidths();
    }
}

void RecordTable::applyWidths()
{
    for (int i = 0; i < m_widths.size(); ++i)
        m_header->resizeSection(i, m_widths.at(i));
}
