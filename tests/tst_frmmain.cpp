#include <QtTest>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTextEdit>
#include <QWindow>

#include "app/frmmain.h"
#include "common/appstate.h"
#include "common/savelog.h"
#include "net/jsonopration.h"
#include "net/logindialog.h"
#include "support/messagecapture.h"
#include "support/modalbox.h"
#include "widgets/bottomwidget.h"
#include "widgets/framelesshelper.h"
#include "widgets/trayicon.h"
#include "widgets/appearance.h"

namespace {

const QString kGuardWarning = QStringLiteral("请先保存当前页面，执行保存和提交");

QPushButton *button(QWidget &w, const char *name)
{
    return w.findChild<QPushButton *>(QLatin1String(name));
}

QStringList checkedButtons(QWidget &w)
{
    QStringList names;
    for (const char *name : {"btn_craft", "btn_template", "btn_setparams", "btn_debug"}) {
        if (button(w, name)->isChecked())
            names << QLatin1String(name);
    }
    return names;
}

int currentPage(QWidget &w)
{
    return w.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"))->currentIndex();
}

QAction *actionNamed(QWidget *owner, const QString &text)
{
    for (QAction *action : owner->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

void login(const QStringList &permissions)
{
    g_currentUser.permissions = permissions;
    g_isLoggedIn = true;
    emit JsonOpration::Instance()->setCurrentUserInfo(g_currentUser);
    emit JsonOpration::Instance()->flashGUI();
}

} // namespace

class tst_frmMain : public QObject
{
    Q_OBJECT

    QTemporaryDir m_logDir;
    frmMain *m_window = nullptr;
    QRect m_restoredGeometry;

private slots:
    void initTestCase();
    void init();
    // First, while the window has never been shown: shown, it is held to its layout's
    // minimum height, taller than the offscreen screen.
    void maximiseToggle();
    void navigationGuard_data();
    void navigationGuard();
    void permissions_data();
    void permissions();
    void secondLoginWithFewerRightsHidesNothing();
    void logOut_data();
    void logOut();
    void loginButton();
    void skinMenu();
    void skinSwitchesTheme_data();
    void skinSwitchesTheme();
    void skinResource_data();
    void skinResource();
    void showHideLog();
    void levelListSetsTheMask();
    void declinedExitLeavesEverything_data();
    void declinedExitLeavesEverything();
    void glyphIcons();
    void saveBoxSwitchesTheLogger();
    void statusBarShowsThreeItems();
    void framelessFollowsMaximise();
    void trayRestoresWindow();
    // Last, on windows of their own: a second window takes the pages of the first over.
    void logPanelKeepsAHundredLines();
    void logPanelManualClearKeepsTheCount();
};

void tst_frmMain::initTestCase()
{
    QVERIFY(m_logDir.isValid());
    g_logFileDir = m_logDir.path();

    // As the program builds it, before any test has touched it: on the craft page with the
    // list buttons hidden, maximised by geometry, not by the window system's state.
    m_window = frmMain::Instance();
    frmMain &w = *m_window;
    QCOMPARE(w.windowTitle(), QStringLiteral("Norvo - 模板程序"));
    QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(w.property("form").toBool(), true);
    QCOMPARE(currentPage(w), 0);
    QCOMPARE(checkedButtons(w), QStringList{"btn_craft"});
    QVERIFY(button(w, "btn_craft")->isHidden());
    QVERIFY(button(w, "btn_template")->isHidden());
    QVERIFY(!button(w, "btn_setparams")->isHidden());
    QVERIFY(!button(w, "btn_debug")->isHidden());
    QCOMPARE(button(w, "btn_setparams")->text(), QStringLiteral("设 置"));
    QCOMPARE(button(w, "btn_debug")->text(), QStringLiteral("调 试"));
    QCOMPARE(w.geometry(), QGuiApplication::primaryScreen()->geometry());
    QCOMPARE(w.property("canMove").toBool(), false);
    QCOMPARE(button(w, "btnMenu_Max")->text(), QString(QChar(0xf2d2)));
    auto *helper = w.findChild<FramelessHelper *>();
    QVERIFY(helper);
    QVERIFY(!helper->isMovable());
    QVERIFY(!helper->isResizable());

    // Restored once to learn the geometry it was built with.
    button(w, "btnMenu_Max")->click();
    m_restoredGeometry = w.geometry();
}

void tst_frmMain::init()
{
    g_allowLeave = true;
    g_isLoggedIn = false;
    g_currentUser = ModelUserInfoItem();

    // Logged out through the login button's menu, back on the craft page, and maximised
    // from the geometry it was built with.
    frmMain &w = *m_window;
    actionNamed(button(w, "btn_login"), QStringLiteral("退出登录"))->trigger();
    button(w, "btn_craft")->click();
    if (!w.property("canMove").toBool())
        button(w, "btnMenu_Max")->click();
    w.setGeometry(m_restoredGeometry);
    button(w, "btnMenu_Max")->click();
}

void tst_frmMain::navigationGuard_data()
{
    QTest::addColumn<bool>("allowLeave");
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("checked");
    QTest::addColumn<bool>("warned");

    QTest::newRow("allowed settings")
        << true << "btn_setparams" << 2 << QStringList{"btn_setparams"} << false;
    QTest::newRow("allowed debug") << true << "btn_debug" << 3 << QStringList{"btn_debug"} << false;
    QTest::newRow("allowed hidden template")
        << true << "btn_template" << 1 << QStringList{"btn_template"} << false;
    // A refused click keeps the page; the clicked button keeps the toggle it got.
    QTest::newRow("refused settings")
        << false << "btn_setparams" << 0 << QStringList{"btn_craft", "btn_setparams"} << true;
    QTest::newRow("refused own page") << false << "btn_craft" << 0 << QStringList{} << true;
}

void tst_frmMain::navigationGuard()
{
    QFETCH(bool, allowLeave);
    QFETCH(QString, clicked);
    QFETCH(int, page);
    QFETCH(QStringList, checked);
    QFETCH(bool, warned);

    frmMain &w = *m_window;
    g_allowLeave = allowLeave;
    MessageCapture log;
    button(w, qPrintable(clicked))->click();
    QCOMPARE(currentPage(w), page);
    QCOMPARE(checkedButtons(w), checked);
    QCOMPARE(log.has(QtWarningMsg, kGuardWarning), warned);
}

void tst_frmMain::permissions_data()
{
    QTest::addColumn<QStringList>("permissions");
    QTest::addColumn<bool>("craft");
    QTest::addColumn<bool>("templ");

    QTest::newRow("template only") << QStringList{"business:template:list"} << false << true;
    QTest::newRow("craft only") << QStringList{"business:technology:list"} << true << false;
    QTest::newRow("everything") << QStringList{"*:*:*"} << true << true;
    QTest::newRow("both lists") << QStringList{"business:template:list", "business:technology:list"}
                                << true << true;
    QTest::newRow("neither") << QStringList{"business:template:query", "business:technology:add"}
                             << false << false;
    QTest::newRow("case matters") << QStringList{"Business:Template:List", "*:*"} << false << false;
    QTest::newRow("no partial match")
        << QStringList{"business:template:list:x", " *:*:*"} << false << false;
}

void tst_frmMain::permissions()
{
    QFETCH(QStringList, permissions);
    QFETCH(bool, craft);
    QFETCH(bool, templ);

    frmMain &w = *m_window;
    login(permissions);
    QCOMPARE(!button(w, "btn_craft")->isHidden(), craft);
    QCOMPARE(!button(w, "btn_template")->isHidden(), templ);
    QVERIFY(!button(w, "btn_setparams")->isHidden());
    QVERIFY(!button(w, "btn_debug")->isHidden());
}

void tst_frmMain::secondLoginWithFewerRightsHidesNothing()
{
    frmMain &w = *m_window;
    login({"*:*:*"});
    login({"business:template:query"});
    QVERIFY(!button(w, "btn_craft")->isHidden());
    QVERIFY(!button(w, "btn_template")->isHidden());
}

void tst_frmMain::logOut_data()
{
    QTest::addColumn<bool>("allowLeave");
    QTest::newRow("leaving allowed") << true;
    QTest::newRow("leaving refused") << false;
}

void tst_frmMain::logOut()
{
    QFETCH(bool, allowLeave);
    frmMain &w = *m_window;
    login({"*:*:*"});
    g_token = QStringLiteral("token-1");
    g_allowLeave = allowLeave;

    QAction *logOut = actionNamed(button(w, "btn_login"), QStringLiteral("退出登录"));
    QVERIFY(logOut);
    QVERIFY(actionNamed(button(w, "btn_login"), QStringLiteral("切换账号")));
    MessageCapture log;
    logOut->trigger();

    QVERIFY(!g_isLoggedIn);
    QVERIFY(button(w, "btn_craft")->isHidden());
    QVERIFY(button(w, "btn_template")->isHidden());
    QCOMPARE(currentPage(w), allowLeave ? 2 : 0);
    QCOMPARE(log.has(QtWarningMsg, kGuardWarning), !allowLeave);
    // Only the flag goes: token and user stay until the next login.
    QCOMPARE(g_token, QStringLiteral("token-1"));
    QCOMPARE(g_currentUser.permissions, QStringList{"*:*:*"});
}

void tst_frmMain::loginButton()
{
    frmMain &w = *m_window;
    QPushButton *login = button(w, "btn_login");

    // Not logged in: the dialog opens modally.
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = LoginDialog::Instance()->isVisible();
        LoginDialog::Instance()->reject();
    });
    login->click();
    QVERIFY(shown);

