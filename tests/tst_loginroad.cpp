#include <QtTest>

#include <QAbstractNativeEventFilter>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QStackedWidget>
#include <QTcpServer>
#include <QWindow>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "app/frmconfigbasic.h"
#include "app/frmcraft.h"
#include "app/frmmain.h"
#include "app/frmtemplate.h"
#include "app/startup.h"
#include "common/appstate.h"
#include "common/userrights.h"
#include "net/httptool.h"
#include "net/jsonopration.h"
#include "net/logindialog.h"
#include "net/networkmanerger.h"
#include "support/fakeserver.h"
#include "support/filebytes.h"
#include "support/logfiles.h"
#include "support/messagecapture.h"
#include "support/modalbox.h"
#include "support/peakmemory.h"
#include "support/xserver.h"

namespace {
const char *const WrongPassword = "用户不存在或密码错误";
const char *const NoRights = "已登录，但未能读取用户信息：当前账号没有任何权限";
// What the critical message names, by way of failure.
const char *const TooLarge = "超过 1048576 字节";
const char *const HeaderTooLarge = "回复头超过 65536 字节";
const char *const CutOff = "不完整";
const char *const Invalid = "回复无效";

// A critical message holding the fragment and, when given, the URL that failed.
bool saidCritical(const MessageCapture &log, const QString &fragment, const QString &url = {})
{
    const QStringList criticals = log.texts(QtCriticalMsg);
    return std::any_of(criticals.cbegin(), criticals.cend(), [&](const QString &text) {
        return text.contains(fragment) && text.contains(url);
    });
}

bool sameUser(const ModelUserInfoItem &a, const ModelUserInfoItem &b)
{
    return a.userName == b.userName && a.nickName == b.nickName && a.password == b.password &&
           a.permissions == b.permissions;
}

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

QList<QPushButton *> sectionButtons()
{
    return frmCraft::Instance()->buttons() + Frmtemplate::Instance()->buttons();
}

// Which list buttons of the main window and the two sections can be seen.
QStringList shownButtons()
{
    QStringList shown;
    for (const char *name : {"btn_craft", "btn_template"}) {
        if (!mainButton(name)->isHidden())
            shown << name;
    }
    for (QPushButton *button : sectionButtons()) {
        if (!button->isHidden())
            shown << button->objectName();
    }
    return shown;
}

// The login-wait test's child: the program's own start-up under a real X server.
const char kWaitChildFlag[] = "--login-wait-child";
// The memory test's child: one login against the given server, then its peak memory and
// the CPU time it spends in the second after.
const char kPeakChildFlag[] = "--login-peak-child";

qint64 cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
}

int loginAndTellPeak(int argc, char **argv)
{
    QApplication app(argc, argv);
    g_httpBaseUrl = QString::fromLatin1(argv[2]);
    g_currentUser.userName = QStringLiteral("admin");
    g_currentUser.password = QStringLiteral("admin123");
    HttpTool::setTimeout(3000);
    const bool answered = NetWorkManerger::Instance()->UserLogin();
    const qint64 cpuBefore = cpuMs();
    QTest::qWait(1000); // what a transfer left running would spend
    std::printf("%lld %lld\n", PeakMemory::kib(), cpuMs() - cpuBefore);
    return answered ? 0 : 1;
}

// One line to the parent, with the override cursor's shape (-1: none).
void say(const QString &what)
{
    const QCursor *cursor = QGuiApplication::overrideCursor();
    std::printf("%s cursor=%d\n", qPrintable(what), cursor ? int(cursor->shape()) : -1);
    std::fflush(stdout);
}

// Tells each key and button press as the X server delivers it, before Qt acts on it;
// button 2 ends the child.
class XInputReporter : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray &type, void *message, long *) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        // X protocol: a core event has its kind in byte 0 and its button in byte 1; XInput 2
        // (kind 35, how Qt takes the pointer) its own kind at byte 8 and the button at 16.
        // Both number a key press 2 and a button press 4.
        const auto *bytes = static_cast<const uchar *>(message);
        const bool xi2 = (bytes[0] & 0x7f) == 35;
        const int kind = xi2 ? bytes[8] | bytes[9] << 8 : bytes[0] & 0x7f;
        const int button = kind == 4 ? bytes[xi2 ? 16 : 1] : 0;
        if (kind == 2)
            say("key");
        if (button == 1)
            say("click");
        if (button == 2) {
            say(QStringLiteral("marker dialog=%1").arg(LoginDialog::Instance()->isVisible()));
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return false;
    }
};

