#include <QtTest>

#include <QAction>
#include <QDirIterator>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTcpServer>

#include "app/frmcraft.h"
#include "app/frmmain.h"
#include "app/frmtemplate.h"
#include "common/appstate.h"
#include "net/httptool.h"
#include "net/jsonopration.h"
#include "net/logindialog.h"
#include "support/fakeserver.h"
#include "support/messagecapture.h"

namespace {
const char *const WrongPassword = "用户不存在或密码错误";

QPushButton *mainButton(const char *name)
{
    return frmMain::Instance()->findChild<QPushButton *>(QLatin1String(name));
}

QAction *loginMenu(const QString &text)
{
    for (QAction *action : mainButton("btn_login")->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

// Which list buttons of the main window and the two sections can be seen.
QStringList shownButtons()
{
    QStringList shown;
    for (const char *name : {"btn_craft", "btn_template"}) {
        if (!mainButton(name)->isHidden())
            shown << name;
    }
    QList<QPushButton *> sectionButtons = frmCraft::Instance()->buttons();
    sectionButtons += Frmtemplate::Instance()->buttons();
    for (QPushButton *button : sectionButtons) {
        if (!button->isHidden())
            shown << button->objectName();
    }
    return shown;
}
} // namespace

// The login from the main window's button through the dialog to a real HTTP server and
// back to the buttons the user's rights allow.
class tst_LoginRoad : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void dialogHidesThePassword();
    void wholeRoad_data();
    void wholeRoad();
    void wrongPasswordKeepsDialogOpen();
    void secondLoginWithFewerRightsHidesNothing();
    void failedSwitchKeepsTheSession();
    void serverAwayEndsWithCritical_data();
    void serverAwayEndsWithCritical();
    void malformedRepliesAreIgnored_data();
    void malformedRepliesAreIgnored();
    void logOutAfterLogin_data();
    void logOutAfterLogin();
    void secretsNeverReachTheLog();

private:
    // Fills the open dialog and presses its login button; cancels it when it stays open.
    // Returns whether the login closed the dialog.
    bool loginWith(const QString &user, const QString &password, QAction *via = nullptr);

    QTemporaryDir m_dir;
    FakeServer m_server;
    QStringList m_emitted;
    bool m_stayedOpen = false;
};

void tst_LoginRoad::initTestCase()
{
    QVERIFY(m_dir.isValid());
    g_logFileDir = m_dir.path();
    QVERIFY(m_server.listen());
    m_server.addUser("admin", {"admin123", 1, "管理员", {"*:*:*"}});
    m_server.addUser("planner", {"plan-456", 2, "模板员", {"business:template:list"}});
    m_server.addUser("viewer", {"view-789", 3, "查看", {"business:template:query"}});
    m_server.addUser("nobody", {"none-000", 4, "无权", {}});

    frmMain::Instance();
    g_httpBaseUrl = m_server.baseUrl();
    QVERIFY(loginMenu("切换账号") && loginMenu("退出登录"));

    auto *parser = JsonOpration::Instance();
    connect(parser, &JsonOpration::setCurrentUserInfo, this, [this] { m_emitted << "user"; });
    connect(parser, &JsonOpration::flashGUI, this, [this] { m_emitted << "flash"; });
    connect(parser, &JsonOpration::flashAllRemoteView, this, [this] { m_emitted << "views"; });
}

void tst_LoginRoad::init()
{
    g_allowLeave = true;
    g_isLoggedIn = true;
    loginMenu("退出登录")->trigger();
    QList<QPushButton *> sectionButtons = frmCraft::Instance()->buttons();
    sectionButtons += Frmtemplate::Instance()->buttons();
    for (QPushButton *button : sectionButtons)
        button->hide();
    QVERIFY(shownButtons().isEmpty());
    g_token.clear();
    g_currentUser = {};
    m_server.clearRequests();
    m_emitted.clear();
}

void tst_LoginRoad::cleanup()
{
    m_server.setSilent(false);
    m_server.clearCannedReplies();
    HttpTool::setTimeout(30000);
    g_httpBaseUrl = m_server.baseUrl();
}

bool tst_LoginRoad::loginWith(const QString &user, const QString &password, QAction *via)
{
    m_stayedOpen = false;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = LoginDialog::Instance();
        auto *name = dialog->findChild<QLineEdit *>("txtUserName");
        auto *secret = dialog->findChild<QLineEdit *>("txtPassword");
        name->clear();
        secret->clear();
        QTest::keyClicks(name, user);
        QTest::keyClicks(secret, password);
        QTest::mouseClick(dialog->findChild<QPushButton *>("btnOk"), Qt::LeftButton);
        m_stayedOpen = dialog->isVisible();
        if (m_stayedOpen)
            QTest::mouseClick(dialog->findChild<QPushButton *>("btnCancel"), Qt::LeftButton);
    });
    if (via)
        via->trigger();
    else
        QTest::mouseClick(mainButton("btn_login"), Qt::LeftButton);
    return !m_stayedOpen && LoginDialog::Instance()->result() == QDialog::Accepted;
}

