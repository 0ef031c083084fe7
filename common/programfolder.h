#pragma once

#include <QString>

// The path as the program uses it: a relative path lies under the program's folder, not
// under the working folder. Absolute are "/...", "\\...", drive paths with either slash
// and anything holding ":/".
QString underProgramFolder(const QString &path);

// The name the program's own files are called after (settings file, log files): the
// executable's file name up to its first dot.
QString programBaseName(const QString &appFilePath);
