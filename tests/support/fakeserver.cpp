#include "fakeserver.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>

namespace {
QByteArray json(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

// Splits "head\r\n\r\nbody" once the whole body (by Content-Length) has arrived.
bool takeRequest(QByteArray *buffer, FakeServer::Request *request)
{
    const int headEnd = buffer->indexOf("\r\n\r\n");
    if (headEnd < 0)
        return false;
    const QList<QByteArray> lines = buffer->left(headEnd).split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    request->method = first.value(0);
    request->path = first.value(1);
    request->headers.clear();
    for (int i = 1; i < lines.size(); ++i) {
        const int colon = lines[i].indexOf(':');
        if (colon > 0)
            request->headers.insert(lines[i].left(colon).trimmed().toLower(),
                                    lines[i].mid(colon + 1).trimmed());
    }
    const int length = request->headers.value("content-length").toInt();
    if (buffer->size() < headEnd + 4 + length)
        return false;
    request->body = buffer->mid(headEnd + 4, length);
    buffer->remove(0, headEnd + 4 + length);
    return true;
}
} // namespace

FakeServer::FakeServer(QObject *parent) : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                m_pending.remove(socket);
                socket->deleteLater();
            });
        }
    });
}

FakeServer::~FakeServer()
{
    // The sockets would report their disconnection to a half-destroyed server.
    const QList<QTcpSocket *> sockets = m_server.findChildren<QTcpSocket *>();
    for (QTcpSocket *socket : sockets) {
        disconnect(socket, nullptr, this, nullptr);
        delete socket;
    }
}

bool FakeServer::listen()
{
    return m_server.listen(QHostAddress::LocalHost, 0);
}

QString FakeServer::baseUrl() const
{
    return QString("http://127.0.0.1:%1").arg(m_server.serverPort());
}

void FakeServer::addUser(const QString &name, const User &user)
{
    m_users.insert(name, user);
}

void FakeServer::setCannedReply(const QByteArray &path, const QByteArray &text)
{
    m_canned.insert(path, text);
}

void FakeServer::readFrom(QTcpSocket *socket)
{
    QByteArray &buffer = m_pending[socket];
    buffer += socket->readAll();
    Request request;
    while (takeRequest(&buffer, &request)) {
        m_requests.append(request);
        if (m_silent)
            continue;
        const QByteArray body = replyTo(request);
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json;charset=utf-8\r\n"
                      "Content-Length: " +
                      QByteArray::number(body.size()) + "\r\n\r\n" + body);
    }
}

QByteArray FakeServer::replyTo(const Request &request) const
{
    if (m_canned.contains(request.path))
        return m_canned.value(request.path);
    if (request.method == "POST" && request.path == "/login")
        return loginReply(request);
    if (request.method == "GET" && request.path == "/getInfo")
        return userInfoReply(request);
    return json({{"code", 404}, {"msg", "not found"}});
}

QByteArray FakeServer::loginReply(const Request &request) const
{
    const QJsonObject posted = QJsonDocument::fromJson(request.body).object();
    const QString name = posted.value("username").toString();
    if (!m_users.contains(name) ||
        m_users.value(name).password != posted.value("password").toString())
        return json({{"code", 500}, {"msg", "用户不存在/密码错误"}});
    return json({{"code", 200}, {"msg", "操作成功"}, {"token", tokenOf(name)}});
}

QByteArray FakeServer::userInfoReply(const Request &request) const
{
    const QString token = QString::fromUtf8(request.headers.value("authorization"));
    for (auto it = m_users.cbegin(); it != m_users.cend(); ++it) {
        if (tokenOf(it.key()) != token)
            continue;
        const QJsonObject user{
            {"userId", it->id}, {"userName", it.key()}, {"nickName", it->nickName}};
        return json({{"code", 200},
                     {"msg", "操作成功"},
                     {"user", user},
                     {"roles", QJsonArray{"common"}},
                     {"permissions", QJsonArray::fromStringList(it->permissions)}});
    }
    return json({{"code", 401}, {"msg", "认证失败，无法访问系统资源"}});
}