void tst_LoginRoad::dialogHidesThePassword()
{
    auto *dialog = LoginDialog::Instance();
    QVERIFY(dialog->isModal());
    QVERIFY(dialog->windowFlags() & Qt::FramelessWindowHint);
    auto *name = dialog->findChild<QLineEdit *>("txtUserName");
    auto *secret = dialog->findChild<QLineEdit *>("txtPassword");
    QCOMPARE(name->echoMode(), QLineEdit::Normal);
    QCOMPARE(secret->echoMode(), QLineEdit::Password);
    QVERIFY(!name->placeholderText().isEmpty());
    QVERIFY(!secret->placeholderText().isEmpty());
}

void tst_LoginRoad::wholeRoad_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("nameText");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<bool>("told");

    QTest::newRow("template list only")
        << "planner"
        << "plan-456"
        << "2|planner" << QStringList{"btn_template", "btn_project_remote"} << true;
    QTest::newRow("all rights") << "admin"
                                << "admin123"
                                << "1|admin"
                                << QStringList{"btn_craft", "btn_template", "btn_data_remote",
                                               "btn_algorithm", "btn_project_remote"}
                                << true;
    QTest::newRow("no list right") << "viewer"
                                   << "view-789"
                                   << "3|viewer" << QStringList() << true;
    QTest::newRow("no rights at all") << "nobody"
                                      << "none-000"
                                      << "" << QStringList() << false;
}

void tst_LoginRoad::wholeRoad()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, nameText);
    QFETCH(QStringList, shown);
    QFETCH(bool, told);

    QVERIFY(loginWith(user, password));

    const QList<FakeServer::Request> requests = m_server.requests();
    QCOMPARE(requests.size(), 2);
    QCOMPARE(requests[0].method, QByteArray("POST"));
    QCOMPARE(requests[0].path, QByteArray("/login"));
    QCOMPARE(requests[0].headers.value("content-type"),
             QByteArray("application/json;charset=utf-8"));
    const QJsonObject posted = QJsonDocument::fromJson(requests[0].body).object();
    QCOMPARE(posted, QJsonObject({{"username", user}, {"password", password}}));

    QCOMPARE(g_token, FakeServer::tokenOf(user));
    QCOMPARE(requests[1].method, QByteArray("GET"));
    QCOMPARE(requests[1].path, QByteArray("/getInfo"));
    QCOMPARE(requests[1].headers.value("authorization"), g_token.toUtf8()); // no scheme word
    QCOMPARE(requests[1].headers.value("content-type"),
             QByteArray("application/json;charset=utf-8"));

    QVERIFY(g_isLoggedIn);
    QCOMPARE(m_emitted, told ? QStringList({"user", "flash", "views"}) : QStringList());
    if (told)
        QCOMPARE(g_currentUser.userName, nameText);
    QCOMPARE(shownButtons(), shown);
}

void tst_LoginRoad::wrongPasswordKeepsDialogOpen()
{
    MessageCapture log;
    QVERIFY(!loginWith("admin", "admin124"));
    QVERIFY(m_stayedOpen);
    QVERIFY(log.has(QtCriticalMsg, WrongPassword));
    QCOMPARE(m_server.requests().size(), 1);
    QVERIFY(!g_isLoggedIn);
    QVERIFY(g_token.isEmpty());
    QVERIFY(m_emitted.isEmpty());
}

void tst_LoginRoad::secondLoginWithFewerRightsHidesNothing()
{
    QVERIFY(loginWith("admin", "admin123"));
    const QStringList everything = shownButtons();
    QCOMPARE(everything.size(), 5);

    QVERIFY(loginWith("planner", "plan-456", loginMenu("切换账号")));
    QCOMPARE(shownButtons(), everything);
    QCOMPARE(g_token, FakeServer::tokenOf("planner"));
    QCOMPARE(g_currentUser.userName, QString("2|planner"));
    // The new user's rights only: the row buttons must not grant the first user's rights.
    QCOMPARE(g_currentUser.permissions, QStringList{"business:template:list"});
}

void tst_LoginRoad::failedSwitchKeepsTheSession()
{
    QVERIFY(loginWith("admin", "admin123"));
    m_emitted.clear();
    MessageCapture log;
    QVERIFY(!loginWith("planner", "wrong", loginMenu("切换账号")));
    QVERIFY(m_stayedOpen);
    QVERIFY(log.has(QtCriticalMsg, WrongPassword));
    QCOMPARE(g_token, FakeServer::tokenOf("admin"));
    QVERIFY(g_isLoggedIn);
    QVERIFY(m_emitted.isEmpty());
}

void tst_LoginRoad::serverAwayEndsWithCritical_data()
{
    QTest::addColumn<bool>("refused");
    QTest::newRow("connection refused") << true;
    QTest::newRow("never answers") << false;
}

