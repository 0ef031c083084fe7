#include "httptool.h"

#include <QDebug>
#include <QEventLoop>
#include <QTimer>
#include <QUrl>

#include <cerrno>

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

void fail(const QString &text)
{
    qCritical().noquote() << text;
}

// No HTTP answer came: say why the server could not be talked to.
void sayNoAnswer(const HttpTransfer::Result &result, const QString &url)
{
    switch (result.code) {
    case CURLE_GOT_NOTHING:
        return fail(QStringLiteral("服务器未作回复即关闭了连接：") + url);
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_UNSUPPORTED_PROTOCOL:
        return fail(QStringLiteral("服务器回复无效：") + url);
    default:
        break;
    }
    QString reason = result.errorText;
    if (result.code == CURLE_COULDNT_RESOLVE_HOST)
        reason = QStringLiteral("找不到主机");
    else if (result.code == CURLE_COULDNT_CONNECT && result.osError == ECONNREFUSED)
        reason = QStringLiteral("连接被拒绝");
    else if (reason.isEmpty())
        reason = QString::fromUtf8(curl_easy_strerror(result.code));
    fail(QStringLiteral("连接服务器失败：%1：%2").arg(url, reason));
}

// Fills body with the reply and returns true when it is complete and successful;
// otherwise says why in the log.
bool readReply(const HttpTransfer::Result &result, const QString &url, QByteArray *body)
{
    if (result.code == CURLE_OPERATION_TIMEDOUT) {
        fail(QStringLiteral("服务器无响应，请求超时：") + url);
        return false;
    }
    using Over = HttpTransfer::Result::Over;
    if (result.over == Over::HeaderCap) {
        fail(QStringLiteral("服务器回复头超过 %1 字节，已中止：%2")
                 .arg(HttpTool::MaxHeaderBytes)
                 .arg(url));
        return false;
    }
    if (result.over == Over::BodyCap) {
        fail(QStringLiteral("服务器回复超过 %1 字节，已中止：%2")
                 .arg(HttpTool::MaxReplyBytes)
                 .arg(url));
        return false;
    }
    if (result.code != CURLE_OK && result.status < 200) {
        sayNoAnswer(result, url);
        return false;
    }
    // Redirects are not followed: the login goes to the configured server or nowhere.
    if (result.status < 200 || result.status > 299) {
        fail(QStringLiteral("服务器返回 HTTP %1：%2").arg(result.status).arg(url));
        return false;
    }
    if (result.code != CURLE_OK) {
        fail(QStringLiteral("服务器回复不完整，连接中断：") + url);
        return false;
    }
    *body = result.body;
    return true;
}
} // namespace

// The request in flight, on the stack of its transfer(); the destructor ends it.
struct HttpTool::Wait
{
    QEventLoop loop;
    HttpTransfer *transfer = nullptr;
    bool timedOut = false;
    bool toolGone = false;
};

HttpTool *HttpTool::Instance()
{
    return PageInstance<HttpTool>::get();
}

HttpTool::HttpTool(QObject *parent) : QObject(parent) {}

HttpTool::~HttpTool()
{
    if (!m_wait)
        return;
    m_wait->toolGone = true;
    m_wait->transfer->stop();
    m_wait->loop.quit();
}

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
    if (m_wait) {
        fail(QStringLiteral("上一个请求尚未结束，未发送：") + url);
        return false;
    }
    const int kind = g_requestType;
    HttpTransfer::Result result;
    QByteArray text;
    if (!transfer(makeRequest(method, url, body), &result) || !readReply(result, url, &text))
        return false;
    // A request refused meanwhile has recorded its own kind.
    g_requestType = kind;
    if (!JsonOpration::Instance()->ParseReciveJson(QString::fromUtf8(text))) {
        fail(QStringLiteral("服务器回复无效：") + url);
        return false;
    }
    return true;
}

HttpTransfer::Request HttpTool::makeRequest(Method method, const QString &url,
                                            const QByteArray &body)
{
    const QByteArray token = g_token.toUtf8();
    HttpTransfer::Request request;
    request.url = QUrl(url).toEncoded();
    request.verb = verb(method);
    // "Name;" is curl's way to send a header with an empty value.
    request.headers = {token.isEmpty() ? QByteArray("Authorization;") : "Authorization: " + token,
                       "Content-Type: application/json;charset=utf-8",
                       // Plain replies only: nothing is unpacked here, and the server is told.
                       "Accept-Encoding: identity",
                       // The body goes at once, without waiting for a "100 Continue".
                       "Expect:"};
    if (method != Get)
        request.body = body;
    request.timeoutMs = s_timeoutMs;
    return request;
}

bool HttpTool::transfer(const HttpTransfer::Request &request, HttpTransfer::Result *result)
{
    HttpTransfer transfer(request, {MaxHeaderBytes, MaxReplyBytes});
    Wait wait;
    wait.transfer = &transfer;
    m_wait = &wait;
    // Synchronous for the caller, yet the window keeps painting while it waits.
    connect(&transfer, &HttpTransfer::finished, &wait.loop, &QEventLoop::quit);
    QTimer::singleShot(s_timeoutMs, &wait.loop, [&wait] {
        wait.timedOut = true;
        wait.loop.quit();
    });
    transfer.start();
    {
        const InputBlocker blocker;
        wait.loop.exec();
    }
    // Whatever ended the wait, the transfer ends with it.
    transfer.stop();
    if (wait.toolGone)
        return false;
    m_wait = nullptr;
    *result = transfer.result();
    if (!result->stopped)
        return true;
    // Stopped at the wait's own time-out, told like curl's; or the application is leaving
    // (exit() ends every event loop, this one too), which is no failure to tell.
    result->code = CURLE_OPERATION_TIMEDOUT;
    return wait.timedOut;
}
