#include <QtTest>

#include "app/frmcraft.h"
#include "common/appstate.h"
#include "config/femcraftitem.h"
#include "net/jsonopration.h"
#include "records/frmcraftalgorithm.h"
#include "records/frmcraftremotedata.h"
#include "support/messagecapture.h"

#include <QPushButton>
#include <QStackedWidget>

namespace {
const char *const GoodCraftFile = R"([{"configurationName":"车体"}])";
enum
{
    DataButton,
    AlgorithmButton,
    EditorButton,
    ConfigurationButton
};
} // namespace

class tst_FrmCraft : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void listRightsShowButtons_data();
    void listRightsShowButtons();
    void shownButtonsStayForLesserUsers();
    void everyButtonNeedsLogin_data();
    void everyButtonNeedsLogin();
    void switchesWhileLeavingIsAllowed();
    void editorRefusedWhenOpenedDirectly();
    void editorOpenedFromRecordHoldsThePage();
    void unreadableCraftFileLetsTheOperatorLeave();
    void forcedSwitchSurvivesRefusedLogin();
    void repeatedSetUpConnectsOnce();

private:
    QPushButton *button(int index) const { return m_page->buttons().at(index); }
    void logIn(const QStringList &rights);

    frmCraft *m_page = nullptr;
};

void tst_FrmCraft::initTestCase()
{
    // As the program builds it, before any test has touched it: records, buttons hidden.
    m_page = frmCraft::Instance();
    auto *stack = m_page->findChild<QStackedWidget *>("stackedWidget");
    QCOMPARE(stack->count(), 3);
    QCOMPARE(stack->widget(0), FrmCraftRemoteData::Instance());
    QCOMPARE(stack->widget(1), FrmCraftAlgorithm::Instance());
    QCOMPARE(stack->widget(2), FemCraftItem::Instance());
    QCOMPARE(m_page->currentPage(), FrmCraftRemoteData::Instance());
    QVERIFY(!m_page->switchForced());
    QStringList captions;
    for (QPushButton *each : m_page->buttons()) {
        captions << each->text();
        QVERIFY(each->isHidden());
        QVERIFY(each->isCheckable());
        QCOMPARE(each->iconSize(), QSize(30, 20));
        QVERIFY(!each->icon().isNull());
    }
    QCOMPARE(captions, QStringList({"工 艺 记 录", "算 法 编 码", "项 点 编 辑", "构 型 列 表"}));
    auto *left = m_page->findChild<QWidget *>("widgetLeft");
    QCOMPARE(left->property("flag").toString(), QString("btn"));
    QCOMPARE(left->minimumWidth(), 150);
    QCOMPARE(left->maximumWidth(), 150);

    m_page->resize(800, 500);
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page));
}

void tst_FrmCraft::init()
{
    // Back to the record page through the section itself, then to "nobody logged in".
    g_isLoggedIn = true;
    g_allowLeave = true;
    button(DataButton)->click();
    QCOMPARE(m_page->currentPage(), FrmCraftRemoteData::Instance());
    for (QPushButton *each : m_page->buttons())
        each->hide();
    g_isLoggedIn = false;
    g_currentUser = {};
    g_fileDataText = GoodCraftFile;
}

void tst_FrmCraft::logIn(const QStringList &rights)
{
    g_isLoggedIn = true;
    g_currentUser.permissions = rights;
    emit JsonOpration::Instance()->flashGUI();
}

void tst_FrmCraft::listRightsShowButtons_data()
{
    QTest::addColumn<QStringList>("rights");
    QTest::addColumn<bool>("records");
    QTest::addColumn<bool>("algorithms");

    QTest::newRow("craft list") << QStringList{"business:technology:list"} << true << false;
    QTest::newRow("algorithm list") << QStringList{"business:algorithm:list"} << false << true;
    QTest::newRow("all") << QStringList{"*:*:*"} << true << true;
    QTest::newRow("template list only") << QStringList{"business:template:list"} << false << false;
    QTest::newRow("other rights") << QStringList{"business:technology:item",
                                                 "Business:Technology:List", "*:*"}
                                  << false << false;
}

void tst_FrmCraft::listRightsShowButtons()
{
    QFETCH(QStringList, rights);
    QFETCH(bool, records);
    QFETCH(bool, algorithms);
    logIn(rights);
    QCOMPARE(!button(DataButton)->isHidden(), records);
    QCOMPARE(!button(AlgorithmButton)->isHidden(), algorithms);
    QVERIFY(button(EditorButton)->isHidden());
    QVERIFY(button(ConfigurationButton)->isHidden());
}

void tst_FrmCraft::shownButtonsStayForLesserUsers()
{
    logIn({"*:*:*"});
    g_isLoggedIn = false;
    logIn({"business:template:list"});
    QVERIFY(!button(DataButton)->isHidden());
    QVERIFY(!button(AlgorithmButton)->isHidden());
}

void tst_FrmCraft::everyButtonNeedsLogin_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("records") << int(DataButton);
    QTest::newRow("algorithms") << int(AlgorithmButton);
    QTest::newRow("editor") << int(EditorButton);
}

