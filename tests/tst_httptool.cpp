#include <QtTest>

#include <QGuiApplication>

#include "common/appstate.h"
#include "net/httptool.h"
#include "net/networkmanerger.h"
#include "support/fakeserver.h"

// The client in a program without a GUI: no cursor to show, no windows to shield.
class tst_HttpTool : public QObject
{
    Q_OBJECT

private slots:
    void requestWithoutGui();
    void toolDeletedWhileItWaits();
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

// Another program may delete its tool while a request waits: the wait ends at once, and
// nothing of the tool is touched afterwards (the sanitizer build sees any such touch).
void tst_HttpTool::toolDeletedWhileItWaits()
{
    FakeServer server;
    QVERIFY(server.listen());
    server.setSilent(true);
    HttpTool::setTimeout(5000);
    auto *tool = new HttpTool;
    connect(&server, &FakeServer::received, tool, [&tool] {
        delete tool;
        tool = nullptr;
    });
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!tool->request(HttpTool::Get, server.baseUrl() + "/getInfo"));
    QVERIFY(!tool);
    QVERIFY2(clock.elapsed() < HttpTool::timeout() / 2,
             qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(server.requests().size(), 1);
}

QTEST_GUILESS_MAIN(tst_HttpTool)
#include "tst_httptool.moc"
