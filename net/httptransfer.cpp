#include "httptransfer.h"

#include <QHostAddress>
#include <QUrl>

namespace {
// How long the transfer's thread sleeps at most between looks at the stop flag; stop()
// wakes it at once anyway.
constexpr int PollMs = 1000;

// curl_global_init must have run before any thread uses curl.
CURL *newEasyHandle()
{
    static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return ready ? curl_easy_init() : nullptr;
}

// As Qt decides: a loopback host is never reached through a proxy.
bool isLoopback(const QString &host)
{
    return host == QLatin1String("localhost") || host.startsWith(QLatin1String("localhost.")) ||
           QHostAddress(host).isLoopback();
}
} // namespace

HttpTransfer::HttpTransfer(const Request &request, const Limits &limits, QObject *parent)
    : QObject(parent), m_limits(limits), m_easy(newEasyHandle()), m_multi(curl_multi_init())
{
    setUp(request);
}

HttpTransfer::~HttpTransfer()
{
    stop();
    if (m_multi && m_easy)
        curl_multi_remove_handle(m_multi, m_easy);
    curl_easy_cleanup(m_easy);
    curl_multi_cleanup(m_multi);
    curl_slist_free_all(m_headers);
}

void HttpTransfer::setUp(const Request &request)
{
    m_url = request.url;
    m_body = request.body;
    for (const QByteArray &header : request.headers)
        m_headers = curl_slist_append(m_headers, header.constData());
    CURL *e = m_easy;
    curl_easy_setopt(e, CURLOPT_URL, m_url.constData());
    // Plain HTTP only, no redirect followed, nothing unpacked (no Accept-Encoding asked),
    // no signals from a thread.
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    // One request per connection, closed as soon as the transfer ends.
    curl_easy_setopt(e, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(e, CURLOPT_TIMEOUT_MS, long(request.timeoutMs));
    // A stopped transfer never waits for a name lookup to end.
    curl_easy_setopt(e, CURLOPT_QUICK_EXIT, 1L);
    curl_easy_setopt(e, CURLOPT_HTTPHEADER, m_headers);
    curl_easy_setopt(e, CURLOPT_ERRORBUFFER, m_error);
    curl_easy_setopt(e, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(m_limits.bodyBytes));
    curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, &HttpTransfer::takeHeader);
    curl_easy_setopt(e, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &HttpTransfer::takeBody);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, this);
    if (request.verb == "GET") {
        curl_easy_setopt(e, CURLOPT_HTTPGET, 1L);
    } else {
        if (request.verb != "POST")
            curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, request.verb.constData());
        curl_easy_setopt(e, CURLOPT_POSTFIELDS, m_body.constData());
        curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(m_body.size()));
    }
    setProxyFor(m_url);
    curl_multi_add_handle(m_multi, e);
}

// Otherwise curl takes http_proxy and no_proxy from the environment, as Qt does.
void HttpTransfer::setProxyFor(const QByteArray &url)
{
    if (isLoopback(QUrl(QString::fromUtf8(url)).host()))
        curl_easy_setopt(m_easy, CURLOPT_PROXY, "");
}

void HttpTransfer::start()
{
    m_thread = std::thread([this] { run(); });
}

void HttpTransfer::stop()
{
    m_stop = true;
    curl_multi_wakeup(m_multi);
    if (m_thread.joinable())
        m_thread.join();
}

void HttpTransfer::run()
{
    int running = 1;
    while (!m_stop) {
        if (curl_multi_perform(m_multi, &running) != CURLM_OK || running == 0)
            break;
        curl_multi_poll(m_multi, nullptr, 0, PollMs, nullptr);
    }
    collect(m_stop);
    // The connection goes now, not when the caller gets round to deleting this.
    curl_multi_remove_handle(m_multi, m_easy);
    if (!m_result.stopped)
        emit finished();
}

void HttpTransfer::collect(bool stopped)
{
    int left = 0;
    const CURLMsg *message = curl_multi_info_read(m_multi, &left);
    const bool done = message && message->msg == CURLMSG_DONE;
    m_result.stopped = stopped && !done;
    m_result.code = done ? message->data.result : CURLE_FAILED_INIT;
    curl_easy_getinfo(m_easy, CURLINFO_RESPONSE_CODE, &m_result.status);
    long osError = 0;
    curl_easy_getinfo(m_easy, CURLINFO_OS_ERRNO, &osError);
    m_result.osError = int(osError);
    m_result.errorText = QString::fromUtf8(m_error);
    if (m_result.code == CURLE_FILESIZE_EXCEEDED)
        m_result.over = Result::Over::BodyCap;
}

size_t HttpTransfer::takeHeader(char *data, size_t size, size_t count, void *self)
{
    Q_UNUSED(data);
    auto *transfer = static_cast<HttpTransfer *>(self);
    const size_t bytes = size * count;
    transfer->m_headerBytes += qint64(bytes);
    if (transfer->m_headerBytes <= transfer->m_limits.headerBytes)
        return bytes;
    transfer->m_result.over = Result::Over::HeaderCap;
    return 0; // a short count ends the transfer
}

size_t HttpTransfer::takeBody(char *data, size_t size, size_t count, void *self)
{
    auto *transfer = static_cast<HttpTransfer *>(self);
    QByteArray &body = transfer->m_result.body;
    const size_t bytes = size * count;
    if (body.size() + qint64(bytes) > transfer->m_limits.bodyBytes) {
        transfer->m_result.over = Result::Over::BodyCap;
        return 0;
    }
    body.append(data, int(bytes));
    return bytes;
}
