#pragma once

#include <QList>
#include <QString>

#include "config/vehicleconfig.h"

// Reads the configuration tree of a craft file: a JSON array of nodes, each an object
// with a text "configurationName", an optional text "type" and an optional array
// "children" of nodes. Returns false with a reason when the text is not such a tree.
bool parseCraftFile(const QString &text, QList<VehicleConfig> *roots, QString *error);
