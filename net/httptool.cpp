#include "httptool.h"

#include <QDebug>
#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QScopedValueRollback>
#include <QTimer>
#include <QVariant>

#include "common/appstate.h"
#include "common/singleinstance.h"
#include "net/inputblocker.h"
#include "net/jsonopration.h"

namespace {
int s_timeoutMs = 30000;

QByteArray verb(HttpTool::Method method)
{
    switch (method) {
    case HttpTool::Get:
        return "GET";
    case HttpTool::Post:
        return "POST";
    case HttpTool::Put:
        return "PUT";
    case HttpTool::Delete:
        return "DELETE";
    }
    return "GET";
}
} // namespace

HttpTool *HttpTool::Instance()
{
    return PageInstance<HttpTool>::get();
}

HttpTool::HttpTool(QObject *parent) : QObject(parent) {}

void HttpTool::setTimeout(int milliseconds)
{
    s_timeoutMs = milliseconds;
}

int HttpTool::timeout()
{
    return s_timeoutMs;
}

bool HttpTool::request(Method method, const QString &url, const QByteArray &body)
{
    // The kind of the request in flight is program-wide: a second one would have the first
    // reply read as its own.
    if (m_waiting) {
        qCritical().noquote() << QStringLiteral("上一个请求尚未结束，未发送：") + url;
        return false;
    }
    const int kind = g_requestType;
    QNetworkReply *reply = send(method, url, body);
    QByteArray text;
    const bool complete = readReply(reply, url, &text);
    reply->deleteLater();
    if (!complete)
        return false;
    // A request refused meanwhile has recorded its own kind.
    g_requestType = kind;
    if (!JsonOpration::Instance()->ParseReciveJson(QString::fromUtf8(text))) {
        qCritical().noquote() << QStringLiteral("服务器回复无效：") + url;
        return false;
    }
    return true;
}

QNetworkReply *HttpTool::send(Method method, const QString &url, const QByteArray &body)
{
    QNetworkRequest request{QUrl(url)};
    request.setRawHeader("Authorization", g_token.toUtf8());
    request.setRawHeader("Content-Type", "application/json;charset=utf-8");
    // Plain replies only: Qt unpacks each received chunk whole, so a small packed body
    // could pass MaxReplyBytes by gigabytes before readyRead sees any of it. With the
    // header set, Qt leaves a packed body packed, and it is no valid reply.
    request.setRawHeader("Accept-Encoding", "identity");
    return method == Get ? m_manager.get(request)
                         : m_manager.sendCustomRequest(request, verb(method), body);
}

bool HttpTool::readReply(QNetworkReply *reply, const QString &url, QByteArray *body)
{
    // Synchronous for the caller, yet the window keeps painting while it waits.
    QEventLoop loop;
    QScopedValueRollback<bool> waiting(m_waiting, true);
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    // Taken as it arrives, so that an endless body or a gzip bomb is stopped at the limit.
    bool tooLarge = false;
    const auto take = [&] {
        if (tooLarge)
            return;
        body->append(reply->read(MaxReplyBytes + 1 - body->size()));
        tooLarge = body->size() > MaxReplyBytes;
        if (tooLarge)
            reply->abort();
    };
    connect(reply, &QNetworkReply::readyRead, &loop, take);
    reply->setReadBufferSize(MaxReplyBytes);
    bool timedOut = false;
    QTimer::singleShot(s_timeoutMs, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    if (!reply->isFinished()) {
        const InputBlocker blocker;
        loop.exec();
    }

    if (!reply->isFinished()) {
        reply->abort();
        // Else the application is leaving: exit() ends every event loop, this one too.
        if (timedOut)
            qCritical().noquote() << QStringLiteral("服务器无响应，请求超时：") + url;
        return false;
    }
    take();
    if (tooLarge) {
        qCritical().noquote()
            << QStringLiteral("服务器回复超过 %1 字节，已中止：%2").arg(MaxReplyBytes).arg(url);
        return false;
    }
    // Without an HTTP status either no server was reached or what answered spoke no HTTP
    // (Qt drops such a connection as closed by the peer).
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid()) {
        const QNetworkReply::NetworkError error = reply->error();
        if (error == QNetworkReply::RemoteHostClosedError ||
            error == QNetworkReply::ProtocolFailure)
            qCritical().noquote() << QStringLiteral("服务器回复无效：") + url;
        else
            qCritical().noquote()
                << QStringLiteral("连接服务器失败：%1：%2").arg(url, reply->errorString());
        return false;
    }
    // Redirects are not followed: the login goes to the configured server or nowhere.
    const int code = status.toInt();
    if (code < 200 || code > 299) {
        qCritical().noquote() << QStringLiteral("服务器返回 HTTP %1：%2").arg(code).arg(url);
        return false;
    }
    // Qt also reports a body shorter than its announced length here.
    if (reply->error() != QNetworkReply::NoError) {
        qCritical().noquote() << QStringLiteral("服务器回复不完整，连接中断：") + url;
        return false;
    }
    return true;
}
