#include "httptool.h"

#include <QDebug>
#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include "common/appstate.h"
#include "common/singleinstance.h"
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
    QNetworkReply *reply = send(method, url, body);
    const bool answered = waitForAnswer(reply, url);
    const QByteArray text = answered ? reply->readAll() : QByteArray();
    reply->deleteLater();
    if (answered)
        JsonOpration::Instance()->ParseReciveJson(QString::fromUtf8(text));
    return answered;
}

QNetworkReply *HttpTool::send(Method method, const QString &url, const QByteArray &body)
{
    QNetworkRequest request{QUrl(url)};
    request.setRawHeader("Authorization", g_token.toUtf8());
    request.setRawHeader("Content-Type", "application/json;charset=utf-8");
    return method == Get ? m_manager.get(request)
                         : m_manager.sendCustomRequest(request, verb(method), body);
}

bool HttpTool::waitForAnswer(QNetworkReply *reply, const QString &url)
{
    // Synchronous for the caller, yet the window keeps painting while it waits.
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(s_timeoutMs);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    if (!reply->isFinished()) {
        reply->abort();
        qCritical().noquote() << "服务器无响应，请求超时：" + url;
        return false;
    }
    // A reply without an HTTP status never reached a server.
    if (!reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid()) {
        qCritical().noquote() << "连接服务器失败：" + reply->errorString();
        return false;
    }
    return true;
}
