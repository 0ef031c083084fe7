#include <QAbstractItemModelTester>
#include <QTableView>
#include <QtTest>

#include "common/recordtypes.h"
#include "common/shareddefs.h"
#include "widgets/myfilterheaderview.h"
#include "widgets/mymodel.h"

namespace {

QStringList captions(const QVector<TableHeaderItem> &table)
{
    QStringList list;
    for (const TableHeaderItem &item : table)
        list << item.text;
    return list;
}

ModelCraftDataItem craft(const QString &id)
{
    return {
        id,           "field" + id,  "vehicle" + id,
        "maker" + id, "file" + id,   "v" + id,
        "time" + id,  "remote" + id, QStringLiteral("修改工艺|删除工艺|下载工艺数据|上传工艺文件"),
        "/path/" + id};
}

ModelCraftAlgorithmItem algorithm(const QString &id)
{
    return {id, "code" + id, "field" + id, "name" + id, "remark" + id, QStringLiteral("修改|删除")};
}

ModelTemplateProItem templateRecord(const QString &id)
{
    ModelTemplateProItem item;
    item.id = id;
    item.fieldName = "field" + id;
    item.location = "location" + id;
    item.lineName = "line" + id;
    item.vehicleType = "vehicle" + id;
    item.templateProjName = "project" + id;
    item.templateVersion = "version" + id;
    item.technologyFileName = "techName" + id;
    item.technologyFileVersion = "techVersion" + id;
    item.cameraCount = "16";
    item.updateTime = "time" + id;
    item.remoteVersion = "remote" + id;
    item.operations = QStringLiteral("修改|删除|绘制|上传|部署");
    for (int i = 0; i < CameraCount; ++i)
        item.cameraStates[i] = QStringLiteral("cam%1-%2").arg(i).arg(id);
    item.technologyFileId = 7;
    item.templateCvResourcePath = "res/" + id;
    item.carriageCount = 3;
    return item;
}

// A model of the given kind with three records and the kind's captions, under the tester.
struct Fixture
{
    explicit Fixture(int type)
        : tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest)
    {
        model.setModelType(type);
        switch (type) {
        case 0:
            model.setHeaders(captions(g_craftHeaders));
            model.setCraftList({craft("1"), craft("2"), craft("3")});
            break;
        case 1:
            model.setHeaders(captions(g_algorithmHeaders));
            model.setAlgorithmList({algorithm("1"), algorithm("2"), algorithm("3")});
            break;
        default:
            model.setHeaders(captions(g_templateHeaders));
            model.setTemplateList({templateRecord("1"), templateRecord("2"), templateRecord("3")});
        }
    }
    MyModel model;
    QAbstractItemModelTester tester;
};

QStringList columnTexts(const MyModel &model, int column)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.index(row, column).data().toString();
    return texts;
}

} // namespace

class tst_MyModel : public QObject
{
    Q_OBJECT

private slots:
    void rangesPerKind_data();
    void rangesPerKind();
    void cellTexts_data();
    void cellTexts();
    void alignmentAndOtherRoles();
    void userRoleRoundTrips();
    void setDataStoresText_data();
    void setDataStoresText();
    void otherListsDoNotShow();
    void unknownTypeShowsNothing();
    void headerData();
    void removeRowsRejectsBadRanges_data();
    void removeRowsRejectsBadRanges();
    void removeRowsRemovesAnnouncedRows();
    void headerReportsClickedColumn();
};

void tst_MyModel::rangesPerKind_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("lastShownColumn");
    QTest::newRow("craft") << 0 << 9 << 8;
    QTest::newRow("algorithm") << 1 << 6 << 5;
    QTest::newRow("template") << 2 << 29 << 28;
}

void tst_MyModel::rangesPerKind()
{
    QFETCH(int, type);
    QFETCH(int, columns);
    QFETCH(int, lastShownColumn);
    Fixture f(type);
    QCOMPARE(f.model.rowCount(), 3);
    QCOMPARE(f.model.columnCount(), columns);
    // A flat table: nothing hangs below a cell.
    const QModelIndex cell = f.model.index(1, 1);
    QCOMPARE(f.model.rowCount(cell), 0);
    QCOMPARE(f.model.columnCount(cell), 0);
    QVERIFY(!f.model.index(0, 0, cell).isValid());
    QVERIFY(f.model.index(2, lastShownColumn).data().isValid());
    QVERIFY(!f.model.index(3, 0).isValid());

    // A caption beyond the record's fields never shows a field.
    QStringList more;
    for (int i = 0; i <= columns; ++i)
        more << QString::number(i);
    f.model.setHeaders(more);
    QVERIFY(!f.model.index(0, columns).data().isValid());
    QVERIFY(!f.model.index(0, columns).data(Qt::EditRole).isValid());
}