// Opens the filled-in login dialog from the main window and tells where 取消 is.
void openLoginDialog()
{
    static XInputReporter reporter;
    qApp->installNativeEventFilter(&reporter);
    HttpTool::setTimeout(3000);
    ModalBox::whenShown<LoginDialog>([](LoginDialog *dialog) {
        dialog->findChild<QLineEdit *>("txtUserName")->setText("admin");
        dialog->findChild<QLineEdit *>("txtPassword")->setText("admin123");
        dialog->activateWindow();
        if (!QTest::qWaitForWindowActive(dialog, 20000))
            return say("inactive");
        auto *cancel = dialog->findChild<QPushButton *>("btnCancel");
        const QPoint at = cancel->mapToGlobal(cancel->rect().center());
        say(QStringLiteral("ready %1 %2").arg(at.x()).arg(at.y()));
    });
    mainButton("btn_login")->click();
}

QByteArray logsOf(const QString &folder)
{
    QByteArray text;
    for (const QString &name : LogFiles::list(folder))
        text += FileBytes::read(QDir(folder).filePath(name));
    return text;
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
    void secondLoginWithFewerRightsHidesNothing();
    void serverAwayEndsWithCritical_data();
    void serverAwayEndsWithCritical();
    void loginGoneWrong_data();
    void loginGoneWrong();
    void userIdShownAsSent_data();
    void userIdShownAsSent();
    void logOutAfterLogin_data();
    void logOutAfterLogin();
    void secretsNeverReachTheLog();
    void inputDuringTheWaitIsDropped();
    void endlessReplyStaysNearItsCap_data();
    void endlessReplyStaysNearItsCap();
    void serverAddressFromSettings_data();
    void serverAddressFromSettings();

private:
    // Fills the open dialog and presses its login button; cancels it when it stays open.
    // Returns whether the login closed the dialog.
    bool loginWith(const QString &user, const QString &password, QAction *via = nullptr);
    // Peak memory in KiB of a child logging in once and the CPU time in ms it spent in the
    // second after; {-1, -1} when it failed otherwise than told.
    QPair<qint64, qint64> peakOfLogin(bool answered);

    QTemporaryDir m_dir;
    FakeServer m_server;
    QStringList m_emitted;
    bool m_stayedOpen = false;
};

void tst_LoginRoad::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // The server's address and the log folder come from the settings file, as in the program.
    QVERIFY(m_server.listen());
    g_iniFilePath = m_dir.filePath("Kestrane.ini");
    FileBytes::write(g_iniFilePath, "[Http]\nip=127.0.0.1\nport=" +
                                        QByteArray::number(QUrl(m_server.baseUrl()).port()) +
                                        "\n[Path]\nlogFileDir=" + m_dir.path().toUtf8() + "\n");
    m_server.addUser("admin", {"admin123", 1, "管理员", {"*:*:*"}});
    m_server.addUser("planner", {"plan-456", 2, "模板员", {"business:template:list"}});
    m_server.addUser("viewer", {"view-789", 3, "查看", {"business:template:query"}});
    m_server.addUser("nobody", {"none-000", 4, "无权", {}});

    frmMain::Instance();
    QCOMPARE(g_logFileDir, m_dir.path());
    QCOMPARE(g_httpBaseUrl, m_server.baseUrl());
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
    for (QPushButton *button : sectionButtons())
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
    m_server.clearHostile();
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
    // Qt unpacks a received chunk whole, past any limit: replies are asked for plain.
    QCOMPARE(requests[0].headers.value("accept-encoding"), QByteArray("identity"));
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