void tst_LoginRoad::serverAwayEndsWithCritical()
{
    QFETCH(bool, refused);
    if (refused) {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
        g_httpBaseUrl = QString("http://127.0.0.1:%1").arg(closed.serverPort());
    } else {
        m_server.setSilent(true);
        HttpTool::setTimeout(300);
    }
    MessageCapture log;
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!loginWith("admin", "admin123"));
    QVERIFY(clock.elapsed() < 10000);
    QVERIFY(m_stayedOpen);
    QCOMPARE(log.messages().size(), 1);
    QCOMPARE(log.messages().first().first, QtCriticalMsg);
    QVERIFY(!log.has(QtCriticalMsg, WrongPassword));
    QVERIFY(!g_isLoggedIn);
    QVERIFY(g_token.isEmpty());
    QCOMPARE(m_server.requests().size(), refused ? 0 : 1);
}

void tst_LoginRoad::malformedRepliesAreIgnored_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("loggedIn");

    QTest::newRow("login not json")
        << QByteArray("/login") << QByteArray("<html>502</html>") << false;
    QTest::newRow("login empty") << QByteArray("/login") << QByteArray() << false;
    QTest::newRow("login array") << QByteArray("/login") << QByteArray(R"(["token"])") << false;
    QTest::newRow("login without token")
        << QByteArray("/login") << QByteArray(R"({"code":200,"msg":"操作成功"})") << false;
    QTest::newRow("login refused beside a token")
        << QByteArray("/login") << QByteArray(R"({"code":500,"msg":"账号已停用","token":"t-1"})")
        << false;
    QTest::newRow("login token not text")
        << QByteArray("/login") << QByteArray(R"({"code":200,"msg":"操作成功","token":7})")
        << false;
    QTest::newRow("info not json") << QByteArray("/getInfo") << QByteArray("{\"user\":") << true;
    QTest::newRow("info without user")
        << QByteArray("/getInfo") << QByteArray(R"({"code":200,"permissions":["*:*:*"]})") << true;
    QTest::newRow("info user not object")
        << QByteArray("/getInfo") << QByteArray(R"({"user":"admin","permissions":["*:*:*"]})")
        << true;
    QTest::newRow("info user without names")
        << QByteArray("/getInfo") << QByteArray(R"({"user":{},"permissions":["*:*:*"]})") << true;
    QTest::newRow("info rights not list")
        << QByteArray("/getInfo")
        << QByteArray(R"({"user":{"userId":1,"userName":"a"},"permissions":"*:*:*"})") << true;
    QTest::newRow("info rights not text")
        << QByteArray("/getInfo")
        << QByteArray(R"({"user":{"userId":1,"userName":"a"},"permissions":[1,null]})") << true;
}

void tst_LoginRoad::malformedRepliesAreIgnored()
{
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, reply);
    QFETCH(bool, loggedIn);
    m_server.setCannedReply(path, reply);

    MessageCapture log;
    QCOMPARE(loginWith("admin", "admin123"), loggedIn);
    QCOMPARE(g_isLoggedIn, loggedIn);
    QVERIFY(m_emitted.isEmpty());
    QVERIFY(shownButtons().isEmpty());
    QCOMPARE(log.has(QtCriticalMsg, WrongPassword), !loggedIn);
}

void tst_LoginRoad::logOutAfterLogin_data()
{
    QTest::addColumn<bool>("allowLeave");
    QTest::newRow("leaving allowed") << true;
    QTest::newRow("editor holds work") << false;
}

void tst_LoginRoad::logOutAfterLogin()
{
    QFETCH(bool, allowLeave);
    QVERIFY(loginWith("admin", "admin123"));
    auto *stack = frmMain::Instance()->findChild<QStackedWidget *>("stackedWidget");
    const int before = stack->currentIndex();
    g_allowLeave = allowLeave;

    loginMenu("退出登录")->trigger();
    QVERIFY(!g_isLoggedIn);
    QVERIFY(mainButton("btn_craft")->isHidden());
    QVERIFY(mainButton("btn_template")->isHidden());
    QCOMPARE(stack->currentIndex(), allowLeave ? 2 : before);
    g_allowLeave = true;
}

void tst_LoginRoad::secretsNeverReachTheLog()
{
    MessageCapture log(true);
    QVERIFY(!loginWith("admin", "s3cret-wrong"));
    QVERIFY(loginWith("admin", "admin123"));
    m_server.setSilent(true);
    HttpTool::setTimeout(200);
    QVERIFY(!loginWith("planner", "plan-456", loginMenu("切换账号")));
    QVERIFY(log.messages().size() >= 2);

    QString written = log.joined();
    QDirIterator files(m_dir.path(), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        QVERIFY(file.open(QIODevice::ReadOnly));
        written += QString::fromUtf8(file.readAll());
    }
    QVERIFY(written.contains(WrongPassword)); // the log was reached at all
    for (const QString &secret : {QString("s3cret-wrong"), QString("admin123"), QString("plan-456"),
                                  FakeServer::tokenOf("admin")})
        QVERIFY2(!written.contains(secret), qPrintable(secret));
}

QTEST_MAIN(tst_LoginRoad)
#include "tst_loginroad.moc"
