#include "httptool.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QScopedValueRollback>
#include <QThread>
#include <QTimer>
#include <QVariant>

#include "common/appstate.h"
#include "common/singleinstance.h"
#include "net/inputblocker.h"
#include "net/jsonopration.h"

namespace {
int s_timeoutMs = 30000;
// How long leaving the program waits for a network thread stuck inside Qt.
constexpr int ExitWaitMs = 1000;

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

HttpTool::HttpTool(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<HttpWorker::Result>();
}

HttpTool::~HttpTool()
{
    if (m_worker)
        leaveThreadBehind();
    const QDeadlineTimer deadline(ExitWaitMs);
    for (QThread *thread : qAsConst(m_leftBehind)) {
        // Deleting a running thread ends the process, and waiting for one stuck in a
        // header copy can take minutes: such a thread is left to the process's end.
        if (thread->wait(deadline))
            delete thread;
    }
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
    if (m_waiting) {
        qCritical().noquote() << QStringLiteral("上一个请求尚未结束，未发送：") + url;
        return false;
    }
    const int kind = g_requestType;
    HttpWorker::Result result;
    QByteArray text;
    if (!transfer(makeJob(method, url, body), url, &result) || !readReply(result, url, &text))
        return false;
    // A request refused meanwhile has recorded its own kind.
    g_requestType = kind;
    if (!JsonOpration::Instance()->ParseReciveJson(QString::fromUtf8(text))) {
        qCritical().noquote() << QStringLiteral("服务器回复无效：") + url;
        return false;
    }
    return true;
}

HttpWorker::Job HttpTool::makeJob(Method method, const QString &url, const QByteArray &body)
{
    QNetworkRequest request{QUrl(url)};
    request.setRawHeader("Authorization", g_token.toUtf8());
    request.setRawHeader("Content-Type", "application/json;charset=utf-8");
    // Plain replies only: Qt unpacks each received chunk whole, so a small packed body
    // could pass MaxReplyBytes by gigabytes before readyRead sees any of it. With the
    // header set, Qt leaves a packed body packed, and it is no valid reply.
    request.setRawHeader("Accept-Encoding", "identity");
    return {request, verb(method), body, std::make_shared<std::atomic_bool>(false)};
}

bool HttpTool::transfer(const HttpWorker::Job &job, const QString &url, HttpWorker::Result *result)
{
    HttpWorker *worker = this->worker();
    if (!worker) {
        qCritical().noquote() << QStringLiteral("网络仍忙于已超时的请求，未发送：") + url;
        return false;
    }
    // Synchronous for the caller, yet the window keeps painting while it waits. A worker that
    // did not answer is never asked again, so whatever it sends is for this job.
    QEventLoop loop;
    QScopedValueRollback<bool> waiting(m_waiting, true);
    bool answered = false;
    connect(worker, &HttpWorker::finished, &loop, [&](const HttpWorker::Result &outcome) {
        *result = outcome;
        answered = true;
        loop.quit();
    });
    bool timedOut = false;
    QTimer::singleShot(s_timeoutMs, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    QMetaObject::invokeMethod(
        worker, [worker, job] { worker->start(job); }, Qt::QueuedConnection);
    {
        const InputBlocker blocker;
        loop.exec();
    }
    if (answered)
        return true;
    // Given up. Qt may be stuck in the reply where nothing can stop it: its thread ends on
    // its own, and the next request gets a fresh one.
    job.abandoned->store(true);
    leaveThreadBehind();
    // Else the application is leaving: exit() ends every event loop, this one too.
    if (timedOut)
        qCritical().noquote() << QStringLiteral("服务器无响应，请求超时：") + url;
    return false;
}

HttpWorker *HttpTool::worker()
{
    if (m_worker)
        return m_worker;
    forgetFinishedThreads();
    if (m_leftBehind.size() >= MaxLeftBehind)
        return nullptr;
    auto *thread = new QThread;
    m_worker = new HttpWorker(MaxReplyBytes);
    m_worker->moveToThread(thread);
    connect(thread, &QThread::finished, m_worker, &QObject::deleteLater);
    thread->start();
    return m_worker;
}

// The thread quits once Qt returns to its event loop; its worker, the manager and any
// reply go with it, a reply's pending header copy included.
void HttpTool::leaveThreadBehind()
{
    QThread *thread = m_worker->thread();
    thread->quit();
    m_leftBehind.append(thread);
    m_worker = nullptr;
}

void HttpTool::forgetFinishedThreads()
{
    for (int i = m_leftBehind.size() - 1; i >= 0; --i) {
        if (m_leftBehind[i]->wait(0))
            delete m_leftBehind.takeAt(i);
    }
}

bool HttpTool::readReply(const HttpWorker::Result &result, const QString &url, QByteArray *body)
{
    if (result.body.size() > MaxReplyBytes) {
        qCritical().noquote()
            << QStringLiteral("服务器回复超过 %1 字节，已中止：%2").arg(MaxReplyBytes).arg(url);
        return false;
    }
    // Without an HTTP status either no server was reached or what answered spoke no HTTP
    // (Qt drops such a connection as closed by the peer).
    if (!result.status.isValid()) {
        if (result.error == QNetworkReply::RemoteHostClosedError ||
            result.error == QNetworkReply::ProtocolFailure)
            qCritical().noquote() << QStringLiteral("服务器回复无效：") + url;
        else
            qCritical().noquote()
                << QStringLiteral("连接服务器失败：%1：%2").arg(url, result.errorText);
        return false;
    }
    // Redirects are not followed: the login goes to the configured server or nowhere.
    const int code = result.status.toInt();
    if (code < 200 || code > 299) {
        qCritical().noquote() << QStringLiteral("服务器返回 HTTP %1：%2").arg(code).arg(url);
        return false;
    }
    // Qt also reports a body shorter than its announced length here.
    if (result.error != QNetworkReply::NoError) {
        qCritical().noquote() << QStringLiteral("服务器回复不完整，连接中断：") + url;
        return false;
    }
    *body = result.body;
    return true;
}