void tst_LoginRoad::serverAwayEndsWithCritical_data()
{
    QTest::addColumn<QString>("server");    // %1: a port nobody listens on
    QTest::addColumn<QString>("meanwhile"); // done once the request waits at the server
    QTest::addColumn<QStringList>("said");  // how each message begins; %1: the server address

    const QString unreachable = QStringLiteral("连接服务器失败：%1/login：");
    const QString timedOut = QStringLiteral("服务器无响应，请求超时：%1/login");
    QTest::newRow("connection refused")
        << "http://127.0.0.1:%1" << QString() << QStringList{unreachable};
    QTest::newRow("port not a number")
        << "http://127.0.0.1:8o8o" << QString() << QStringList{unreachable};
    QTest::newRow("never answers") << QString() << QString() << QStringList{timedOut};
    QTest::newRow("never answers, OK pressed again") << QString() << "OK" << QStringList{timedOut};
    QTest::newRow("never answers, another request made")
        << QString() << "request"
        << QStringList{QStringLiteral("上一个请求尚未结束，未发送：%1/getInfo"), timedOut};
    QTest::newRow("never answers, dialog closed by the window system")
        << QString() << "close" << QStringList{timedOut};
    // A session ending: the wait is left early, and that is no time-out.
    QTest::newRow("never answers, application quits") << QString() << "quit" << QStringList();
}

void tst_LoginRoad::serverAwayEndsWithCritical()
{
    QFETCH(QString, server);
    QFETCH(QString, meanwhile);
    QFETCH(QStringList, said);
    // exit() holds for every event loop started later, until exec() runs again.
    const auto resumeLoops = qScopeGuard([&] {
        if (meanwhile != "quit")
            return;
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    });
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
    const quint16 closedPort = closed.serverPort();
    closed.close();
    m_server.setSilent(server.isEmpty());
    if (!server.isEmpty())
        g_httpBaseUrl = server.arg(closedPort);
    HttpTool::setTimeout(500);
    int cursorMeanwhile = -1; // the override cursor's shape once the request waits
    QObject watch;
    connect(&m_server, &FakeServer::received, &watch, [&] {
        if (const QCursor *cursor = QGuiApplication::overrideCursor())
            cursorMeanwhile = cursor->shape();
        if (meanwhile == "OK")
            LoginDialog::Instance()->findChild<QPushButton *>("btnOk")->click();
        else if (meanwhile == "request")
            NetWorkManerger::Instance()->GetUserInfo();
        else if (meanwhile == "close")
            LoginDialog::Instance()->windowHandle()->close();
        else if (meanwhile == "quit")
            QCoreApplication::quit();
    });

    MessageCapture log;
    QVERIFY(!loginWith("admin", "admin123"));
    QVERIFY(m_stayedOpen);
    QCOMPARE(m_server.requests().size(), server.isEmpty() ? 1 : 0);
    const QStringList texts = log.texts();
    QCOMPARE(log.texts(QtCriticalMsg), texts);
    QCOMPARE(texts.size(), said.size());
    for (int i = 0; i < said.size(); ++i)
        QVERIFY2(texts[i].startsWith(said[i].arg(g_httpBaseUrl)), qPrintable(texts[i]));
    QVERIFY(!g_isLoggedIn);
    QVERIFY(g_token.isEmpty());
    QCOMPARE(cursorMeanwhile, server.isEmpty() ? int(Qt::WaitCursor) : -1);
    QVERIFY(!QGuiApplication::overrideCursor());
}

