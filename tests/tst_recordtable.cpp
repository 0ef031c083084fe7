#include <QAbstractItemModelTester>
#include <QTableView>
#include <QtTest>

#include "common/appstate.h"
#include "common/shareddefs.h"
#include "records/frmcraftalgorithm.h"
#include "records/frmcraftremotedata.h"
#include "records/frmtemplateprolocal.h"
#include "records/frmtemplateproremote.h"
#include "records/recordtable.h"
#include "widgets/delegatetool.h"
#include "widgets/myfilterheaderview.h"
#include "widgets/mymodel.h"
#include "widgets/mysortfilterproxymodel.h"

namespace {

ModelTemplateProItem templateRecord(const QString &id, const QString &project)
{
    ModelTemplateProItem item;
    item.id = id;
    item.templateProjName = project;
    item.operations = QStringLiteral("修改|删除|绘制|上传|部署");
    item.cameraStates[0] = QStringLiteral("1已|2未");
    return item;
}

// Presses the button of a row's operations cell, counted from 0.
void pressButton(RecordTable *table, int row, int column, int button, int buttons)
{
    QTableView *view = table->view();
    const QRect cell = view->visualRect(view->model()->index(row, column));
    const int width = cell.width() / buttons;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      QPoint(cell.left() + button * width + width / 2, cell.center().y()));
}

} // namespace

class tst_RecordTable : public QObject
{
    Q_OBJECT

private slots:
    void pagesBuildTheirTables_data();
    void pagesBuildTheirTables();
    void filterSwitchesViewToProxy();
    void templatePaintButtonOpensPainting();
    void craftButtonsReportIndex();
};

void tst_RecordTable::pagesBuildTheirTables_data()
{
    QTest::addColumn<QWidget *>("page");
    QTest::addColumn<int>("modelType");
    QTest::addColumn<int>("operationsColumn");
    QTest::addColumn<bool>("filters");
    QTest::addColumn<bool>("cameraStates");
    QTest::newRow("craft") << static_cast<QWidget *>(FrmCraftRemoteData::Instance()) << 0 << 8
                           << true << false;
    QTest::newRow("algorithm") << static_cast<QWidget *>(FrmCraftAlgorithm::Instance()) << 1 << 5
                               << true << false;
    QTest::newRow("template") << static_cast<QWidget *>(FrmTemplateProRemote::Instance()) << 2 << 12
                              << true << true;
    QTest::newRow("local template")
        << static_cast<QWidget *>(FrmTemplateProLocal::Instance()) << 2 << 12 << false << false;
}

void tst_RecordTable::pagesBuildTheirTables()
{
    QFETCH(QWidget *, page);
    QFETCH(int, modelType);
    QFETCH(int, operationsColumn);
    QFETCH(bool, filters);
    QFETCH(bool, cameraStates);
    auto *table = page->findChild<RecordTable *>();
    QVERIFY(table);
    const QVector<TableHeaderItem> &columns = modelType == 0   ? g_craftHeaders
                                              : modelType == 1 ? g_algorithmHeaders
                                                               : g_templateHeaders;

    QCOMPARE(table->model()->modelType(), modelType);
    QCOMPARE(table->view()->model(), table->model());
    QCOMPARE(table->view()->horizontalHeader(), table->header());
    QVERIFY(table->header()->sectionsClickable());
    QCOMPARE(table->view()->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(table->view()->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(table->model()->columnCount(), columns.size());
    for (int i = 0; i < columns.size(); ++i) {
        QCOMPARE(table->model()->headerData(i, Qt::Horizontal).toString(), columns.at(i).text);
        QCOMPARE(table->header()->sectionSize(i), columns.at(i).width);
    }
    QCOMPARE(table->view()->itemDelegateForColumn(operationsColumn), table->operationsDelegate());
    QCOMPARE(table->proxy() != nullptr, filters);
    if (filters)
        QCOMPARE(table->proxy()->sourceModel(), table->model());
    for (int column = TemplateCameraColumn; column < TemplateCameraColumn + CameraCount; ++column) {
        QCOMPARE(table->stateDelegate(column) != nullptr, cameraStates);
        if (cameraStates)
            QCOMPARE(table->view()->itemDelegateForColumn(column), table->stateDelegate(column));
    }
}

void tst_RecordTable::filterSwitchesViewToProxy()
{
    RecordTable table(2, g_templateHeaders, 12, true);
    QAbstractItemModelTester tester(table.proxy(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    table.model()->setTemplateList(
        {templateRecord("1", "east"), templateRecord("2", "west"), templateRecord("3", "eastern")});
    table.filterRows(5, QString());
    QCOMPARE(table.view()->model(), table.model());
    table.filterRows(5, "east");
    QCOMPARE(table.view()->model(), table.proxy());
    QCOMPARE(table.view()->model()->rowCount(), 2);
    // The header keeps the column widths when the view changes models.
    QCOMPARE(table.header()->sectionSize(5), g_templateHeaders.at(5).width);
    QCOMPARE(table.header()->sectionSize(28), g_templateHeaders.at(28).width);
    table.filterRows(0, "2");
    QCOMPARE(table.view()->model()->rowCount(), 1);
    QCOMPARE(RecordTable::recordId(table.view()->model()->index(0, 7)), QStringLiteral("2"));
    // A new list arrives while the filter stands.
    table.model()->setTemplateList({templateRecord("2", "x"), templateRecord("12", "y")});
    QCOMPARE(table.view()->model()->rowCount(), 2);
}

void tst_RecordTable::templatePaintButtonOpensPainting()
{
    auto *page = FrmTemplateProRemote::Instance();
    RecordTable *table = page->table();
    table->model()->setTemplateList(
        {templateRecord("31", "a"), templateRecord("32", "b"), templateRecord("33", "c")});
    table->filterRows(5, "b");
    page->resize(1200, 400);
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page));
    table->view()->scrollTo(table->view()->model()->index(0, 12));

    g_currentUser.permissions = QStringList{QStringLiteral("business:template:paint")};
    g_currentTemplate.id.clear();
    QSignalSpy clicked(table->operationsDelegate(), &DelegateTool::buttonClicked);
    QSignalSpy painting(page, &FrmTemplateProRemote::changeStackWidget);
    pressButton(table, 0, 12, 1, 5);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0).at(0).toInt(), 1);
    QCOMPARE(painting.count(), 0);
    pressButton(table, 0, 12, 2, 5);
    QCOMPARE(clicked.count(), 2);
    QCOMPARE(clicked.at(1).at(0).toInt(), 2);
    QCOMPARE(painting.count(), 1);
    QCOMPARE(g_currentTemplate.id, QStringLiteral("32"));
    page->hide();
}

void tst_RecordTable::craftButtonsReportIndex()
{
    auto *page = FrmCraftRemoteData::Instance();
    RecordTable *table = page->table();
    ModelCraftDataItem record;
    record.id = "5";
    record.operations = QStringLiteral("修改工艺|删除工艺|下载工艺数据|上传工艺文件");
    table->model()->setCraftList({record});
    page->resize(1700, 300);
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page));
    QSignalSpy clicked(table->operationsDelegate(), &DelegateTool::buttonClicked);
    pressButton(table, 0, 8, 3, 4);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0).at(0).toInt(), 3);
    QCOMPARE(RecordTable::recordId(clicked.at(0).at(1).value<QModelIndex>()), QStringLiteral("5"));
    page->hide();
}

QTEST_MAIN(tst_RecordTable)
#include "tst_recordtable.moc"
