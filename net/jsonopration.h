#pragma once

#include <QObject>

#include "common/recordtypes.h"

// Placeholder until the reply parser is built.
class JsonOpration : public QObject
{
    Q_OBJECT

public:
    static JsonOpration *Instance();
    explicit JsonOpration(QObject *parent = nullptr);

signals:
    void setCurrentUserInfo(ModelUserInfoItem item);
    void flashGUI();
    void flashAllRemoteView();
};
