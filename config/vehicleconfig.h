#pragma once

#include <QList>
#include <QString>

// One node of a vehicle configuration: a region, a part or a check item. Owned by the
// configuration's loader and editor; tree nodes only point at it.
struct VehicleConfig
{
    QString name; // "configurationName", shown in column 0 of the tree
    QString type;
    QList<VehicleConfig> children;
};
