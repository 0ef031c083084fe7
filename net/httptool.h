#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include "net/httpworker.h"

class QThread;

// The HTTP client of the management server. A request is synchronous for its caller:
// it waits in a local event loop, then hands the reply text to the reply parser. The
// transfer itself runs in a network thread, so that no reply can hold the window or
// outlast the time-out.
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

    // Network threads left behind by requests given up while Qt still worked on them (it
    // cannot be interrupted): while this many still work, a request is refused at once.
    static constexpr int MaxLeftBehind = 2;

    static HttpTool *Instance();
    explicit HttpTool(QObject *parent = nullptr);
    // Waits a moment for the network threads; one still stuck inside Qt is left to the
    // process's end.
    ~HttpTool() override;

    // Sends with the stored token as "Authorization" and a JSON content type. Returns
    // true when a complete 2xx reply arrived and the parser could read it. Anything else
    // (no connection, time-out, error status or redirect, a reply cut off or larger than
    // MaxReplyBytes, a body the parser cannot read) is logged as critical and returns false.
    // A wait cut short by the application leaving returns false without a word; the late
    // reply is ignored. While it waits the busy cursor shows and user input is dropped; a
    // request made meanwhile is refused.
    bool request(Method method, const QString &url, const QByteArray &body = QByteArray());

    // How long a request may wait for its reply; 30 s unless changed.
    static void setTimeout(int milliseconds);
    static int timeout();

private:
    HttpWorker::Job makeJob(Method method, const QString &url, const QByteArray &body);
    // Runs the job in the network thread and waits for its outcome; false when it was
    // refused, timed out (both logged) or the application is leaving.
    bool transfer(const HttpWorker::Job &job, const QString &url, HttpWorker::Result *result);
    // Fills body with the reply and returns true when it is complete and successful;
    // otherwise says why in the log.
    bool readReply(const HttpWorker::Result &result, const QString &url, QByteArray *body);
    // The worker of the current network thread, started when there is none; null while
    // MaxLeftBehind threads are still stuck.
    HttpWorker *worker();
    void leaveThreadBehind();
    void forgetFinishedThreads();

    HttpWorker *m_worker = nullptr; // in a thread of its own, deleted as that thread ends
    QList<QThread *> m_leftBehind;
    bool m_waiting = false;
};
