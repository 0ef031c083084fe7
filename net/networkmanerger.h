#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include "net/httptool.h"

// The server requests. Each records its kind in g_requestType before it sends, so that
// the reply parser knows how to read the answer.
class NetWorkManerger : public QObject
{
    Q_OBJECT

public:
    enum RequestType
    {
        NoRequest = 0,
        LoginRequest = 1,
        UserInfoRequest = 2
    };

    static NetWorkManerger *Instance();
    explicit NetWorkManerger(QObject *parent = nullptr);

    // Posts the current user's name and password to "/login"; true when the reply was read.
    bool UserLogin();
    // Asks "/getInfo" for the logged-in user's names and rights; true when the reply was read.
    bool GetUserInfo();

private:
    // Sends to the server of the settings, or nowhere when they make no address.
    bool send(HttpTool::Method method, const QString &path, const QByteArray &body = {});
};
