#pragma once

#include <QMetaType>
#include <QString>
#include <QStringList>

// Record value types shared by the record tables, the reply parser and the editors.

// The record kind of a write; tells the tables which list to reload afterwards.
enum OprationType { Craft = 0, Template = 1, Algorithm = 2 };

struct ModelCraftDataItem
{
    QString id;
    QString fieldName;
    QString vehicleType;
    QString manufacture;
    QString fileName;
    QString fileVersion;
    QString updateTime;
    QString remoteVersion;
    QString operations;
    QString filePath;
};

struct ModelCraftAlgorithmItem
{
    QString id;
    QString algorithmCode;
    QString fieldName;
    QString algorithmName;
    QString remark;
    QString operations;
};

constexpr int CameraCount = 16;

struct ModelTemplateProItem
{
    QString id;
    QString fieldName;
    QString location;
    QString lineName;
    QString vehicleType;
    QString templateProjName;
    QString templateVersion;
    QString technologyFileName;
    QString technologyFileVersion;
    QString cameraCount;
    QString updateTime;
    QString remoteVersion;
    QString operations;
    // Drawing status per camera, in the declaration order of the camera table.
    QString cameraStates[CameraCount];
    int technologyFileId = 0;
    QString templateCvResourcePath;
    int carriageCount = 0;
};

struct ModelUserInfoItem
{
    QString userName; // as typed; "userId|userName" after the user-information reply
    QString nickName;
    QString password;
    QStringList permissions;
};

Q_DECLARE_METATYPE(ModelCraftDataItem)
Q_DECLARE_METATYPE(ModelCraftAlgorithmItem)
Q_DECLARE_METATYPE(ModelTemplateProItem)
Q_DECLARE_METATYPE(ModelUserInfoItem)
