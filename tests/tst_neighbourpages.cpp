#include <QtTest>

#include "common/appstate.h"
#include "config/femcraftitem.h"
#include "paint/frmtemplatepropaint.h"
#include "records/frmcraftremotedata.h"
#include "records/frmtemplateproremote.h"
#include "support/messagecapture.h"
#include "support/modalbox.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QPushButton>
#include <QTreeView>

#include <functional>

#include "widgets/quiinputbox.h"
#include "widgets/treemodel.h"

// The pages the craft and template sections hold: their rights, flags and openings.
class tst_NeighbourPages : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void rowButtonsNeedTheirRight_data();
    void rowButtonsNeedTheirRight();
    void editorClearsFlagUntilUploaded();
    void editorGivesLeaveBackWhenFileIsBad();
    void editorShowsTheTreeOfEachLoad();
    void openingNeedsCarriages();
    void openingFillsContextUntilSubmitted();
    void operatorChoosesInTheKitsInputBox_data();
    void operatorChoosesInTheKitsInputBox();

private:
    QStringList m_titles;
    QStringList m_offered;
};

void tst_NeighbourPages::init()
{
    g_allowLeave = true;
    g_currentUser = {};
    g_currentCraft = {};
    g_currentTemplate = {};
    g_paintContext = {};
    g_fileDataText.clear();
    m_titles.clear();
    m_offered.clear();
}

void tst_NeighbourPages::cleanup()
{
    FrmTemplateProPaint::setChooser(nullptr);
}

void tst_NeighbourPages::rowButtonsNeedTheirRight_data()
{
    QTest::addColumn<QStringList>("rights");
    QTest::addColumn<bool>("craftOpens");
    QTest::addColumn<bool>("paintOpens");

    QTest::newRow("none") << QStringList() << false << false;
    QTest::newRow("lists only") << QStringList{"business:technology:list", "business:template:list"}
                                << false << false;
    QTest::newRow("item") << QStringList{"business:technology:item"} << true << false;
    QTest::newRow("paint") << QStringList{"business:template:paint"} << false << true;
    QTest::newRow("all") << QStringList{"*:*:*"} << true << true;
    QTest::newRow("case differs") << QStringList{"Business:Template:Paint", "*:*"} << false
                                  << false;
}

void tst_NeighbourPages::rowButtonsNeedTheirRight()
{
    QFETCH(QStringList, rights);
    QFETCH(bool, craftOpens);
    QFETCH(bool, paintOpens);
    g_currentUser.permissions = rights;
    MessageCapture log;

    QSignalSpy craftSpy(FrmCraftRemoteData::Instance(), &FrmCraftRemoteData::setDataChangeView);
    QString idAtSignal;
    auto connection =
        connect(FrmCraftRemoteData::Instance(), &FrmCraftRemoteData::setDataChangeView,
                [&] { idAtSignal = g_currentCraft.id; });
    FrmCraftRemoteData::Instance()->openItemPoints("17");
    disconnect(connection);
    QCOMPARE(craftSpy.count(), craftOpens ? 1 : 0);
    QCOMPARE(idAtSignal, craftOpens ? QString("17") : QString());
    QCOMPARE(g_currentCraft.id, craftOpens ? QString("17") : QString());
    QCOMPARE(log.has(QtWarningMsg, "无权限操作项点"), !craftOpens);

    QSignalSpy paintSpy(FrmTemplateProRemote::Instance(), &FrmTemplateProRemote::changeStackWidget);
    FrmTemplateProRemote::Instance()->startPainting("42");
    QCOMPARE(paintSpy.count(), paintOpens ? 1 : 0);
    QCOMPARE(g_currentTemplate.id, paintOpens ? QString("42") : QString());
    QCOMPARE(log.has(QtWarningMsg, "无权限开始绘制模板"), !paintOpens);
}

void tst_NeighbourPages::editorClearsFlagUntilUploaded()
{
    auto *editor = FemCraftItem::Instance();
    g_fileDataText = R"([{"configurationName":"车体","children":[{"configurationName":"车钩"}]}])";
    editor->InitItemGUI();
    QVERIFY(!g_allowLeave);
    QVERIFY(!editor->GetAllowLeave());
    QCOMPARE(editor->configuration().size(), 1);
    QCOMPARE(editor->configuration().first().children.first().name, QString("车钩"));

    editor->uploadButton()->click();
    QVERIFY(g_allowLeave);
    QVERIFY(editor->GetAllowLeave());
}

void tst_NeighbourPages::editorGivesLeaveBackWhenFileIsBad()
{
    MessageCapture log;
    g_fileDataText = "<html>not found</html>";
    FemCraftItem::Instance()->InitItemGUI();
    QVERIFY(g_allowLeave);
    QVERIFY(FemCraftItem::Instance()->configuration().isEmpty());
    QCOMPARE(log.messages().size(), 1);
    QCOMPARE(log.messages().first().first, QtCriticalMsg);
}

