#include <QtTest>

#include "app/frmtemplate.h"
#include "common/appstate.h"
#include "net/jsonopration.h"
#include "paint/frmtemplatepropaint.h"
#include "records/frmtemplateproremote.h"
#include "support/messagecapture.h"

#include <QPushButton>
#include <QStackedWidget>

namespace {
enum
{
    RecordButton,
    PaintButton
};
} // namespace

class tst_FrmTemplate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void listRightShowsRecordButton_data();
    void listRightShowsRecordButton();
    void onlyTheRecordButtonNeedsLogin();
    void paintingPageReachedOnlyWhenOpened_data();
    void paintingPageReachedOnlyWhenOpened();
    void openedDrawingHoldsThePageUntilSubmitted();

private:
    QPushButton *button(int index) const { return m_page->buttons().at(index); }
    void logIn(const QStringList &rights);
    // Answers the camera and carriage questions with these texts.
    void answer(const QString &camera, const QString &carriage);

    Frmtemplate *m_page = nullptr;
};

void tst_FrmTemplate::initTestCase()
{
    // As the program builds it, before any test has touched it: records, buttons hidden.
    m_page = Frmtemplate::Instance();
    auto *stack = m_page->findChild<QStackedWidget *>("stackedWidget");
    QCOMPARE(stack->count(), 2);
    QCOMPARE(stack->widget(0), FrmTemplateProRemote::Instance());
    QCOMPARE(stack->widget(1), FrmTemplateProPaint::Instance());
    QCOMPARE(m_page->currentPage(), FrmTemplateProRemote::Instance());
    QVERIFY(!m_page->switchForced());
    QCOMPARE(button(RecordButton)->text(), QString("模 板 记 录"));
    QCOMPARE(button(PaintButton)->text(), QString("绘 制 模 板"));
    for (QPushButton *each : m_page->buttons()) {
        QVERIFY(each->isHidden());
        QVERIFY(each->isCheckable());
        QVERIFY(!each->icon().isNull());
        QCOMPARE(each->iconSize(), QSize(30, 20));
    }
    QCOMPARE(m_page->findChild<QWidget *>("widgetLeft")->width(), 150);

    m_page->resize(800, 500);
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page));
}

void tst_FrmTemplate::init()
{
    g_isLoggedIn = true;
    g_allowLeave = true;
    button(RecordButton)->click();
    QCOMPARE(m_page->currentPage(), FrmTemplateProRemote::Instance());
    for (QPushButton *each : m_page->buttons())
        each->hide();
    g_isLoggedIn = false;
    g_currentUser = {};
    g_currentTemplate = {};
    g_currentTemplate.carriageCount = 2;
    answer("ZXB_LC03M", "1");
}

void tst_FrmTemplate::cleanup()
{
    FrmTemplateProPaint::setChooser(nullptr);
    g_allowLeave = true;
}

void tst_FrmTemplate::logIn(const QStringList &rights)
{
    g_isLoggedIn = true;
    g_currentUser.permissions = rights;
    emit JsonOpration::Instance()->flashGUI();
}

void tst_FrmTemplate::answer(const QString &camera, const QString &carriage)
{
    FrmTemplateProPaint::setChooser([=](const QString &title, const QString &) {
        return title == QStringLiteral("选择相机编码") ? camera : carriage;
    });
}

void tst_FrmTemplate::listRightShowsRecordButton_data()
{
    QTest::addColumn<QStringList>("rights");
    QTest::addColumn<bool>("shown");

    QTest::newRow("template list") << QStringList{"business:template:list"} << true;
    QTest::newRow("all") << QStringList{"*:*:*"} << true;
    QTest::newRow("craft lists only")
        << QStringList{"business:technology:list", "business:algorithm:list"} << false;
    QTest::newRow("paint only") << QStringList{"business:template:paint"} << false;
}

void tst_FrmTemplate::listRightShowsRecordButton()
{
    QFETCH(QStringList, rights);
    QFETCH(bool, shown);
    logIn(rights);
    QCOMPARE(!button(RecordButton)->isHidden(), shown);
    QVERIFY(button(PaintButton)->isHidden());
}

void tst_FrmTemplate::onlyTheRecordButtonNeedsLogin()
{
    MessageCapture log;
    button(RecordButton)->show();
    QTest::mouseClick(button(RecordButton), Qt::LeftButton);
    QCOMPARE(log.texts(), QStringList{"请先登录，才能访问远程"});
    QCOMPARE(log.messages().first().first, QtCriticalMsg);

    log.clear();
    button(PaintButton)->click();
    QCOMPARE(log.texts(), QStringList{"请从模板记录里打开绘制界面"});
    QCOMPARE(log.messages().first().first, QtWarningMsg);
    QCOMPARE(m_page->currentPage(), FrmTemplateProRemote::Instance());
}

void tst_FrmTemplate::paintingPageReachedOnlyWhenOpened_data()
{
    QTest::addColumn<int>("carriages");
    QTest::addColumn<QString>("camera");
    QTest::addColumn<QString>("carriage");
    QTest::addColumn<bool>("opened");

    QTest::newRow("opened") << 2 << "ZXB_LC03M"
                            << "2" << true;
    QTest::newRow("no carriages") << 0 << "ZXB_LC03M"
                                  << "1" << false;
    QTest::newRow("camera declined") << 2 << ""
                                     << "1" << false;
    QTest::newRow("carriage declined") << 2 << "ZXB_LC03M"
                                       << "" << false;
}

void tst_FrmTemplate::paintingPageReachedOnlyWhenOpened()
{
    QFETCH(int, carriages);
    QFETCH(QString, camera);
    QFETCH(QString, carriage);
    QFETCH(bool, opened);
    logIn({"*:*:*"});
    g_currentTemplate.carriageCount = carriages;
    answer(camera, carriage);

    FrmTemplateProRemote::Instance()->startPainting("12");
    QCOMPARE(m_page->currentPage(), opened ? static_cast<QWidget *>(FrmTemplateProPaint::Instance())
                                           : FrmTemplateProRemote::Instance());
    QVERIFY(!m_page->switchForced());
    QCOMPARE(button(PaintButton)->isChecked(), opened);
    QCOMPARE(g_allowLeave, !opened);
}

void tst_FrmTemplate::openedDrawingHoldsThePageUntilSubmitted()
{
    logIn({"business:template:list", "business:template:paint"});
    FrmTemplateProRemote::Instance()->startPainting("12");
    QCOMPARE(m_page->currentPage(), FrmTemplateProPaint::Instance());

    MessageCapture log;
    QTest::mouseClick(button(RecordButton), Qt::LeftButton);
    QCOMPARE(m_page->currentPage(), FrmTemplateProPaint::Instance());
    QCOMPARE(log.texts(), QStringList{"绘制的模板文件还未上传，请先提交。。。"});
    QCOMPARE(log.messages().first().first, QtWarningMsg);

    log.clear();
    button(PaintButton)->click(); // already painting: refused silently
    QVERIFY(log.messages().isEmpty());

    FrmTemplateProPaint::Instance()->submitButton()->click();
    QTest::mouseClick(button(RecordButton), Qt::LeftButton);
    QCOMPARE(m_page->currentPage(), FrmTemplateProRemote::Instance());
    QVERIFY(button(RecordButton)->isChecked());
    QVERIFY(!button(PaintButton)->isChecked());
}

QTEST_MAIN(tst_FrmTemplate)
#include "tst_frmtemplate.moc"