    // Logged in: only a warning.
    g_isLoggedIn = true;
    MessageCapture log;
    shown = false;
    QTimer::singleShot(0, [&] {
        shown = LoginDialog::Instance()->isVisible();
        LoginDialog::Instance()->reject();
    });
    login->click();
    QCoreApplication::processEvents();
    QVERIFY(!shown);
    QVERIFY(log.has(QtWarningMsg, QStringLiteral("已经登录过了，可以访问远程了")));
}

void tst_frmMain::skinMenu()
{
    frmMain &w = *m_window;
    QCOMPARE(w.contextMenuPolicy(), Qt::ActionsContextMenu);
    QStringList captions;
    for (QAction *action : w.actions())
        captions << action->text();
    QCOMPARE(captions, frmMain::skinCaptions());
    QCOMPARE(captions.size(), 17);
    QCOMPARE(captions.first(), QStringLiteral("银色"));
    QCOMPARE(captions.last(), QStringLiteral("视频黑"));

    QSignalSpy changed(&w, &frmMain::changeStyle);
    w.actions().at(3)->trigger();
    QCOMPARE(changed.count(), 1);
}

void tst_frmMain::skinSwitchesTheme_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("panel");
    // Caption, then the text and panel colours its sheet carries.
    const char *const themes[][3] = {
        {"银色", "#000000", "#F5F5F5"},     {"蓝色", "#324C6C", "#CFDDEE"},
        {"浅蓝色", "#386487", "#EAF7FF"},   {"深蓝色", "#7AAFE3", "#0E1A32"},
        {"灰色", "#000000", "#F0F0F0"},     {"浅灰色", "#6F6F6F", "#F0F0F0"},
        {"深灰色", "#5D5C6C", "#EBECF0"},   {"黑色", "#F0F0F0", "#464646"},
        {"浅黑色", "#E7ECF0", "#616F76"},   {"深黑色", "#D7E2E9", "#1F2026"},
        {"PS黑色", "#DCDCDC", "#444444"},   {"黑色扁平", "#BEC0C2", "#2E2F30"},
        {"白色扁平", "#57595B", "#FFFFFF"}, {"蓝色扁平", "#386487", "#EAF7FF"},
        {"紫色", "#9290C6", "#23253E"},     {"黑蓝色", "#4894C6", "#1B3149"},
        {"视频黑", "#FAF6F7", "#44494F"},
    };
    for (const auto &theme : themes)
        QTest::newRow(theme[0]) << QString::fromUtf8(theme[0]) << theme[1] << theme[2];
}

