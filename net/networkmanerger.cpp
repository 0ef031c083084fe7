#include "networkmanerger.h"

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
    return HttpTool::Instance()->request(HttpTool::Post, g_httpBaseUrl + "/login",
                                         QJsonDocument(body).toJson(QJsonDocument::Compact));
}

bool NetWorkManerger::GetUserInfo()
{
    g_requestType = UserInfoRequest;
    return HttpTool::Instance()->request(HttpTool::Get, g_httpBaseUrl + "/getInfo");
}
