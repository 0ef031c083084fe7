#pragma once

#include <QString>

// The path as the program uses it: one not starting with "/" and without ":/" (a resource
// or a drive) lies under the program's folder, not under the working folder.
QString underProgramFolder(const QString &path);

// The name the program's own files are called after (settings file, log files): the
// executable's file name up to its first dot.
QString programBaseName(const QString &appFilePath);
