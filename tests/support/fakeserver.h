#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QStringList>
#include <QTcpServer>

class QTcpSocket;

// A management server on 127.0.0.1 (an ephemeral port) that answers "/login" and
// "/getInfo" for a few users, records every request, and can be told to stay silent,
// to send fixed reply texts or to answer a path the way a broken or hostile server does.
class FakeServer : public QObject
{
    Q_OBJECT

public:
    struct Request
    {
        QByteArray method;
        QByteArray path;
        QMap<QByteArray, QByteArray> headers; // names in lower case
        QByteArray body;
    };
    struct User
    {
        QString password;
        int id = 0;
        QString nickName;
        QStringList permissions;
    };

    enum class Hostile
    {
        EndlessBody,      // 200, then body bytes for as long as the client reads
        GzipBomb,         // a small gzip body that unpacks to 16 reply limits of zeros
        OverLimit,        // a plain body one byte longer than the client's reply limit
        CutOffBody,       // the usual reply, closed halfway through its body
        HeadersThenClose, // headers announcing a body, then close
        Unauthorized,     // the usual reply as body, status 401
        ServerError,      // the usual reply as body, status 500
        Redirect,         // the usual reply as body, status 302 back to the same path
        NotHttp,          // another protocol's greeting instead of an HTTP reply
        HeaderFlood,      // the usual reply behind 100,000 short header lines
        CloseAtOnce,      // the connection closed without a word
        // These write as fast as the client reads, blocking until it leaves: for a client
        // in another process.
        EndlessChunks,    // 200, then 64 KiB chunks
        EndlessBigChunks, // the same in 1 MiB chunks
        EndlessHeader,    // a status line, then header lines
        EndlessContinue,  // "100 Continue" replies
    };
    Q_ENUM(Hostile)

    explicit FakeServer(QObject *parent = nullptr);
    ~FakeServer() override;

    bool listen();
    QString baseUrl() const;

    void addUser(const QString &name, const User &user);
    static QString tokenOf(const QString &name) { return "tok-" + name + "-7f3a"; }
    // Accepts requests but never answers them.
    void setSilent(bool silent) { m_silent = silent; }
    // Answers this path with the text instead of the users' replies.
    void setCannedReply(const QByteArray &path, const QByteArray &text);
    void clearCannedReplies() { m_canned.clear(); }
    // Answers this path in the given bad way until cleared.
    void setHostile(const QByteArray &path, Hostile mode) { m_hostile.insert(path, mode); }
    void clearHostile() { m_hostile.clear(); }

    QList<Request> requests() const { return m_requests; }
    void clearRequests() { m_requests.clear(); }

signals:
    // A request was recorded (and is still to be answered).
    void received();

private:
    void readFrom(QTcpSocket *socket);
    QByteArray replyTo(const Request &request) const;
    QByteArray loginReply(const Request &request) const;
    QByteArray userInfoReply(const Request &request) const;
    void answerBadly(QTcpSocket *socket, const Request &request, Hostile mode) const;

    QTcpServer m_server;
    QMap<QString, User> m_users;
    QMap<QByteArray, QByteArray> m_canned;
    QMap<QByteArray, Hostile> m_hostile;
    QMap<QTcpSocket *, QByteArray> m_pending;
    QList<Request> m_requests;
    bool m_silent = false;
};