void tst_frmMain::skinSwitchesTheme()
{
    QFETCH(QString, caption);
    QFETCH(QString, text);
    QFETCH(QString, panel);
    frmMain &w = *m_window;
    g_textColor = g_panelColor = QStringLiteral("#F0F0F0");
    QAction *action = actionNamed(&w, caption);
    QVERIFY(action);
    QSignalSpy changed(&w, &frmMain::changeStyle);
    action->trigger();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(g_textColor, text);
    QCOMPARE(g_panelColor, panel);
    QCOMPARE(QApplication::palette().color(QPalette::Button), QColor(panel));
    QVERIFY(qApp->styleSheet().startsWith(QStringLiteral("QPalette{background:%1").arg(panel),
                                          Qt::CaseInsensitive));
}

void tst_frmMain::skinResource_data()
{
    // Known captions are covered with the real sheets by skinSwitchesTheme.
    QTest::addColumn<QString>("caption");
    QTest::newRow("unknown") << "橙色";
    QTest::newRow("empty") << "";
    QTest::newRow("near miss") << "蓝色 ";
}

void tst_frmMain::skinResource()
{
    QFETCH(QString, caption);
    QCOMPARE(frmMain::skinResource(caption), QStringLiteral(":/qss/lightblue.css"));
}

void tst_frmMain::maximiseToggle()
{
    frmMain &w = *m_window;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    // Maximised by geometry, not by the window system's state.
    QCOMPARE(w.geometry(), screen);
    QCOMPARE(w.property("canMove").toBool(), false);

    button(w, "btnMenu_Max")->click();
    QCOMPARE(w.size(), QSize(948, 713));
    QCOMPARE(w.property("canMove").toBool(), true);

    // A double click on the title bar toggles too.
    QWidget *top = w.findChild<QWidget *>(QStringLiteral("widgetTop"));
    QTest::mouseDClick(top, Qt::LeftButton);
    QCOMPARE(w.geometry(), screen);
    QCOMPARE(w.property("canMove").toBool(), false);
}