void tst_FrmCraft::everyButtonNeedsLogin()
{
    QFETCH(int, index);
    MessageCapture log;
    button(index)->show();
    QTest::mouseClick(button(index), Qt::LeftButton);
    QCOMPARE(log.messages().size(), 1);
    QVERIFY(log.has(QtCriticalMsg, "请先登录，才能访问远程"));
    QCOMPARE(m_page->currentPage(), FrmCraftRemoteData::Instance());
}

void tst_FrmCraft::switchesWhileLeavingIsAllowed()
{
    logIn({"*:*:*"});
    MessageCapture log;
    QTest::mouseClick(button(AlgorithmButton), Qt::LeftButton);
    QCOMPARE(m_page->currentPage(), FrmCraftAlgorithm::Instance());
    QVERIFY(button(AlgorithmButton)->isChecked());
    QVERIFY(!button(DataButton)->isChecked());
    QTest::mouseClick(button(DataButton), Qt::LeftButton);
    QCOMPARE(m_page->currentPage(), FrmCraftRemoteData::Instance());
    QVERIFY(button(DataButton)->isChecked());
    QVERIFY(!button(AlgorithmButton)->isChecked());
    QVERIFY(log.messages().isEmpty());
}

void tst_FrmCraft::editorRefusedWhenOpenedDirectly()
{
    logIn({"*:*:*"});
    MessageCapture log;
    button(EditorButton)->click();
    QCOMPARE(m_page->currentPage(), FrmCraftRemoteData::Instance());
    QVERIFY(log.has(QtWarningMsg, "请从工艺记录里打开项点"));
    QVERIFY(g_allowLeave);
}

void tst_FrmCraft::editorOpenedFromRecordHoldsThePage()
{
    logIn({"*:*:*"});
    MessageCapture log;
    FrmCraftRemoteData::Instance()->openItemPoints("9");
    QCOMPARE(m_page->currentPage(), FemCraftItem::Instance());
    QVERIFY(!g_allowLeave);
    QVERIFY(!m_page->switchForced());
    QVERIFY(button(EditorButton)->isChecked());
    QVERIFY(!button(DataButton)->isChecked());
    QVERIFY(log.messages().isEmpty());

    QTest::mouseClick(button(AlgorithmButton), Qt::LeftButton);
    QTest::mouseClick(button(DataButton), Qt::LeftButton);
    QCOMPARE(m_page->currentPage(), FemCraftItem::Instance());
    QCOMPARE(log.texts(), QStringList({"还未将配置的工艺文件上传，请先提交。。。",
                                       "还未将配置的工艺文件上传，请先提交。。。"}));
    QCOMPARE(log.messages().first().first, QtWarningMsg);

    log.clear();
    button(EditorButton)->click(); // while the editor holds work: refused without a word
    QVERIFY(log.messages().isEmpty());
    QCOMPARE(m_page->currentPage(), FemCraftItem::Instance());

    FemCraftItem::Instance()->uploadButton()->click();
    QTest::mouseClick(button(AlgorithmButton), Qt::LeftButton);
    QCOMPARE(m_page->currentPage(), FrmCraftAlgorithm::Instance());
}

void tst_FrmCraft::unreadableCraftFileLetsTheOperatorLeave()
{
    logIn({"*:*:*"});
    g_fileDataText = "{not json";
    MessageCapture log;
    FrmCraftRemoteData::Instance()->openItemPoints("9");
    QCOMPARE(m_page->currentPage(), FemCraftItem::Instance());
    QVERIFY(g_allowLeave);
    QCOMPARE(log.messages().size(), 1);
    QCOMPARE(log.messages().first().first, QtCriticalMsg);
    QTest::mouseClick(button(DataButton), Qt::LeftButton);
    QCOMPARE(m_page->currentPage(), FrmCraftRemoteData::Instance());
}

void tst_FrmCraft::forcedSwitchSurvivesRefusedLogin()
{
    g_currentUser.permissions = QStringList{"business:technology:item"};
    MessageCapture log;
    FrmCraftRemoteData::Instance()->openItemPoints("3");
    QVERIFY(!g_allowLeave); // the editor loaded
    QVERIFY(log.has(QtCriticalMsg, "请先登录，才能访问远程"));
    QCOMPARE(m_page->currentPage(), FrmCraftRemoteData::Instance());
    QVERIFY(m_page->switchForced());

    logIn({"*:*:*"});
    QTest::mouseClick(button(AlgorithmButton), Qt::LeftButton);
    QCOMPARE(m_page->currentPage(), FrmCraftAlgorithm::Instance());
    QVERIFY(!m_page->switchForced());
    g_allowLeave = true;
}

void tst_FrmCraft::repeatedSetUpConnectsOnce()
{
    logIn({"*:*:*"});
    QVERIFY(QMetaObject::invokeMethod(m_page, "initSignalSlot"));
    g_fileDataText = "broken";
    MessageCapture log;
    FrmCraftRemoteData::Instance()->openItemPoints("1");
    QCOMPARE(log.messages().size(), 1); // the editor loaded once
}

QTEST_MAIN(tst_FrmCraft)
#include "tst_frmcraft.moc"
