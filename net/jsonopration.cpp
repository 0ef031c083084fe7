#include "jsonopration.h"

#include <QJsonArray>
#include <QJsonDocument>

#include "common/appstate.h"
#include "common/singleinstance.h"
#include "net/networkmanerger.h"

JsonOpration *JsonOpration::Instance()
{
    return PageInstance<JsonOpration>::get();
}

JsonOpration::JsonOpration(QObject *parent) : QObject(parent) {}

void JsonOpration::ParseReciveJson(const QString &text)
{
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    if (!document.isObject())
        return;
    switch (g_requestType) {
    case NetWorkManerger::LoginRequest:
        parseLogin(document.object());
        break;
    case NetWorkManerger::UserInfoRequest:
        parseUserInfo(document.object());
        break;
    default:
        break;
    }
}

void JsonOpration::parseLogin(const QJsonObject &reply)
{
    const QJsonValue token = reply.value("token");
    if (token.isString())
        g_token = token.toString();
    if (reply.value("msg").toString() == QStringLiteral("操作成功") && !g_token.isEmpty()) {
        g_isLoggedIn = true;
        NetWorkManerger::Instance()->GetUserInfo();
    }
}

void JsonOpration::parseUserInfo(const QJsonObject &reply)
{
    if (!reply.value("user").isObject())
        return;
    const QJsonObject user = reply.value("user").toObject();
    const QJsonValue id = user.value("userId");
    const QString idText =
        id.isDouble() ? QString::number(id.toVariant().toLongLong()) : id.toString();
    const QString name = user.value("userName").toString();
    if (idText.isEmpty() && name.isEmpty())
        return;

    g_currentUser.userName = idText + '|' + name;
    g_currentUser.nickName = user.value("nickName").toString();
    // The rights of this login only: a user must not keep the previous user's rights.
    g_currentUser.permissions.clear();
    for (const QJsonValue &right : reply.value("permissions").toArray()) {
        if (right.isString())
            g_currentUser.permissions << right.toString();
    }
    if (g_currentUser.userName.isEmpty() || g_currentUser.permissions.isEmpty())
        return;
    emit setCurrentUserInfo(g_currentUser);
    emit flashGUI();
    emit flashAllRemoteView();
}