void tst_frmMain::logPanelKeepsAHundredLines()
{
    frmMain w; // the panel's line count is zero only in a newly built window
    auto *text = w.findChild<QTextEdit *>(QStringLiteral("txtMain"));
    text->clear();
    for (int i = 1; i <= 100; ++i)
        w.on_flushLogUI(QStringLiteral("line %1").arg(i));
    QCOMPARE(text->document()->blockCount(), 100);
    w.on_flushLogUI(QStringLiteral("line 101"));
    QCOMPARE(text->toPlainText(), QStringLiteral("line 101"));
}

void tst_frmMain::logPanelManualClearKeepsTheCount()
{
    frmMain w; // the panel's line count is zero only in a newly built window
    auto *text = w.findChild<QTextEdit *>(QStringLiteral("txtMain"));
    text->clear();
    for (int i = 1; i <= 60; ++i)
        w.on_flushLogUI(QStringLiteral("line %1").arg(i));
    button(w, "btnLogClear")->click();
    QVERIFY(text->toPlainText().isEmpty());
    for (int i = 61; i <= 100; ++i)
        w.on_flushLogUI(QStringLiteral("line %1").arg(i));
    QCOMPARE(text->document()->blockCount(), 40);
    w.on_flushLogUI(QStringLiteral("line 101"));
    QCOMPARE(text->toPlainText(), QStringLiteral("line 101"));
}

void tst_frmMain::showHideLog()
{
    frmMain &w = *m_window;
    QWidget *frame = w.findChild<QWidget *>(QStringLiteral("frame_log"));
    QVERIFY(!frame->isHidden());
    w.on_showhideLog(0);
    QVERIFY(frame->isHidden());
    w.on_showhideLog(2);
    QVERIFY(!frame->isHidden());
}

void tst_frmMain::levelListSetsTheMask()
{
    frmMain &w = *m_window;
    auto *list = w.findChild<QListWidget *>(QStringLiteral("listType"));
    QCOMPARE(list->count(), 5);
    QCOMPARE(SaveLog::Instance()->GetMsgType(), SaveLog::MsgType_All);

    auto press = [list](int row) {
        QListWidgetItem *item = list->item(row);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
    };
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    press(0);
    QCOMPARE(list->item(0)->checkState(), Qt::Unchecked);
    QCOMPARE(int(SaveLog::Instance()->GetMsgType()), 30);
    press(2);
    QCOMPARE(int(SaveLog::Instance()->GetMsgType()), 26);
    press(0);
    press(2);
    QCOMPARE(int(SaveLog::Instance()->GetMsgType()), 31);
}

void tst_frmMain::saveBoxSwitchesTheLogger()
{
    frmMain &w = *m_window;
    auto *box = w.findChild<QCheckBox *>(QStringLiteral("ckSave"));
    auto *text = w.findChild<QTextEdit *>(QStringLiteral("txtMain"));
    QVERIFY(box->isChecked());
    QSignalSpy lines(SaveLog::Instance(), &SaveLog::flushLogUI);

    text->clear();
    qWarning("panel line one");
    QCOMPARE(lines.count(), 1);
    QVERIFY(text->toPlainText().contains(QLatin1String("panel line one")));

    box->setChecked(false);
    qWarning("not logged");
    QCOMPARE(lines.count(), 1);
    QVERIFY(!text->toPlainText().contains(QLatin1String("not logged")));

    box->setChecked(true);
    qWarning("panel line two");
    QCOMPARE(lines.count(), 2);
}