void tst_LoginRoad::loginGoneWrong_data()
{
    QTest::addColumn<bool>("switching");  // admin first, then the attempt through 切换账号
    QTest::addColumn<QByteArray>("path"); // where the server misbehaves; none: wrong password
    QTest::addColumn<FakeServer::Hostile>("mode");
    QTest::addColumn<QByteArray>("canned"); // answered there instead, when not null
    QTest::addColumn<QString>("said");
    QTest::addColumn<ModelUserInfoItem>("after");

    const ModelUserInfoItem none;
    const ModelUserInfoItem admin{"1|admin", "管理员", "admin123", {"*:*:*"}};
    // Logged in without the user information: the name as typed, no rights.
    const ModelUserInfoItem bare{"planner", QString(), "plan-456", {}};
    using H = FakeServer::Hostile;
    for (bool switching : {false, true}) {
        QTest::addRow("wrong password%s", switching ? ", switching" : "")
            << switching << QByteArray() << H{} << QByteArray() << QString(WrongPassword)
            << (switching ? admin : none);
    }

    // Replies that cannot be read, or lack what their kind needs.
    const QByteArray login("/login");
    const QByteArray info("/getInfo");
    const auto unreadable = [&](const char *name, const QByteArray &path, const char *text,
                                const QString &said = Invalid) {
        QTest::newRow(name) << false << path << H{} << QByteArray(text) << said
                            << (path == login ? none : bare);
    };
    unreadable("login empty", login, "");
    unreadable("login array", login, R"(["token"])");
    unreadable("login without token", login, R"({"code":200,"msg":"操作成功"})");
    unreadable("login refused beside a token", login,
               R"({"code":500,"msg":"账号已停用","token":"t-1"})", WrongPassword);
    unreadable("login token not text", login, R"({"code":200,"msg":"操作成功","token":7})");
    unreadable("login token with a control character", login,
               R"({"code":200,"msg":"操作成功","token":"a\u0000b"})");
    unreadable("info not json", info, "{\"user\":");
    unreadable("info without user", info, R"({"code":200,"permissions":["*:*:*"]})");
    unreadable("info user not object", info, R"({"user":"admin","permissions":["*:*:*"]})");
    unreadable("info user without names", info, R"({"user":{},"permissions":["*:*:*"]})");
    unreadable("info rights not list", info,
               R"({"user":{"userId":1,"userName":"a"},"permissions":"*:*:*"})");
    // Readable, only without rights: the names are taken, and nothing is said.
    QTest::newRow("info rights not text")
        << false << info << H{}
        << QByteArray(R"({"user":{"userId":1,"userName":"a"},"permissions":[1,null]})") << QString()
        << ModelUserInfoItem{"1|a", QString(), "plan-456", {}};

    // Each bad answer at the login, with and without a session to fall back to, and at the
    // user information after a switch.
    const auto answer = [&](const char *name, H mode, const QByteArray &canned,
                            const QString &said) {
        for (bool switching : {false, true}) {
            QTest::addRow("%s at login%s", name, switching ? ", switching" : "")
                << switching << login << mode << canned << said << (switching ? admin : none);
        }
        QTest::addRow("%s at user information, switching", name)
            << true << info << mode << canned << said << bare;
    };
    answer("endless body", H::EndlessBody, {}, TooLarge);
    // Never unpacked: the request asks for plain replies.
    answer("gzip bomb", H::GzipBomb, {}, Invalid);
    answer("over the limit", H::OverLimit, {}, TooLarge);
    answer("cut off", H::CutOffBody, {}, CutOff);
    answer("headers then close", H::HeadersThenClose, {}, CutOff);
    answer("header flood", H::HeaderFlood, {}, HeaderTooLarge);
    answer("closed without a word", H::CloseAtOnce, {}, "未作回复即关闭了连接");
    answer("401", H::Unauthorized, {}, "HTTP 401");
    answer("500", H::ServerError, {}, "HTTP 500");
    answer("302", H::Redirect, {}, "HTTP 302");
    answer("not http", H::NotHttp, {}, Invalid);
    answer("html page", {}, "<html><body>502 Bad Gateway</body></html>", Invalid);
    answer("token with CR LF", {}, R"({"code":200,"msg":"操作成功","token":"tok\r\nX-Evil: 1"})",
           Invalid);
}

