#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QStringList>
#include <QTcpServer>

class QTcpSocket;

// A management server on 127.0.0.1 (an ephemeral port) that answers "/login" and
// "/getInfo" for a few users, records every request, and can be told to stay silent
// or to send fixed reply texts.
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

    QList<Request> requests() const { return m_requests; }
    void clearRequests() { m_requests.clear(); }

private:
    void readFrom(QTcpSocket *socket);
    QByteArray replyTo(const Request &request) const;
    QByteArray loginReply(const Request &request) const;
    QByteArray userInfoReply(const Request &request) const;

    QTcpServer m_server;
    QMap<QString, User> m_users;
    QMap<QByteArray, QByteArray> m_canned;
    QMap<QTcpSocket *, QByteArray> m_pending;
    QList<Request> m_requests;
    bool m_silent = false;
};
