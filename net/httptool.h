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

    static HttpTool *Instance();
    explicit HttpTool(QObject *parent = nullptr);

    // Sends with the stored token as "Authorization" and a JSON content type. Returns
    // true when the server answered; a refused connection or no answer within the
    // time-out is logged as critical and returns false.
    bool request(Method method, const QString &url, const QByteArray &body = QByteArray());

    // How long a request may wait for its reply; 30 s unless changed.
    static void setTimeout(int milliseconds);
    static int timeout();

private:
    QNetworkReply *send(Method method, const QString &url, const QByteArray &body);
    // True when the server answered; otherwise says why in the log.
    bool waitForAnswer(QNetworkReply *reply, const QString &url);

    QNetworkAccessManager m_manager;
};
