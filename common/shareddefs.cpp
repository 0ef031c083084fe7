#include "shareddefs.h"

namespace {

QVector<TableHeaderItem> templateHeaders()
{
    QVector<TableHeaderItem> headers = {
        {QStringLiteral("序号"), 80, 1},         {QStringLiteral("领域"), 80, 1},
        {QStringLiteral("地点"), 80, 1},         {QStringLiteral("线路"), 80, 1},
        {QStringLiteral("车型"), 80, 1},         {QStringLiteral("模板工程名"), 180, 1},
        {QStringLiteral("版本"), 80, 1},         {QStringLiteral("算法包名称"), 120, 1},
        {QStringLiteral("算法包版本"), 80, 1},   {QStringLiteral("相机数量"), 80, 1},
        {QStringLiteral("更新时间"), 150, 1},    {QStringLiteral("远端版本"), 80, 1},
        {QStringLiteral("操作"), 200, 1},
    };
    for (const auto &camera : g_cameraList)
        headers.append({camera.first, 150, 1});
    return headers;
}

QMap<QString, QString> cameraMap()
{
    QMap<QString, QString> map;
    for (const auto &camera : g_cameraList)
        map.insert(camera.first, camera.second);
    return map;
}

} // namespace

const QVector<TableHeaderItem> g_algorithmHeaders = {
    {QStringLiteral("序号"), 100, 1}, {QStringLiteral("算法编码"), 200, 1},
    {QStringLiteral("领域"), 200, 1}, {QStringLiteral("名称"), 200, 1},
    {QStringLiteral("备注"), 300, 1}, {QStringLiteral("操作"), 200, 1},
};

const QVector<TableHeaderItem> g_craftHeaders = {
    {QStringLiteral("序号"), 100, 1},     {QStringLiteral("领域"), 200, 1},
    {QStringLiteral("车型"), 200, 1},     {QStringLiteral("厂家"), 200, 1},
    {QStringLiteral("名称"), 200, 1},     {QStringLiteral("版本"), 200, 1},
    {QStringLiteral("更新时间"), 200, 1}, {QStringLiteral("远端版本"), 200, 1},
    {QStringLiteral("操作"), 200, 1},
};

// Defined before the tables built from it (same translation unit, so in this order).
const QVector<QPair<QString, QString>> g_cameraList = {
    {QStringLiteral("底中相机"), QStringLiteral("ZXB_LC03M")},
    {QStringLiteral("底中左相机"), QStringLiteral("ZXB_LC03L")},
    {QStringLiteral("底中右相机"), QStringLiteral("ZXB_LC03R")},
    {QStringLiteral("底左相机"), QStringLiteral("ZXB_LC04")},
    {QStringLiteral("底右相机"), QStringLiteral("ZXB_LC06")},
    {QStringLiteral("左转向架相机"), QStringLiteral("ZXB_LC01D")},
    {QStringLiteral("右转向架相机"), QStringLiteral("ZXB_LC05D")},
    {QStringLiteral("左裙板相机"), QStringLiteral("ZXB_LC01U")},
    {QStringLiteral("右裙板相机"), QStringLiteral("ZXB_LC05U")},
    {QStringLiteral("顶中相机"), QStringLiteral("SV_LC03M")},
    {QStringLiteral("顶左相机"), QStringLiteral("SV_LC01")},
    {QStringLiteral("顶右相机"), QStringLiteral("SV_LC05")},
    {QStringLiteral("车体左侧下相机"), QStringLiteral("SV_LC01W")},
    {QStringLiteral("车体右侧下相机"), QStringLiteral("SV_LC05W")},
    {QStringLiteral("车体左侧上相机"), QStringLiteral("SV_LC01WP")},
    {QStringLiteral("车体右侧上相机"), QStringLiteral("SV_LC05WP")},
};

const QMap<QString, QString> g_cameraTable = cameraMap();
const QVector<TableHeaderItem> g_templateHeaders = templateHeaders();
