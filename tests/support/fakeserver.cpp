#include "fakeserver.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>

#include "net/httptool.h"
#include "support/packedbytes.h"

namespace {
QByteArray json(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QByteArray response(int status, const QByteArray &body, const QByteArray &extraHeaders = {})
{
    return "HTTP/1.1 " + QByteArray::number(status) +
           " X\r\nContent-Type: application/json;charset=utf-8\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\n" + extraHeaders + "\r\n" + body;
}

// Zeros of 16 reply limits packed to some kilobytes: what a gzip bomb looks like.
QByteArray gzipBomb()
{
    static const QByteArray bomb =
        PackedBytes::gzip(QByteArray(16 * HttpTool::MaxReplyBytes, '\0'));
    return bomb;
}

// Writes body bytes whenever the socket has sent the last ones, until the client leaves.
void feedEndlessly(QTcpSocket *socket)
{
    const auto more = [socket] {
        if (socket->state() == QAbstractSocket::ConnectedState && socket->bytesToWrite() < 65536)
            socket->write(QByteArray(65536, 'x'));
    };
    QObject::connect(socket, &QTcpSocket::bytesWritten, socket, more);
    more();
}

// Writes the bytes again and again as fast as the client takes them, until it leaves. Blocks
// this thread meanwhile: for a client in another process only.
void pourEndlessly(QTcpSocket *socket, const QByteArray &bytes)
{
    while (socket->state() == QAbstractSocket::ConnectedState) {
        while (socket->bytesToWrite() < 8 * bytes.size())
            socket->write(bytes);
        if (!socket->waitForBytesWritten(10000))
            return;
    }
}

QByteArray chunk(int size)
{
    return QByteArray::number(size, 16) + "\r\n" + QByteArray(size, 'x') + "\r\n";
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
    m_pending[socket] += socket->readAll();
    Request request;
    // An answer that waits for the client to leave has forgotten the socket.
    while (m_pending.contains(socket) && takeRequest(&m_pending[socket], &request)) {
        m_requests.append(request);
        emit received();
        if (m_silent)
            continue;
        if (m_hostile.contains(request.path))
            answerBadly(socket, request, m_hostile.value(request.path));
        else
            socket->write(response(200, replyTo(request)));
    }
}

void FakeServer::answerBadly(QTcpSocket *socket, const Request &request, Hostile mode) const
{
    const QByteArray usual = replyTo(request);
    switch (mode) {
    case Hostile::EndlessBody:
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n"
                      "Connection: close\r\n\r\n{\"msg\":\"");
        feedEndlessly(socket);
        return;
    case Hostile::EndlessChunks:
    case Hostile::EndlessBigChunks:
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n"
                      "Transfer-Encoding: chunked\r\n\r\n");
        pourEndlessly(socket, chunk(mode == Hostile::EndlessChunks ? 65536 : 1024 * 1024));
        return;
    case Hostile::EndlessHeader:
        socket->write("HTTP/1.1 200 OK\r\n");
        pourEndlessly(socket, QByteArray("X-More: y\r\n").repeated(1024));
        return;
    case Hostile::EndlessContinue:
        pourEndlessly(socket, QByteArray("HTTP/1.1 100 Continue\r\n\r\n").repeated(1024));
        return;
    case Hostile::CloseAtOnce:
        socket->disconnectFromHost();
        return;
    case Hostile::HeaderFlood: {
        QByteArray flood;
        for (int i = 1; i <= 100000; ++i)
            flood += "X-" + QByteArray::number(i) + ": y\r\n";
        socket->write(response(200, usual, flood));
        return;
    }
    case Hostile::GzipBomb:
        socket->write(response(200, gzipBomb(), "Content-Encoding: gzip\r\n"));
        return;
    case Hostile::OverLimit:
        socket->write(response(200, "{\"msg\":\"" +
                                        QByteArray(int(HttpTool::MaxReplyBytes) - 9, 'x') + "\"}"));
        return;
    case Hostile::CutOffBody:
        socket->write(response(200, usual).chopped(usual.size() / 2));
        socket->disconnectFromHost();
        return;
    case Hostile::HeadersThenClose:
        socket->write(response(200, usual).chopped(usual.size()));
        socket->disconnectFromHost();
        return;
    case Hostile::Unauthorized:
        socket->write(response(401, usual));
        return;
    case Hostile::ServerError:
        socket->write(response(500, usual));
        return;
    case Hostile::Redirect:
        socket->write(response(302, usual, "Location: " + request.path + "\r\n"));
        return;
    case Hostile::NotHttp:
        socket->write("SSH-2.0-OpenSSH_9.2p1\r\n\r\n");
        return;
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
