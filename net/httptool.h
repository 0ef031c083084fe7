#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include "net/httptransfer.h"

// The HTTP client of the management server. A request is synchronous for its caller:
// it waits in a local event loop, then hands the reply text to the reply parser. The
// transfer runs in a thread of its own, bounded in what it reads and stopped as soon as
// the wait ends.
class HttpTool : public QObject
{
    Q_OBJECT

public:
    // Not in capitals: Windows headers define DELETE as a macro.
    enum Method
    {
        Get = 0,
        Post = 1,
        Put = 2,
        Delete = 3
    };
    Q_ENUM(Method)

    // Largest reply body read (replies are asked for unpacked and never unpacked here): a
    // login or user-information reply is a few kilobytes at most, so anything beyond this is
    // a faulty or hostile server.
    static constexpr qint64 MaxReplyBytes = 1024 * 1024;
    // Largest header read, all its lines and any interim replies together; a real one is
    // well under a kilobyte.
    static constexpr qint64 MaxHeaderBytes = 64 * 1024;

    static HttpTool *Instance();
    explicit HttpTool(QObject *parent = nullptr);
    // Ends a request that still waits: its request() returns false.
    ~HttpTool() override;

    // Sends with the stored token as "Authorization" and a JSON content type. Returns
    // true when a complete 2xx reply arrived and the parser could read it. Anything else
    // (no connection, time-out, error status or redirect, a reply cut off, a header or body
    // larger than its cap, a body the parser cannot read) is logged as critical and returns
    // false. A wait cut short by the application leaving or the tool being deleted returns
    // false without a word. While it waits the busy cursor shows and user input is dropped;
    // a request made meanwhile is refused.
    bool request(Method method, const QString &url, const QByteArray &body = QByteArray());

    // How long a request may wait for its reply; 30 s unless changed.
    static void setTimeout(int milliseconds);
    static int timeout();

private:
    struct Wait;

    HttpTransfer::Request makeRequest(Method method, const QString &url, const QByteArray &body);
    // Runs the transfer and waits for its end; false, and the transfer stopped, when the wait
    // was cut short. After a deletion meanwhile, nothing of this tool is touched.
    bool transfer(const HttpTransfer::Request &request, HttpTransfer::Result *result);

    Wait *m_wait = nullptr; // the request in flight
};
