#pragma once

#include <QMap>
#include <QPair>
#include <QString>
#include <QVector>

// One column of a record table.
struct TableHeaderItem
{
    QString text;
    int width;
    int flag;
};

extern const QVector<TableHeaderItem> g_algorithmHeaders; // 6 columns
extern const QVector<TableHeaderItem> g_craftHeaders;     // 9 columns
extern const QVector<TableHeaderItem> g_templateHeaders;  // 29 columns, cameras from 13

// The sixteen cameras of a vehicle in declaration order (display name, code); the
// template record's status texts and the template table's camera columns follow it.
extern const QVector<QPair<QString, QString>> g_cameraList;
// The same pairs as a map from display name to code, walked in the map's own order.
extern const QMap<QString, QString> g_cameraTable;

// Column of the template table that shows the first camera's drawing status.
constexpr int TemplateCameraColumn = 13;