void tst_LoginRoad::loginGoneWrong()
{
    QFETCH(bool, switching);
    QFETCH(QByteArray, path);
    QFETCH(FakeServer::Hostile, mode);
    QFETCH(QByteArray, canned);
    QFETCH(QString, said);
    QFETCH(ModelUserInfoItem, after);
    if (switching)
        QVERIFY(loginWith("admin", "admin123"));
    const QStringList shownBefore = shownButtons();
    m_emitted.clear();
    m_server.clearRequests();
    if (!canned.isNull())
        m_server.setCannedReply(path, canned);
    else if (!path.isEmpty())
        m_server.setHostile(path, mode);

    MessageCapture log;
    QElapsedTimer clock;
    clock.start();
    // Only a failed user-information request still opens the session.
    const bool accepted = path == "/getInfo";
    const QString password = path.isEmpty() ? "wrong" : "plan-456";
    QCOMPARE(loginWith("planner", password, switching ? loginMenu("切换账号") : nullptr), accepted);
    QVERIFY(clock.elapsed() < HttpTool::timeout() / 3);
    QCOMPARE(m_stayedOpen, !accepted);
    // A refusal names no address; every other failure names the one that failed.
    const QString url = said == WrongPassword ? QString() : m_server.baseUrl() + path;
    if (said.isEmpty())
        QVERIFY2(log.messages().isEmpty(), qPrintable(log.joined()));
    else
        QVERIFY2(saidCritical(log, said, url), qPrintable(log.joined()));
    QCOMPARE(log.has(QtCriticalMsg, WrongPassword), said == WrongPassword);
    QCOMPARE(log.has(QtCriticalMsg, NoRights), accepted && !said.isEmpty());

    // The session before the attempt, whole; or the new user's, holding none of the
    // previous user's rights.
    const QString token = accepted    ? FakeServer::tokenOf("planner")
                          : switching ? FakeServer::tokenOf("admin")
                                      : QString();
    QCOMPARE(g_isLoggedIn, switching || accepted);
    QCOMPARE(g_token, token);
    QVERIFY(sameUser(g_currentUser, after));
    QCOMPARE(currentUserHolds("business:template:paint"), switching && !accepted);
    QVERIFY(m_emitted.isEmpty());
    // Buttons are only ever shown by a login; the pages behind them check the rights.
    QCOMPARE(shownButtons(), shownBefore);
    // No redirect followed, nothing sent twice; the user information asked only after a login.
    const QList<FakeServer::Request> requests = m_server.requests();
    QCOMPARE(requests.size(), accepted ? 2 : 1);
    for (int i = 0; i < requests.size(); ++i)
        QCOMPARE(requests[i].path, i == 0 ? QByteArray("/login") : path);
}

void tst_LoginRoad::userIdShownAsSent_data()
{
    QTest::addColumn<QByteArray>("id");
    QTest::addColumn<QString>("shown");

    QTest::newRow("small") << QByteArray("7") << "7";
    QTest::newRow("beyond double precision")
        << QByteArray("9007199254740993") << "9007199254740993";
    QTest::newRow("lowest 64-bit") << QByteArray("-9223372036854775808") << "-9223372036854775808";
    QTest::newRow("below 64 bits") << QByteArray("-9223372036854775809") << "-9223372036854775809";
    QTest::newRow("largest unsigned 64-bit")
        << QByteArray("18446744073709551615") << "18446744073709551615";
    QTest::newRow("huge") << QByteArray("1e300") << "1e+300";
    QTest::newRow("beyond 64 bits") << QByteArray("-1e19") << "-1e+19";
    QTest::newRow("fraction") << QByteArray("2.5") << "2.5";
    QTest::newRow("text") << QByteArray(R"("u-42")") << "u-42";
    QTest::newRow("true") << QByteArray("true") << "true";
}

void tst_LoginRoad::userIdShownAsSent()
{
    QFETCH(QByteArray, id);
    QFETCH(QString, shown);
    m_server.setCannedReply("/getInfo", R"({"code":200,"msg":"操作成功","user":{"userId":)" + id +
                                            R"(,"userName":"admin"},"permissions":["*:*:*"]})");
    QVERIFY(loginWith("admin", "admin123"));
    QCOMPARE(g_currentUser.userName, shown + "|admin");
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

    // The files the logger writes, in the folder the settings file gave it.
    QString written = QString::fromUtf8(logsOf(g_logFileDir));
    QVERIFY(written.contains(WrongPassword)); // the log file was reached at all
    written += log.joined();
    for (const QString &secret : {QString("s3cret-wrong"), QString("admin123"), QString("plan-456"),
                                  FakeServer::tokenOf("admin")})
        QVERIFY2(!written.contains(secret), qPrintable(secret));
}

