#include "networkmanerger.h"

#include <QDebug>
#include <QJsonDocument>
#include <QJsonObject>

#include "common/appstate.h"
#include "common/singleinstance.h"
#include "net/httptool.h"

NetWorkManerger *NetWorkManerger::Instance()
{
    return PageInstance<NetWorkManerger>::get();
}

NetWorkManerger::NetWorkManerger(QObject *parent) : QObject(parent) {}

bool NetWorkManerger::UserLogin()
{
    const QJsonObject body{{"username", g_currentUser.userName},
                           {"password", g_currentUser.password}};
    g_requestType = LoginRequest;
    return send(HttpTool::Post, "/login", QJsonDocument(body).toJson(QJsonDocument::Compact));
}

bool NetWorkManerger::GetUserInfo()
{
    g_requestType = UserInfoRequest;
    return send(HttpTool::Get, "/getInfo");
}

bool NetWorkManerger::send(HttpTool::Method method, const QString &path, const QByteArray &body)
{
    const QString url = g_httpBaseUrl + path;
    if (!g_httpAddressFault.isEmpty()) {
        qCritical().noquote()
            << QStringLiteral("服务器地址无效，未发送：%1：%2").arg(url, g_httpAddressFault);
        return false;
    }
    return HttpTool::Instance()->request(method, url, body);
}
