#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>

class QNetworkReply;

// The HTTP client of the management server. A request is synchronous for its caller:
// it waits in a local event loop, then hands the reply text to the reply parser.
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

    static HttpTool *Instance();
    explicit HttpTool(QObject *parent = nullptr);

    // Sends with the stored token as "Authorization" and a JSON content type. Returns
    // true when a complete 2xx reply arrived and the parser could read it. Anything else
    // (no connection, time-out, error status or redirect, a reply cut off or larger than
    // MaxReplyBytes, a body the parser cannot read) is logged as critical and returns false.
    // A wait cut short by the application leaving returns false without a word.
    // While it waits the busy cursor shows and user input is dropped; a request made
    // meanwhile is refused.
    bool request(Method method, const QString &url, const QByteArray &body = QByteArray());

    // How long a request may wait for its reply; 30 s unless changed.
    static void setTimeout(int milliseconds);
    static int timeout();

private:
    QNetworkReply *send(Method method, const QString &url, const QByteArray &body);
    // Fills body with the reply and returns true when it is complete and successful;
    // otherwise says why in the log.
    bool readReply(QNetworkReply *reply, const QString &url, QByteArray *body);

    QNetworkAccessManager m_manager;
    bool m_waiting = false;
};
