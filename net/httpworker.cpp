#include "httpworker.h"

#include <QNetworkAccessManager>

#include <utility>

HttpWorker::HttpWorker(qint64 maxReplyBytes, QObject *parent)
    : QObject(parent), m_maxReplyBytes(maxReplyBytes)
{}

void HttpWorker::start(const HttpWorker::Job &job)
{
    if (job.abandoned->load())
        return;
    if (!m_manager)
        m_manager = new QNetworkAccessManager(this);
    m_abandoned = job.abandoned;
    m_body.clear();
    m_reply = job.verb == "GET" ? m_manager->get(job.request)
                                : m_manager->sendCustomRequest(job.request, job.verb, job.body);
    // Qt's network thread then stops reading once this much waits. A request with a body
    // reaches that thread only once this thread's event loop has run again, and a size set
    // before that is lost: an endless chunked reply would then be read as fast as it comes.
    // Set once more after the start, and before any of the body can arrive.
    m_reply->setReadBufferSize(m_maxReplyBytes);
    QMetaObject::invokeMethod(
        m_reply, [reply = m_reply, size = m_maxReplyBytes] { reply->setReadBufferSize(size); },
        Qt::QueuedConnection);
    connect(m_reply, &QNetworkReply::readyRead, this, &HttpWorker::take);
    connect(m_reply, &QNetworkReply::finished, this, &HttpWorker::finish);
}

// Counts the body as it arrives, so that an endless one is stopped at the limit.
void HttpWorker::take()
{
    if (m_body.size() > m_maxReplyBytes)
        return;
    m_body.append(m_reply->read(m_maxReplyBytes + 1 - m_body.size()));
    if (m_body.size() > m_maxReplyBytes)
        m_reply->abort(); // emits finished
}

void HttpWorker::finish()
{
    if (!m_reply)
        return;
    take();
    Result result;
    result.status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    result.error = m_reply->error();
    result.errorText = m_reply->errorString();
    result.body = std::exchange(m_body, QByteArray());
    m_reply->deleteLater();
    m_reply = nullptr;
    if (!m_abandoned->load())
        emit finished(result);
}
