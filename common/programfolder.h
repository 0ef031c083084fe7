#pragma once

#include <QString>

// The path as the program uses it: one not starting with "/" and without ":/" (a resource
// or a drive) lies under the program's folder, not under the working folder.
QString underProgramFolder(const QString &path);
