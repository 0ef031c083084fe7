#include "jsonopration.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QVariant>
#include <QVector>

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

struct Level
{
    bool object;
    QByteArray key;
    bool user;
};

// A key as written, quotes removed; one with escapes is decoded by Qt's own parser.
QByteArray keyText(const QByteArray &quoted)
{
    if (!quoted.contains('\\'))
        return quoted.mid(1, quoted.size() - 2);
    return QJsonDocument::fromJson('[' + quoted + ']').array().at(0).toString().toUtf8();
}

bool atUserId(const QVector<Level> &levels)
{
    return levels.size() == 2 && levels.last().user && levels.last().key == "userId";
}

// The number at "user"."userId" as written in the reply, or empty when it is none. Qt keeps
// integers only within 64 bits and rounds the rest. The reply is known to be valid JSON; a
// repeated key counts by its last occurrence, as in QJsonDocument.
QByteArray userIdLiteral(const QByteArray &json)
{
    const QByteArray valueEnds(",}] \t\r\n");
    QVector<Level> levels;
    QByteArray literal;
    bool expectKey = false;
    for (int i = 0; i < json.size(); ++i) {
        const char c = json.at(i);
        if (c == '{' || c == '[') {
            if (atUserId(levels))
                literal.clear();
            const bool user = c == '{' && levels.size() == 1 && levels.first().key == "user";
            if (user)
                literal.clear();
            levels.append({c == '{', QByteArray(), user});
            expectKey = c == '{';
        } else if (c == '}' || c == ']') {
            levels.removeLast();
        } else if (c == ',') {
            expectKey = levels.last().object;
        } else if (c == '"') {
            const int start = i;
            for (++i; i < json.size() && json.at(i) != '"'; ++i) {
                if (json.at(i) == '\\')
                    ++i;
            }
            if (expectKey)
                levels.last().key = keyText(json.mid(start, i - start + 1));
            else if (atUserId(levels))
                literal.clear();
            expectKey = false;
        } else if (c == '-' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z')) {
            const int start = i;
            while (i + 1 < json.size() && !valueEnds.contains(json.at(i + 1)))
                ++i;
            if (atUserId(levels))
                literal = c >= 'a' ? QByteArray() : json.mid(start, i - start + 1);
        }
    }
    return literal;
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
