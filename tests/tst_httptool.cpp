#include <QtTest>

#include <QGuiApplication>

#include "common/appstate.h"
#include "net/networkmanerger.h"
#include "support/fakeserver.h"

// The client in a program without a GUI: no cursor to show, no windows to shield.
class tst_HttpTool : public QObject
{
    Q_OBJECT

private slots:
    void requestWithoutGui();
};

void tst_HttpTool::requestWithoutGui()
{
    QVERIFY(!qobject_cast<QGuiApplication *>(QCoreApplication::instance()));
    FakeServer server;
    QVERIFY(server.listen());
    server.addUser("admin", {"admin123", 1, "管理员", {"*:*:*"}});
    g_httpBaseUrl = server.baseUrl();
    g_currentUser.userName = QStringLiteral("admin");
    g_currentUser.password = QStringLiteral("admin123");

    QVERIFY(NetWorkManerger::Instance()->UserLogin());
    QVERIFY(g_isLoggedIn);
    QCOMPARE(server.requests().size(), 2);
}

QTEST_GUILESS_MAIN(tst_HttpTool)
#include "tst_httptool.moc"
