#include <QtTest>

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QProcess>

#include "support/fakeserver.h"

// The program is tested against FakeServer and tried by hand against
// scripts/fake-server.py: both must answer the login and user-information requests alike.
class tst_FakeServer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void scriptAnswersLikeTestServer_data();
    void scriptAnswersLikeTestServer();

private:
    struct Answer
    {
        int status = 0;
        QJsonObject body;
    };
    Answer ask(const QString &baseUrl, const QByteArray &path, const QByteArray &body,
               const QByteArray &authorization);

    QNetworkAccessManager m_network;
    FakeServer m_server;
    QProcess m_script;
    QString m_scriptUrl;
};

void tst_FakeServer::initTestCase()
{
    m_network.setProxy(QNetworkProxy::NoProxy);
    // The users the script knows.
    QVERIFY(m_server.listen());
    m_server.addUser("admin", {"admin123", 1, "管理员", {"*:*:*"}});
    m_server.addUser(
        "planner",
        {"plan-456", 2, "模板员", {"business:template:list", "business:template:paint"}});
    m_server.addUser("viewer", {"view-789", 3, "查看员", {"business:template:query"}});

    const QString script = QFINDTESTDATA("../scripts/fake-server.py");
    QVERIFY(!script.isEmpty());
    m_script.start(script, {"0"}); // a free port, told on the first line
    QVERIFY2(m_script.waitForReadyRead(10000), qPrintable(m_script.errorString()));
    const QByteArray said = m_script.readLine().trimmed();
    QVERIFY2(said.startsWith("fake management server on http://127.0.0.1:"), said.constData());
    m_scriptUrl = QString::fromLatin1(said.mid(said.indexOf("http")));
}

void tst_FakeServer::cleanupTestCase()
{
    m_script.kill();
    m_script.waitForFinished();
}

tst_FakeServer::Answer tst_FakeServer::ask(const QString &baseUrl, const QByteArray &path,
                                           const QByteArray &body, const QByteArray &authorization)
{
    QNetworkRequest request(QUrl(baseUrl + QString::fromLatin1(path)));
    if (!authorization.isEmpty())
        request.setRawHeader("Authorization", authorization);
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
    QNetworkReply *reply = body.isNull() ? m_network.get(request) : m_network.post(request, body);
    QSignalSpy finished(reply, &QNetworkReply::finished);
    if (!reply->isFinished())
        finished.wait(10000);
    Answer answer{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                  QJsonDocument::fromJson(reply->readAll()).object()};
    reply->deleteLater();
    return answer;
}

void tst_FakeServer::scriptAnswersLikeTestServer_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("body"); // a null body is a GET
    QTest::addColumn<QByteArray>("authorization");
    const QByteArray get;
    QTest::newRow("login") << QByteArray("/login")
                           << QByteArray(R"({"username":"planner","password":"plan-456"})")
                           << QByteArray();
    QTest::newRow("wrong password")
        << QByteArray("/login") << QByteArray(R"({"username":"admin","password":"x"})")
        << QByteArray();
    QTest::newRow("unknown user") << QByteArray("/login")
                                  << QByteArray(R"({"username":"x","password":"admin123"})")
                                  << QByteArray();
    QTest::newRow("not json") << QByteArray("/login") << QByteArray("admin") << QByteArray();
    for (const char *user : {"admin", "planner", "viewer"})
        QTest::addRow("info %s", user)
            << QByteArray("/getInfo") << get << FakeServer::tokenOf(user).toUtf8();
    QTest::newRow("info, bad token") << QByteArray("/getInfo") << get << QByteArray("tok-x");
    QTest::newRow("info, no token") << QByteArray("/getInfo") << get << QByteArray();
}

void tst_FakeServer::scriptAnswersLikeTestServer()
{
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, authorization);
    const Answer expected = ask(m_server.baseUrl(), path, body, authorization);
    const Answer script = ask(m_scriptUrl, path, body, authorization);
    QCOMPARE(expected.status, 200);
    QVERIFY(expected.body.contains("code"));
    QCOMPARE(script.status, expected.status);
    QCOMPARE(QJsonDocument(script.body).toJson(), QJsonDocument(expected.body).toJson());
}

QTEST_MAIN(tst_FakeServer)
#include "tst_fakeserver.moc"