// Through a real X server while the login waits: a second Return would press OK again, a
// click lands on 取消. Neither may act, then or after the wait.
void tst_LoginRoad::inputDuringTheWaitIsDropped()
{
    XServer xserver;
    QVERIFY2(!xserver.display().isEmpty(), "Xvfb is missing (scripts/deps.sh installs it)");
    const auto ownDisplay =
        qScopeGuard([display = qgetenv("DISPLAY")] { qputenv("DISPLAY", display); });
    qputenv("DISPLAY", xserver.display().toLatin1()); // for xdotool
    const auto xdotool = [](const QStringList &args) {
        return QProcess::execute("xdotool", args) == 0;
    };

    // This binary under the program's name, its settings pointing at the silent server.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // Kept after a failure, with the child's log.
    const auto keepOnFailure = qScopeGuard([&] { dir.setAutoRemove(!QTest::currentTestFailed()); });
    const QString program = dir.filePath("Kestrane");
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), program));
    const QByteArray port = QByteArray::number(QUrl(m_server.baseUrl()).port());
    FileBytes::write(dir.filePath("Kestrane.ini"), "[Http]\r\nip=127.0.0.1\r\nport=" + port +
                                                       "\r\n[Path]\r\nlogFileDir=logs\r\n");
    m_server.setSilent(true);

    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.setProcessEnvironment(xserver.environment());
    QStringList said;
    connect(&child, &QProcess::readyReadStandardOutput, this, [&] {
        while (child.canReadLine())
            said << QString::fromUtf8(child.readLine().trimmed());
    });
    child.start(program, {kWaitChildFlag});
    QTRY_VERIFY_WITH_TIMEOUT(!said.isEmpty(), 60000);
    const QStringList ready = said.takeFirst().split(' ');
    QCOMPARE(ready.value(0), QString("ready"));

    QVERIFY(xdotool({"key", "Return"}));
    QTRY_COMPARE_WITH_TIMEOUT(m_server.requests().size(), 1, 20000);
    QVERIFY(xdotool({"key", "Return"}));
    QVERIFY(xdotool({"mousemove", ready.value(1), ready.value(2), "click", "1"}));
    // Once the log tells the wait is over, a last click that no widget acts on.
    QTRY_VERIFY_WITH_TIMEOUT(logsOf(dir.filePath("logs")).contains("服务器无响应，请求超时"),
                             20000);
    QVERIFY(xdotool({"click", "2"}));
    QTRY_VERIFY_WITH_TIMEOUT(child.state() == QProcess::NotRunning, 30000);
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);

    // The second Return and the click came during the wait (busy cursor up) and did nothing.
    QCOMPARE(m_server.requests().size(), 1);
    QCOMPARE(said, QStringList({"key cursor=-1", "key cursor=3", "click cursor=3",
                                "marker dialog=1 cursor=-1"}));
}

QPair<qint64, qint64> tst_LoginRoad::peakOfLogin(bool answered)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QSignalSpy done(&child, qOverload<int, QProcess::ExitStatus>(&QProcess::finished));
    child.start(QCoreApplication::applicationFilePath(), {kPeakChildFlag, m_server.baseUrl()});
    if (!done.wait(60000) || child.exitCode() != (answered ? 0 : 1))
        return {-1, -1};
    const QList<QByteArray> said = child.readAllStandardOutput().trimmed().split(' ');
    return {said.value(0).toLongLong(), said.value(1).toLongLong()};
}

void tst_LoginRoad::endlessReplyStaysNearItsCap_data()
{
    QTest::addColumn<FakeServer::Hostile>("mode");
    QTest::newRow("chunks of 64 KiB") << FakeServer::Hostile::EndlessChunks;
    QTest::newRow("chunks of 1 MiB") << FakeServer::Hostile::EndlessBigChunks;
    QTest::newRow("header lines") << FakeServer::Hostile::EndlessHeader;
    QTest::newRow("100 Continue") << FakeServer::Hostile::EndlessContinue;
}

