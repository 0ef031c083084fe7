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

// The reply with every number written as a string of its own text, so that the parser
// keeps digits it would round: Qt keeps integers only within 64 bits. The reply is known to
// be valid JSON.
QByteArray numbersAsStrings(const QByteArray &json)
{
    const QByteArray numberChars("0123456789+-.eE");
    QByteArray text;
    bool inString = false;
    bool escaped = false;
    bool inNumber = false;
    for (const char c : json) {
        if (inNumber && !numberChars.contains(c)) {
            text += '"';
            inNumber = false;
        }
        if (inString) {
            inString = escaped || c != '"';
            escaped = !escaped && c == '\\';
        } else if (c == '"') {
            inString = true;
        } else if (!inNumber && (c == '-' || (c >= '0' && c <= '9'))) {
            text += '"';
            inNumber = true;
        }
        text += c;
    }
    return text;
}

// "user"."userId" of the reply as text; a number keeps the digits the server wrote.
QByteArray userIdLiteral(const QByteArray &json)
{
    const QJsonObject reply = QJsonDocument::fromJson(numbersAsStrings(json)).object();
    return reply.value("user").toObject().value("userId").toString().toUtf8();
}

// The id as the server wrote it: integers exactly, any other value as its JSON text.
QString idText(const QJsonValue &id, const QByteArray &literal)
{
    switch (id.type()) {
    case QJsonValue::Undefined:
        return QString();
    case QJsonValue::String:
        return id.toString();
    case QJsonValue::Double:
        if (!literal.isEmpty() && !literal.contains('.') && !literal.contains('e') &&
            !literal.contains('E'))
            return QString::fromLatin1(literal);
        // A double keeps its shortest text.
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
    const QByteArray json = text.toUtf8();
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isObject())
        return false;
    switch (g_requestType) {
    case NetWorkManerger::LoginRequest:
        return parseLogin(document.object());
    case NetWorkManerger::UserInfoRequest:
        return parseUserInfo(document.object(), json);
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

bool JsonOpration::parseUserInfo(const QJsonObject &reply, const QByteArray &json)
{
    const QJsonObject user = reply.value("user").toObject();
    const QString id = idText(user.value("userId"), userIdLiteral(json));
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