// Texts of the status bar's labels that are on screen, left to right.
static QStringList shownStatusTexts(QWidget &w)
{
    auto *bar = w.findChild<BottomWidget *>(QStringLiteral("bottomWidget"));
    QStringList texts;
    for (int i = 0; bar && bar->layout() && i < bar->layout()->count(); ++i) {
        auto *label = qobject_cast<QLabel *>(bar->layout()->itemAt(i)->widget());
        if (label && label->isVisible())
            texts << label->text();
    }
    return texts;
}

void tst_frmMain::statusBarShowsThreeItems()
{
    frmMain &w = *m_window;
    w.show();
    auto *bar = w.findChild<BottomWidget *>(QStringLiteral("bottomWidget"));
    QVERIFY(bar);
    QCOMPARE(bar->height(), 25);
    QStringList texts = shownStatusTexts(w);
    QCOMPARE(texts.size(), 3);
    QCOMPARE(texts.at(0), QStringLiteral("欢迎使用Norvo - 模板程序 alpha-V1.0.2.1"));
    QVERIFY(texts.at(1).startsWith(QStringLiteral("已运行: 0天0时0分")));
    QVERIFY(texts.at(2).startsWith(QStringLiteral("当前时间: ")));
    QCOMPARE(bar->findChild<QLabel *>()->font().pixelSize(), 12);

    // A login stores the user in the bar without showing it.
    g_currentUser.userName = QStringLiteral("7|zhang");
    g_currentUser.nickName = QStringLiteral("张三");
    login({QStringLiteral("*:*:*")});
    texts = shownStatusTexts(w);
    QCOMPARE(texts.size(), 3);
    QVERIFY(!texts.join(' ').contains(QStringLiteral("张三")));
    for (QLabel *label : bar->findChildren<QLabel *>())
        QVERIFY(!label->text().startsWith(QStringLiteral("公司")));
}

void tst_frmMain::framelessFollowsMaximise()
{
    frmMain &w = *m_window;
    w.show();
    auto *helper = w.findChild<FramelessHelper *>();
    QVERIFY(helper);
    QCOMPARE(FramelessHelper::titleBarHeight(), 80);
    // Maximised: neither moved nor resized.
    QVERIFY(!helper->isMovable());
    QVERIFY(!helper->isResizable());

    auto *top = w.findChild<QWidget *>(QStringLiteral("widgetTop"));
    const QPoint grip(400, 60); // title bar, between the logo and the buttons
    QVERIFY(!qobject_cast<QPushButton *>(top->childAt(grip)));
    const QRect maximised = w.geometry();
    QTest::mousePress(top, Qt::LeftButton, {}, grip);
    QMouseEvent drag(QEvent::MouseMove, top->mapTo(&w, grip) + QPoint(30, 20),
                     top->mapToGlobal(grip) + QPoint(30, 20), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&w, &drag);
    QTest::mouseRelease(top, Qt::LeftButton, {}, grip);
    QCOMPARE(w.geometry(), maximised);

    button(w, "btnMenu_Max")->click();
    QVERIFY(helper->isMovable());
    QVERIFY(helper->isResizable());
    const QRect restored = w.geometry();

    // Dragged by its title bar: pressed on a child that leaves the press to the window.
    QTest::mousePress(top, Qt::LeftButton, {}, grip);
    QMouseEvent move(QEvent::MouseMove, top->mapTo(&w, grip) + QPoint(30, 20),
                     top->mapToGlobal(grip) + QPoint(30, 20), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&w, &move);
    QTest::mouseRelease(top, Qt::LeftButton, {}, grip);
    QCOMPARE(w.geometry(), restored.translated(30, 20));

    // Resized at its left edge.
    const QRect moved = w.geometry();
    QTest::mousePress(&w, Qt::LeftButton, {}, QPoint(2, 300));
    QMouseEvent pull(QEvent::MouseMove, QPoint(-48, 300), w.mapToGlobal(QPoint(-48, 300)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &pull);
    QTest::mouseRelease(&w, Qt::LeftButton, {}, QPoint(-48, 300));
    QCOMPARE(w.geometry().left(), moved.left() - 48);
    QCOMPARE(w.geometry().right(), moved.right());

    button(w, "btnMenu_Max")->click();
    QVERIFY(!helper->isMovable());
    QVERIFY(!helper->isResizable());
}

void tst_frmMain::trayRestoresWindow()
{
    frmMain &w = *m_window;
    w.show();
    QSystemTrayIcon *icon = TrayIcon::Instance()->findChild<QSystemTrayIcon *>();
    QVERIFY(icon);
    QCOMPARE(icon->toolTip(), QStringLiteral("Norvo模板软件"));
    QVERIFY(icon->isVisible());
    const QList<QAction *> actions = icon->contextMenu()->actions();
    QVERIFY(actions.size() >= 2);
    QCOMPARE(actions.at(actions.size() - 2)->text(), QStringLiteral("主界面"));
    QCOMPARE(actions.last()->text(), QStringLiteral("退出"));

    w.showMinimized();
    emit icon->activated(QSystemTrayIcon::Trigger);
    QVERIFY(!(w.windowState() & Qt::WindowMinimized));
    w.showMinimized();
    actions.at(actions.size() - 2)->trigger();
    QVERIFY(!(w.windowState() & Qt::WindowMinimized));
}

void tst_frmMain::declinedExitLeavesEverything_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("byWindowSystem"); // Alt+F4, a taskbar's close
    QTest::newRow("cancel") << "btnCancel" << false;
    QTest::newRow("close button") << "btnMenu_Close" << false;
    QTest::newRow("escape") << "escape" << false;
    QTest::newRow("window system close, cancel") << "btnCancel" << true;
}

