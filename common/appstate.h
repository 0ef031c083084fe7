#pragma once

#include <QJsonArray>
#include <QList>
#include <QMap>
#include <QModelIndex>
#include <QSize>
#include <QString>
#include <QVector>

#include "common/paintdefs.h"
#include "common/recordtypes.h"

// Program-wide state shared by pages, dialogs and service objects. GUI thread only.

// Endpoints and folders, set once at start from the settings file.
extern QString g_iniFilePath;
extern QString g_httpBaseUrl;
// Why the [Http] settings make no server address; empty when they make one.
extern QString g_httpAddressFault;
extern QString g_minioEndpoint;
extern QString g_tmpDir;
extern QString g_logFileDir;

// Login state.
extern QString g_token;
extern bool g_isLoggedIn;
extern ModelUserInfoItem g_currentUser;
extern int g_requestType;
extern OprationType g_currentOprationType;
extern int g_recordEditMode; // 0 new record, 2 existing record

// Records in work.
extern ModelCraftDataItem g_currentCraft;
extern QString g_fileDataText;
extern QString g_technologyJsonPath;
extern QList<ModelCraftAlgorithmItem> g_algorithmList;
extern QMap<QString, QJsonArray> g_des_algorithm;
extern ModelTemplateProItem g_currentTemplate;

// The last drawing-lock reply.
extern int g_paintCheckCode;
extern QString g_paintCheckData;
extern QString g_paintCheckMsg;

// False while an editor holds unsaved work; consulted before every page change.
extern bool g_allowLeave;

// Working state of the painting page.
extern QString g_carriageChoices;
extern PaintContext g_paintContext;
extern CarriageDesc g_carriageDesc;
extern QMap<int, QVector<AxisInfo>> g_cameraAxisMap;
extern QMap<int, CarAreaTag> g_rectMap;
extern CarAreaTag g_currentTag;
extern QMap<QString, QModelIndex> g_treePathIndex;
extern QMap<QString, QString> g_pathTypeMap;
extern int g_selectedRectIndex;
extern bool g_rectClicked;
extern bool g_fixedRectMode;
extern QSize g_fixedRectSize;
extern bool g_drawThreeRects;
extern int g_editMode; // 0 move, 1 paint
extern double g_fitScale;
extern bool g_templateSaved;
