#include "appstate.h"

QString g_iniFilePath;
QString g_httpBaseUrl;
QString g_httpAddressFault;
QString g_minioEndpoint;
QString g_tmpDir;
QString g_logFileDir;

QString g_token;
bool g_isLoggedIn = false;
ModelUserInfoItem g_currentUser;
int g_requestType = 0;
OprationType g_currentOprationType = Craft;
int g_recordEditMode = 2;

ModelCraftDataItem g_currentCraft;
QString g_fileDataText;
QString g_technologyJsonPath;
QList<ModelCraftAlgorithmItem> g_algorithmList;
QMap<QString, QJsonArray> g_des_algorithm;
ModelTemplateProItem g_currentTemplate;

int g_paintCheckCode = 0;
QString g_paintCheckData;
QString g_paintCheckMsg;

bool g_allowLeave = true;

QString g_carriageChoices;
PaintContext g_paintContext;
CarriageDesc g_carriageDesc;
QMap<int, QVector<AxisInfo>> g_cameraAxisMap;
QMap<int, CarAreaTag> g_rectMap;
CarAreaTag g_currentTag;
QMap<QString, QModelIndex> g_treePathIndex;
QMap<QString, QString> g_pathTypeMap;
int g_selectedRectIndex = 0;
bool g_rectClicked = false;
bool g_fixedRectMode = false;
QSize g_fixedRectSize(0, 0);
bool g_drawThreeRects = true;
int g_editMode = 0;
double g_fitScale = 0;
bool g_templateSaved = false;
