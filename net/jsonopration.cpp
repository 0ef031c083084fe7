#include "jsonopration.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QVariant>

#include "common/appstate.h"
#include "common/singleinstance.h"
#include "net/networkmanerger.h"

namespace {
// The token goes out as a header value, where a line break would start a header of the
// server's choosing.
bool fitsInHeader(const QString &token)
{
    for (const QChar c : token) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    return true;
}

// The id as the server wrote it: integers exactly, any other value as its JSON text.
QString idText(const QJsonValue &id)
{
    switch (id.type()) {
    case QJsonValue::Undefined:
        return QString();
    case QJsonValue::String:
        return id.toString();
    case QJsonValue::Double:
        // An integer within 64 bits comes back as one; a double keeps its shortest text.
        return id.toVariant().toString();
    default:
        const QByteArray text = QJsonDocument(QJsonArray{id}).toJson(QJsonDocument::Compact);
        return QString::fromUtf8(text.mid(1, text.size() - 2));
    }
}
} // namespace

JsonOpration *JsonOpration::Instance()
{
    return PageInstance<JsonOpration>::get();
}

JsonOpration::JsonOpration(QObject *parent) : QObject(parent) {}

bool JsonOpration::ParseReciveJson(const QString &text)
{
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    if (!document.isObject())
        return false;
    switch (g_requestType) {
    case NetWorkManerger::LoginRequest:
        return parseLogin(document.object());
    case NetWorkManerger::UserInfoRequest:
        return parseUserInfo(document.object());
    default:
        return true;
    }
}

bool JsonOpration::parseLogin(const QJsonObject &reply)
{
    const QJsonValue msg = reply.value("msg");
    if (!msg.isString())
        return false;
    // A refusal is a proper answer: the login dialog tells the operator.
    if (msg.toString() != QStringLiteral("操作成功"))
        return true;
    const QString token = reply.value("token").toString();
    if (token.isEmpty() || !fitsInHeader(token))
        return false;

    g_token = token;
    g_isLoggedIn = true;
    // The request has said what went wrong; the operator must also know where that leaves them.
    if (!NetWorkManerger::Instance()->GetUserInfo())
        qCritical().noquote() << QStringLiteral("已登录，但未能读取用户信息：当前账号没有任何权限");
    return true;
}

bool JsonOpration::parseUserInfo(const QJsonObject &reply)
{
    const QJsonObject user = reply.value("user").toObject();
    const QString id = idText(user.value("userId"));
    const QString name = user.value("userName").toString();
    const QJsonValue rights = reply.value("permissions");
    if ((id.isEmpty() && name.isEmpty()) || !rights.isArray())
        return false;

    g_currentUser.userName = id + '|' + name;
    g_currentUser.nickName = user.value("nickName").toString();
    // The rights of this login only: a user must not keep the previous user's rights.
    g_currentUser.permissions.clear();
    for (const QJsonValue &right : rights.toArray()) {
        if (right.isString())
            g_currentUser.permissions << right.toString();
    }
    if (g_currentUser.permissions.isEmpty())
        return true;
    emit setCurrentUserInfo(g_currentUser);
    emit flashGUI();
    emit flashAllRemoteView();
    return true;
}
