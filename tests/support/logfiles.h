#pragma once

#include <QString>
#include <QStringList>

// The log files a logger wrote into a folder, and their entries.
namespace LogFiles {
// The names of the "*.log" files in the folder, sorted.
QStringList list(const QString &dir);
// The entries of one file; every entry must end in exactly one CRLF, else the result
// says what is wrong instead.
QStringList entries(const QString &path);
} // namespace LogFiles