void tst_MyModel::cellTexts_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::newRow("craft id") << 0 << 0 << "2";
    QTest::newRow("craft manufacture") << 0 << 3 << "maker2";
    QTest::newRow("craft remote version") << 0 << 7 << "remote2";
    QTest::newRow("craft operations")
        << 0 << 8 << QStringLiteral("修改工艺|删除工艺|下载工艺数据|上传工艺文件");
    QTest::newRow("algorithm code") << 1 << 1 << "code2";
    QTest::newRow("algorithm remark") << 1 << 4 << "remark2";
    QTest::newRow("algorithm operations") << 1 << 5 << QStringLiteral("修改|删除");
    QTest::newRow("template location") << 2 << 2 << "location2";
    QTest::newRow("template update time") << 2 << 10 << "time2";
    QTest::newRow("template operations") << 2 << 12 << QStringLiteral("修改|删除|绘制|上传|部署");
    QTest::newRow("template first camera") << 2 << 13 << "cam0-2";
    QTest::newRow("template last camera") << 2 << 28 << "cam15-2";
}

void tst_MyModel::cellTexts()
{
    QFETCH(int, type);
    QFETCH(int, column);
    QFETCH(QString, text);
    Fixture f(type);
    QCOMPARE(f.model.index(1, column).data(Qt::DisplayRole).toString(), text);
    QCOMPARE(f.model.index(1, column).data(Qt::EditRole).toString(), text);
}

void tst_MyModel::alignmentAndOtherRoles()
{
    Fixture f(0);
    const QModelIndex cell = f.model.index(0, 4);
    QCOMPARE(cell.data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    QVERIFY(!cell.data(Qt::DecorationRole).isValid());
    QVERIFY(!cell.data(Qt::ToolTipRole).isValid());
    QVERIFY(!f.model.data(QModelIndex(), Qt::DisplayRole).isValid());
    // The file path, the tenth field, is never shown.
    f.model.setHeaders(captions(g_craftHeaders) << "path");
    QVERIFY(!f.model.index(0, 9).data().isValid());
}

void tst_MyModel::userRoleRoundTrips()
{
    Fixture crafts(0);
    const QVariant c = crafts.model.index(1, 0).data(Qt::UserRole);
    QCOMPARE(c.userType(), QMetaType::type("ModelCraftDataItem"));
    QCOMPARE(c.value<ModelCraftDataItem>().filePath, QStringLiteral("/path/2"));
    QCOMPARE(c.value<ModelCraftDataItem>().manufacture, QStringLiteral("maker2"));

    Fixture algorithms(1);
    const QVariant a = algorithms.model.index(2, 3).data(Qt::UserRole);
    QCOMPARE(a.userType(), QMetaType::type("ModelCraftAlgorithmItem"));
    QCOMPARE(a.value<ModelCraftAlgorithmItem>().algorithmName, QStringLiteral("name3"));
    QCOMPARE(a.value<ModelCraftAlgorithmItem>().remark, QStringLiteral("remark3"));

    Fixture templates(2);
    const QVariant t = templates.model.index(0, 20).data(Qt::UserRole);
    QCOMPARE(t.userType(), QMetaType::type("ModelTemplateProItem"));
    const auto record = t.value<ModelTemplateProItem>();
    QCOMPARE(record.templateProjName, QStringLiteral("project1"));
    QCOMPARE(record.cameraStates[15], QStringLiteral("cam15-1"));
    QCOMPARE(record.technologyFileId, 7);
    QCOMPARE(record.templateCvResourcePath, QStringLiteral("res/1"));
    QCOMPARE(record.carriageCount, 3);
}

void tst_MyModel::setDataStoresText_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("role");
    QTest::addColumn<bool>("stored");
    QTest::newRow("algorithm remark, edit role") << 1 << 4 << int(Qt::EditRole) << true;
    QTest::newRow("algorithm remark, display role") << 1 << 4 << int(Qt::DisplayRole) << true;
    QTest::newRow("algorithm remark, decoration role")
        << 1 << 4 << int(Qt::DecorationRole) << false;
    QTest::newRow("algorithm beyond fields") << 1 << 6 << int(Qt::EditRole) << false;
    QTest::newRow("craft version") << 0 << 5 << int(Qt::EditRole) << true;
    QTest::newRow("template camera 16") << 2 << 28 << int(Qt::EditRole) << true;
}

