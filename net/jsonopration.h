#pragma once

#include <QJsonObject>
#include <QObject>

#include "common/recordtypes.h"

// Turns server replies into program-wide state and tells the pages about it.
class JsonOpration : public QObject
{
    Q_OBJECT

public:
    static JsonOpration *Instance();
    explicit JsonOpration(QObject *parent = nullptr);

    // Reads a reply by the kind of the request in flight (g_requestType). Returns false,
    // having changed nothing, when the reply is not a JSON object or lacks what its kind
    // needs; a login refusal is a readable reply.
    bool ParseReciveJson(const QString &text);

signals:
    void setCurrentUserInfo(ModelUserInfoItem item);
    void flashGUI();
    void flashAllRemoteView();

private:
    bool parseLogin(const QJsonObject &reply);
    bool parseUserInfo(const QJsonObject &reply, const QByteArray &json);
};