// Once the wait has ended, nothing of the transfer may go on reading or holding memory.
void tst_LoginRoad::endlessReplyStaysNearItsCap()
{
    QFETCH(FakeServer::Hostile, mode);
    const qint64 good = peakOfLogin(true).first;
    m_server.setHostile("/login", mode);
    const auto [endless, cpuAfter] = peakOfLogin(false);
    QVERIFY(good > 0 && endless > 0);
    QVERIFY2(endless - good < 48 * 1024, qPrintable(QString("%1 KiB").arg(endless - good)));
    QVERIFY2(cpuAfter < 200, qPrintable(QString("%1 ms").arg(cpuAfter)));
}

void tst_LoginRoad::serverAddressFromSettings_data()
{
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("port");  // %1: the server's port
    QTest::addColumn<QString>("named"); // the setting the refusal names; none: sent

    QTest::newRow("blank after the port") << "127.0.0.1"
                                          << "%1 " << QString();
    QTest::newRow("blanks around both") << " 127.0.0.1 "
                                        << " %1 " << QString();
    for (const char *port : {"abc", "99999", "-5", "0", "", "%1x", "+%1"})
        QTest::addRow("port \"%s\"", port) << "127.0.0.1" << port << "[Http] port";
    for (const char *ip : {"127.0.0.1#", "127.0.0.1/x?", "", "127.0.0.1 127.0.0.2", "a@127.0.0.1"})
        QTest::addRow("ip \"%s\"", ip) << ip << "%1"
                                       << "[Http] ip";
}

// What the settings page saves, read as at the next start: blanks at the ends are no part
// of a value, and an address that is not one host and port sends nothing anywhere.
void tst_LoginRoad::serverAddressFromSettings()
{
    QFETCH(QString, ip);
    QFETCH(QString, port);
    QFETCH(QString, named);
    // Where a malformed address would end up: port 80 of the host.
    QTcpServer fallback;
    if (geteuid() != 0)
        QSKIP("needs root to listen on port 80");
    QVERIFY2(fallback.listen(QHostAddress::LocalHost, 80), "port 80 is needed free");
    auto *page = FrmConfigBasic::Instance();
    const auto settle = [page](const QString &ip, const QString &port) {
        page->findChild<QLineEdit *>("le_http_ip")->setText(ip);
        page->findChild<QLineEdit *>("le_http_port")->setText(port);
        page->findChild<QPushButton *>("pb_set")->click();
        page->loadIniFile();
    };
    const QString serverPort = QString::number(QUrl(m_server.baseUrl()).port());
    port.replace("%1", serverPort);
    const auto restore = qScopeGuard([&] { settle("127.0.0.1", serverPort); });
    settle(ip, port);
    HttpTool::setTimeout(1000);

    MessageCapture log;
    QCOMPARE(loginWith("admin", "admin123"), named.isEmpty());
    QCOMPARE(m_server.requests().size(), named.isEmpty() ? 2 : 0);
    QVERIFY(!fallback.hasPendingConnections());
    if (named.isEmpty())
        return;
    const QString value = (named == "[Http] ip" ? ip : port).trimmed();
    QVERIFY2(saidCritical(log, named) && saidCritical(log, "“" + value + "”"),
             qPrintable(log.joined()));
    QVERIFY(!g_isLoggedIn);
}

int main(int argc, char *argv[])
{
    if (argc >= 3 && qstrcmp(argv[1], kPeakChildFlag) == 0)
        return loginAndTellPeak(argc, argv);
    if (argc >= 2 && qstrcmp(argv[1], kWaitChildFlag) == 0) {
        // Start-up shows the main window before its event loop runs this.
        qAddPreRoutine([] { QTimer::singleShot(0, openLoginDialog); });
        return startKestrane(argc, argv);
    }
    QTEST_MAIN_IMPL(tst_LoginRoad)
}
#include "tst_loginroad.moc"
