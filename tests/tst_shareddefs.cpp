#include <QtTest>

#include "common/appstate.h"
#include "common/shareddefs.h"

class tst_SharedDefs : public QObject
{
    Q_OBJECT

private slots:
    void columnCounts();
    void templateCameraColumns();
    void columnWidths_data();
    void columnWidths();
    void cameraMapOrderAndLookup();
    void stateInitialValues();
};

void tst_SharedDefs::columnCounts()
{
    QCOMPARE(g_templateHeaders.size(), 29);
    QCOMPARE(g_craftHeaders.size(), 9);
    QCOMPARE(g_algorithmHeaders.size(), 6);
    for (const auto *table : {&g_templateHeaders, &g_craftHeaders, &g_algorithmHeaders})
        for (const TableHeaderItem &item : *table)
            QCOMPARE(item.flag, 1);
}

void tst_SharedDefs::templateCameraColumns()
{
    QCOMPARE(g_templateHeaders.at(12).text, QStringLiteral("操作"));
    QCOMPARE(g_templateHeaders.at(TemplateCameraColumn).text, QStringLiteral("底中相机"));
    QCOMPARE(g_templateHeaders.at(28).text, QStringLiteral("车体右侧上相机"));
    for (int i = 0; i < g_cameraList.size(); ++i) {
        QCOMPARE(g_templateHeaders.at(TemplateCameraColumn + i).text, g_cameraList.at(i).first);
        QCOMPARE(g_templateHeaders.at(TemplateCameraColumn + i).width, 150);
    }
}

void tst_SharedDefs::columnWidths_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("width");
    QTest::newRow("algorithm remark") << 0 << 4 << "备注" << 300;
    QTest::newRow("algorithm first") << 0 << 0 << "序号" << 100;
    QTest::newRow("craft manufacturer") << 1 << 3 << "厂家" << 200;
    QTest::newRow("craft last") << 1 << 8 << "操作" << 200;
    QTest::newRow("template project") << 2 << 5 << "模板工程名" << 180;
    QTest::newRow("template package") << 2 << 7 << "算法包名称" << 120;
    QTest::newRow("template time") << 2 << 10 << "更新时间" << 150;
}

void tst_SharedDefs::columnWidths()
{
    QFETCH(int, table);
    QFETCH(int, column);
    QFETCH(QString, caption);
    QFETCH(int, width);
    const QVector<TableHeaderItem> *tables[] = {&g_algorithmHeaders, &g_craftHeaders,
                                                &g_templateHeaders};
    QCOMPARE(tables[table]->at(column).text, caption);
    QCOMPARE(tables[table]->at(column).width, width);
}

void tst_SharedDefs::cameraMapOrderAndLookup()
{
    QCOMPARE(g_cameraTable.size(), 16);
    QCOMPARE(g_cameraTable.firstKey(), QStringLiteral("右裙板相机"));
    QCOMPARE(g_cameraTable.lastKey(), QStringLiteral("顶左相机"));
    QCOMPARE(g_cameraTable.value(QStringLiteral("底中相机")), QStringLiteral("ZXB_LC03M"));
    const QStringList expected = QStringLiteral(
        "右裙板相机 右转向架相机 左裙板相机 左转向架相机 底中右相机 底中左相机 底中相机 底右相机 "
        "底左相机 车体右侧上相机 车体右侧下相机 车体左侧上相机 车体左侧下相机 顶中相机 顶右相机 顶左相机")
        .split(' ');
    QCOMPARE(g_cameraTable.keys(), expected);
    QCOMPARE(g_cameraList.first().second, QStringLiteral("ZXB_LC03M"));
    QCOMPARE(g_cameraList.last().second, QStringLiteral("SV_LC05WP"));
}

void tst_SharedDefs::stateInitialValues()
{
    QVERIFY(g_allowLeave);
    QCOMPARE(g_recordEditMode, 2);
    QVERIFY(g_drawThreeRects);
    QVERIFY(!g_isLoggedIn);
    QVERIFY(g_httpBaseUrl.isEmpty());
    QVERIFY(g_minioEndpoint.isEmpty());
    QCOMPARE(int(g_currentOprationType), 0);
    QCOMPARE(g_currentTemplate.carriageCount, 0);
    QCOMPARE(g_currentTemplate.technologyFileId, 0);
}

QTEST_GUILESS_MAIN(tst_SharedDefs)
#include "tst_shareddefs.moc"
