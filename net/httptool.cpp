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
int g_timeoutMs = 30000;

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
    g_timeoutMs = milliseconds;
}

int HttpTool::timeout()
{
    return g_timeoutMs;
}

bool HttpTool::request(Method method, const QString &url, const QByteArray &body)
{
    QNetworkRequest request{QUrl(url)};
    request.setRawHeader("Authorization", g_token.toUtf8());
    request.setRawHeader("Content-Type", "application/json;charset=utf-8");
    QNetworkReply *reply = method == Get ? m_manager.get(request)
                                         : m_manager.sendCustomRequest(request, verb(method), body);

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(g_timeoutMs);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    const bool finished = reply->isFinished();
    const bool answered =
        finished && reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
    const QByteArray text = answered ? reply->readAll() : QByteArray();
    if (!finished) {
        reply->abort();
        qCritical().noquote() << "服务器无响应，请求超时：" + url;
    } else if (!answered) {
        qCritical().noquote() << "连接服务器失败：" + reply->errorString();
    }
    reply->deleteLater();
    if (answered)
        JsonOpration::Instance()->ParseReciveJson(QString::fromUtf8(text));
    return answered;
}