void tst_NeighbourPages::editorShowsTheTreeOfEachLoad()
{
    auto *editor = FemCraftItem::Instance();
    editor->resize(400, 300);
    editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(editor));

    g_fileDataText = R"([{"configurationName":"车体","children":[
                           {"configurationName":"车钩","children":[{"configurationName":"螺栓"}]},
                           {"configurationName":"转向架"}]},
                         {"configurationName":"车顶"}])";
    editor->InitItemGUI();
    TreeModel *model = editor->model();
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(model->rowCount(), 2);
    const QModelIndex body = model->index(0, 0);
    QCOMPARE(body.data().toString(), QString("车体"));
    QCOMPARE(model->rowCount(body), 2);
    const QModelIndex coupler = model->index(0, 0, body);
    QCOMPARE(model->index(0, 0, coupler).data().toString(), QString("螺栓"));
    QCOMPARE(model->index(1, 0).data().toString(), QString("车顶"));
    QCOMPARE(editor->treeView()->model()->rowCount(), 2); // through the filter
    QVERIFY(editor->treeView()->isExpanded(editor->treeView()->model()->index(0, 0)));

    // A failed load empties the tree rather than leaving nodes of the old records.
    g_fileDataText = "[{\"configurationName\":";
    editor->InitItemGUI();
    QCOMPARE(editor->model()->rowCount(), 0);
    QCOMPARE(editor->treeView()->model()->rowCount(), 0);
    editor->treeView()->grab(); // paints without touching freed records

    g_fileDataText = R"([{"configurationName":"车底"}])";
    editor->InitItemGUI();
    QCOMPARE(editor->treeView()->model()->index(0, 0).data().toString(), QString("车底"));
    editor->hide();
}

void tst_NeighbourPages::openingNeedsCarriages()
{
    MessageCapture log;
    bool asked = false;
    FrmTemplateProPaint::setChooser([&](const QString &, const QString &) {
        asked = true;
        return QString("1");
    });
    QVERIFY(!FrmTemplateProPaint::Instance()->GetTechnology());
    QVERIFY(!asked);
    QVERIFY(g_allowLeave);
    QVERIFY(log.has(QtCriticalMsg, "车厢没有，请先上传图片以至于写入车厢 "));
}

void tst_NeighbourPages::openingFillsContextUntilSubmitted()
{
    g_currentTemplate.carriageCount = 3;
    FrmTemplateProPaint::setChooser([&](const QString &title, const QString &choices) {
        m_titles << title;
        m_offered << choices;
        return m_titles.size() == 1 ? QString("ZXB_LC03L") : QString("3");
    });
    auto *page = FrmTemplateProPaint::Instance();
    QVERIFY(page->GetTechnology());
    QCOMPARE(m_titles, QStringList({"选择相机编码", "选择车厢"}));
    QVERIFY(m_offered.first().startsWith("ZXB_LC03M|ZXB_LC03L|"));
    QCOMPARE(m_offered.first().split('|').size(), 16);
    QCOMPARE(m_offered.last(), QString("1|2|3"));
    QCOMPARE(g_carriageChoices, QString("1|2|3"));
    QCOMPARE(g_paintContext.cameraCode, QString("ZXB_LC03L"));
    QCOMPARE(g_paintContext.carriage, 3);
    QVERIFY(!page->GetAllowLeave());

    page->submitButton()->click();
    QVERIFY(g_allowLeave);
}

void tst_NeighbourPages::operatorChoosesInTheKitsInputBox_data()
{
    QTest::addColumn<QStringList>("presses"); // one button per box, in turn
    QTest::addColumn<bool>("opened");

    QTest::newRow("both confirmed") << QStringList{"btnOk", "btnOk"} << true;
    QTest::newRow("camera cancelled") << QStringList{"btnCancel"} << false;
    QTest::newRow("carriage cancelled") << QStringList{"btnOk", "btnCancel"} << false;
}

void tst_NeighbourPages::operatorChoosesInTheKitsInputBox()
{
    QFETCH(QStringList, presses);
    QFETCH(bool, opened);
    g_currentTemplate.carriageCount = 3;
    QStringList offered;
    std::function<void(QUIInputBox *)> choose = [&](QUIInputBox *box) {
        auto *choices = box->findChild<QComboBox *>("cboxValue");
        offered << QString::number(choices->count());
        choices->setCurrentIndex(1);
        QTest::mouseClick(box->findChild<QPushButton *>(presses.takeFirst()), Qt::LeftButton);
        if (!presses.isEmpty())
            ModalBox::whenShown<QUIInputBox>(choose);
    };
    ModalBox::whenShown<QUIInputBox>(choose);

    QCOMPARE(FrmTemplateProPaint::Instance()->GetTechnology(), opened);
    QVERIFY(presses.isEmpty());
    QCOMPARE(offered.first(), QString("16"));
    QCOMPARE(g_allowLeave, !opened);
    if (opened) {
        QCOMPARE(offered.last(), QString("3"));
        QCOMPARE(g_paintContext.cameraCode, QString("ZXB_LC03L"));
        QCOMPARE(g_paintContext.carriage, 2);
    }
}

QTEST_MAIN(tst_NeighbourPages)
#include "tst_neighbourpages.moc"
