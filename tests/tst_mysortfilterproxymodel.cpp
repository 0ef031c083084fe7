#include <QAbstractItemModelTester>
#include <QStandardItemModel>
#include <QtTest>

#include "widgets/mymodel.h"
#include "widgets/mysortfilterproxymodel.h"

using FilterMap = QMap<int, QString>;

namespace {

// Four columns; each row gives the texts of its cells, joined by ",".
void fill(QStandardItemModel &model, const QStringList &rows)
{
    model.clear();
    model.setColumnCount(4);
    for (const QString &row : rows) {
        QList<QStandardItem *> cells;
        for (const QString &text : row.split(','))
            cells << new QStandardItem(text);
        model.appendRow(cells);
    }
}

QStringList shownRows(const QAbstractItemModel &proxy)
{
    QStringList rows;
    for (int row = 0; row < proxy.rowCount(); ++row)
        rows << proxy.index(row, 0).data().toString();
    return rows;
}

// The proxy under the model tester over a source filled with rows.
struct Filtered
{
    explicit Filtered(const QStringList &rows)
        : tester(&proxy, QAbstractItemModelTester::FailureReportingMode::QtTest)
    {
        fill(source, rows);
        proxy.setSourceModel(&source);
    }
    QStandardItemModel source;
    MySortFilterProxyModel proxy;
    QAbstractItemModelTester tester;
};

// Counts reads per column, to see which columns the filter looks at.
class CountingModel : public QStandardItemModel
{
public:
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::DisplayRole)
            ++reads[index.column()];
        return QStandardItemModel::data(index, role);
    }
    mutable QMap<int, int> reads;
};

} // namespace

class tst_MySortFilterProxyModel : public QObject
{
    Q_OBJECT

private slots:
    void filterMap_data();
    void filterMap();
    void replacingMapShowsRowsAgain();
    void keepsSourceOrder();
    void followsSourceChanges();
    void readsOnlyMappedColumns();
    void overRecordModel();
};

void tst_MySortFilterProxyModel::filterMap_data()
{
    QTest::addColumn<FilterMap>("map");
    QTest::addColumn<QStringList>("shown");
    // Rows: id, column 1, column 2, column 3.
    QTest::newRow("substring, case-sensitive") << FilterMap{{2, "A1"}} << QStringList{"r1", "r4"};
    QTest::newRow("whole text") << FilterMap{{2, "XA12"}} << QStringList{"r1"};
    QTest::newRow("lower case only") << FilterMap{{2, "xa"}} << QStringList{"r2"};
    QTest::newRow("empty text skipped")
        << FilterMap{{1, ""}, {3, "abc"}} << QStringList{"r2", "r3"};
    QTest::newRow("entries joined by or")
        << FilterMap{{1, "k"}, {3, "abc"}} << QStringList{"r1", "r2", "r3"};
    QTest::newRow("only entry empty") << FilterMap{{1, ""}} << QStringList{};
    QTest::newRow("empty map") << FilterMap{} << QStringList{};
    QTest::newRow("no wildcards") << FilterMap{{2, "A*"}} << QStringList{};
    QTest::newRow("no regular expressions") << FilterMap{{2, "A.2"}} << QStringList{};
    QTest::newRow("missing column") << FilterMap{{9, "r"}, {-1, "r"}} << QStringList{};
    QTest::newRow("id column") << FilterMap{{0, "r3"}} << QStringList{"r3"};
}

void tst_MySortFilterProxyModel::filterMap()
{
    QFETCH(FilterMap, map);
    QFETCH(QStringList, shown);
    Filtered f({"r1,k,XA12,x", "r2,m,xa12,zabcz", "r3,n,B,abc", "r4,o,A1,ab"});
    f.proxy.SetFilterMap(map);
    QCOMPARE(shownRows(f.proxy), shown);
    QCOMPARE(f.proxy.filterMap(), map);
}

void tst_MySortFilterProxyModel::replacingMapShowsRowsAgain()
{
    Filtered f({"r1,a,b,c", "r2,d,e,f", "r3,a,e,c"});
    QSignalSpy reset(&f.proxy, &QAbstractItemModel::modelReset);
    f.proxy.SetFilterMap({{2, "e"}});
    QCOMPARE(shownRows(f.proxy), QStringList({"r2", "r3"}));
    f.proxy.SetFilterMap({{1, "a"}});
    QCOMPARE(shownRows(f.proxy), QStringList({"r1", "r3"}));
    f.proxy.SetFilterMap({{0, "r"}});
    QCOMPARE(shownRows(f.proxy), QStringList({"r1", "r2", "r3"}));
    QCOMPARE(reset.count(), 3);
}

void tst_MySortFilterProxyModel::keepsSourceOrder()
{
    Filtered f({"r3,x,,", "r1,x,,", "r2,x,,"});
    f.proxy.SetFilterMap({{1, "x"}});
    QCOMPARE(shownRows(f.proxy), QStringList({"r3", "r1", "r2"}));
}

void tst_MySortFilterProxyModel::followsSourceChanges()
{
    Filtered f({"r1,a,,", "r2,b,,", "r3,a,,"});
    f.proxy.SetFilterMap({{1, "a"}});
    QCOMPARE(shownRows(f.proxy), QStringList({"r1", "r3"}));
    f.source.removeRow(0);
    QCOMPARE(shownRows(f.proxy), QStringList({"r3"}));
    f.source.item(0, 1)->setText("a");
    QCOMPARE(shownRows(f.proxy), QStringList({"r2", "r3"}));
    fill(f.source, {"r9,ab,,"});
    QCOMPARE(shownRows(f.proxy), QStringList({"r9"}));
}

void tst_MySortFilterProxyModel::readsOnlyMappedColumns()
{
    CountingModel source;
    fill(source, {"r1,a,b,c", "r2,d,e,f"});
    MySortFilterProxyModel proxy;
    proxy.setSourceModel(&source);
    source.reads.clear();
    proxy.SetFilterMap({{2, "e"}});
    QCOMPARE(proxy.rowCount(), 1);
    QCOMPARE(source.reads.keys(), QList<int>({2}));
}

void tst_MySortFilterProxyModel::overRecordModel()
{
    MyModel model;
    model.setModelType(1);
    model.setHeaders({"id", "code", "field", "name", "remark", "ops"});
    QList<ModelCraftAlgorithmItem> list;
    for (int i = 0; i < 20; ++i)
        list << ModelCraftAlgorithmItem{
            QString::number(i), QStringLiteral("A%1").arg(i), "", "", "", ""};
    model.setAlgorithmList(list);
    MySortFilterProxyModel proxy;
    QAbstractItemModelTester tester(&proxy, QAbstractItemModelTester::FailureReportingMode::QtTest);
    proxy.setSourceModel(&model);
    proxy.SetFilterMap({{1, "A1"}});
    QCOMPARE(proxy.rowCount(), 11); // A1 and A10 to A19
    QVERIFY(model.removeRows(10, 5));
    QCOMPARE(proxy.rowCount(), 6);
    model.setAlgorithmList(list.mid(0, 2));
    QCOMPARE(shownRows(proxy), QStringList({"1"}));
}

QTEST_MAIN(tst_MySortFilterProxyModel)
#include "tst_mysortfilterproxymodel.moc"