void tst_MyModel::setDataStoresText()
{
    QFETCH(int, type);
    QFETCH(int, column);
    QFETCH(int, role);
    QFETCH(bool, stored);
    Fixture f(type);
    QStringList more = captions(g_templateHeaders);
    f.model.setHeaders(more << "extra");
    QSignalSpy changed(&f.model, &QAbstractItemModel::dataChanged);
    const QModelIndex cell = f.model.index(1, column);
    const QString before = cell.data().toString();
    QCOMPARE(f.model.setData(cell, 42, role), stored);
    QCOMPARE(cell.data().toString(), stored ? QStringLiteral("42") : before);
    QCOMPARE(changed.count(), stored ? 1 : 0);
    // The other rows keep their texts.
    QVERIFY(f.model.index(0, column).data().toString() != QStringLiteral("42"));
}

void tst_MyModel::otherListsDoNotShow()
{
    MyModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setModelType(1);
    model.setHeaders(captions(g_algorithmHeaders));
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.setCraftList({craft("1"), craft("2")});
    model.setTemplateList({templateRecord("1")});
    QCOMPARE(reset.count(), 2);
    QCOMPARE(model.rowCount(), 0);
    model.setAlgorithmList({algorithm("9")});
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("code9"));
}

void tst_MyModel::unknownTypeShowsNothing()
{
    MyModel model;
    model.setModelType(0);
    model.setHeaders(captions(g_craftHeaders));
    model.setCraftList({craft("1")});
    const QModelIndex cell = model.index(0, 1);
    model.setModelType(3);
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(!model.data(cell).isValid());
    QVERIFY(!model.data(cell, Qt::UserRole).isValid());
    QVERIFY(!model.setData(cell, "x", Qt::EditRole));
}

void tst_MyModel::headerData()
{
    Fixture f(0);
    QCOMPARE(f.model.headerData(3, Qt::Horizontal).toString(), QStringLiteral("厂家"));
    // Outside the captions the framework's default numbering is answered.
    QCOMPARE(f.model.headerData(9, Qt::Horizontal).toInt(), 10);
    QCOMPARE(f.model.headerData(1, Qt::Vertical).toInt(), 2);
}

void tst_MyModel::removeRowsRejectsBadRanges_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("count");
    QTest::newRow("negative row") << -1 << 1;
    QTest::newRow("zero count") << 0 << 0;
    QTest::newRow("row equal to size") << 3 << 1;
    QTest::newRow("reaches beyond the end") << 2 << 2;
}

void tst_MyModel::removeRowsRejectsBadRanges()
{
    QFETCH(int, row);
    QFETCH(int, count);
    Fixture f(2);
    QSignalSpy removing(&f.model, &QAbstractItemModel::rowsAboutToBeRemoved);
    QVERIFY(!f.model.removeRows(row, count));
    QCOMPARE(removing.count(), 0);
    QCOMPARE(f.model.rowCount(), 3);
}

void tst_MyModel::removeRowsRemovesAnnouncedRows()
{
    for (int type = 0; type < 3; ++type) {
        Fixture f(type);
        QSignalSpy removed(&f.model, &QAbstractItemModel::rowsRemoved);
        QVERIFY(f.model.removeRows(1, 1));
        QCOMPARE(columnTexts(f.model, 0), QStringList({"1", "3"}));
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed.at(0).at(1).toInt(), 1);
        QCOMPARE(removed.at(0).at(2).toInt(), 1);
        QVERIFY(f.model.removeRows(0, 2));
        QCOMPARE(f.model.rowCount(), 0);
    }
}

void tst_MyModel::headerReportsClickedColumn()
{
    Fixture f(1);
    QTableView view;
    auto *header = new MyFIlterHeaderView(Qt::Horizontal, &view);
    view.setHorizontalHeader(header);
    view.setModel(&f.model);
    for (int i = 0; i < g_algorithmHeaders.size(); ++i)
        header->resizeSection(i, g_algorithmHeaders.at(i).width / 4);
    view.resize(500, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QVERIFY(header->sectionsClickable());
    QSignalSpy clicked(header, &MyFIlterHeaderView::columnSectionClicked);
    const QPoint fourth(header->sectionViewportPosition(3) + header->sectionSize(3) / 2,
                        header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, fourth);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0).at(0).toInt(), 3);
}

QTEST_MAIN(tst_MyModel)
#include "tst_mymodel.moc"