void tst_frmMain::declinedExitLeavesEverything()
{
    QFETCH(QString, how);
    QFETCH(bool, byWindowSystem);
    frmMain &w = *m_window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    button(w, "btn_debug")->click();
    const QRect geometry = w.geometry();

    QString question;
    bool answered = false;
    ModalBox::whenShown([&](QWidget *box) {
        if (auto *info = box->findChild<QLabel *>(QStringLiteral("labInfo")))
            question = info->text();
        if (how == QLatin1String("escape"))
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->findChild<QPushButton *>(how)->click();
        answered = true;
    });
    if (byWindowSystem)
        w.windowHandle()->close();
    else
        button(w, "btnMenu_Close")->click();

    QVERIFY(answered);
    QCOMPARE(question, QStringLiteral("确认退出Kestrane？"));
    QVERIFY(w.isVisible());
    QCOMPARE(w.geometry(), geometry);
    QCOMPARE(currentPage(w), 3);
    QCOMPARE(checkedButtons(w), QStringList{"btn_debug"});
}

void tst_frmMain::glyphIcons()
{
    frmMain &w = *m_window;
    for (const char *name : {"btn_craft", "btn_template", "btn_setparams", "btn_debug"}) {
        const QIcon icon = button(w, name)->icon();
        QVERIFY2(!icon.isNull(), name);
        const QImage image = icon.pixmap(20, 20).toImage();
        QCOMPARE(image.size(), QSize(20, 20));
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
        bool painted = false;
        for (int y = 0; y < image.height() && !painted; ++y)
            for (int x = 0; x < image.width() && !painted; ++x)
                painted = image.pixelColor(x, y).alpha() > 0;
        QVERIFY2(painted, name);
    }
    QVERIFY(!button(w, "btn_login")->icon().isNull());
    QCOMPARE(button(w, "btnMenu_Close")->text(), QString(QChar(0xf00d)));
    QCOMPARE(button(w, "btnMenu_Min")->text(), QString(QChar(0xf068)));
    // Maximised, the button offers to restore; toggled back it offers to maximise.
    QCOMPARE(button(w, "btnMenu_Max")->text(), QString(QChar(0xf2d2)));
    button(w, "btnMenu_Max")->click();
    QCOMPARE(button(w, "btnMenu_Max")->text(), QString(QChar(0xf2d0)));
    // Without icon.png beside the executable the logo is the icon-font glyph.
    auto *logo = w.findChild<QLabel *>(QStringLiteral("labLogoBg"));
    QCOMPARE(logo->text(), QString(QChar(0xe513)));
    QCOMPARE(logo->font().family(), QStringLiteral("iconfont"));
}

QTEST_MAIN(tst_frmMain)
#include "tst_frmmain.moc"
