#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <curl/curl.h>

#include <atomic>
#include <thread>

// One HTTP transfer on libcurl, in a thread of its own so that the window keeps answering.
// Every byte the server sends counts against a cap, and stop() ends the transfer within
// milliseconds from any state, closing its socket: nothing of it outlives this object.
class HttpTransfer : public QObject
{
    Q_OBJECT

public:
    struct Request
    {
        QByteArray url;
        QByteArray verb;
        QList<QByteArray> headers; // "Name: value"
        QByteArray body;
        int timeoutMs = 30000;
    };
    struct Limits
    {
        qint64 headerBytes; // all header lines, interim replies (100 Continue) included
        qint64 bodyBytes;
    };
    struct Result
    {
        CURLcode code = CURLE_OK;
        long status = 0; // 0 when no HTTP answer came
        enum class Over
        {
            Nothing,
            HeaderCap,
            BodyCap
        } over = Over::Nothing;
        bool stopped = false; // stop() came first
        int osError = 0;      // errno of a failed connect
        QString errorText;    // libcurl's own words
        QByteArray body;
    };

    HttpTransfer(const Request &request, const Limits &limits, QObject *parent = nullptr);
    // Stops the transfer and waits for its thread, a matter of milliseconds.
    ~HttpTransfer() override;
    HttpTransfer(const HttpTransfer &) = delete;
    HttpTransfer &operator=(const HttpTransfer &) = delete;

    void start();
    // Ends the transfer at once (a no-op once it has ended) and waits for its thread.
    void stop();
    // Valid once finished() has come, or after stop().
    const Result &result() const { return m_result; }

signals:
    // From the transfer's thread; connect with a receiver in the caller's thread.
    void finished();

private:
    void setUp(const Request &request);
    void setProxyFor(const QByteArray &url);
    void run();
    void collect(bool stopped);
    static size_t takeHeader(char *data, size_t size, size_t count, void *self);
    static size_t takeBody(char *data, size_t size, size_t count, void *self);

    const Limits m_limits;
    CURL *m_easy;
    CURLM *m_multi;
    curl_slist *m_headers = nullptr;
    QByteArray m_url;
    QByteArray m_body; // sent; curl reads it in place
    char m_error[CURL_ERROR_SIZE] = {};
    qint64 m_headerBytes = 0;
    std::atomic_bool m_stop{false};
    std::thread m_thread;
    Result m_result;
};
