#include "programfolder.h"

#include <QCoreApplication>

namespace {

bool isDrivePath(const QString &path)
{
    return path.size() >= 3 && path.at(0).isLetter() && path.at(0).unicode() < 128 &&
           path.at(1) == QLatin1Char(':') &&
           (path.at(2) == QLatin1Char('/') || path.at(2) == QLatin1Char('\\'));
}

} // namespace

QString underProgramFolder(const QString &path)
{
    // "/x", "\\server\share", "D:\x" and "D:/x" name their folder on their own; so does
    // anything holding ":/" (a resource, a URL).
    if (path.startsWith(QLatin1Char('/')) || path.startsWith(QLatin1Char('\\')) ||
        isDrivePath(path) || path.contains(QLatin1String(":/")))
        return path;
    return QStringLiteral("%1/%2").arg(QCoreApplication::applicationDirPath(), path);
}

QString programBaseName(const QString &appFilePath)
{
    return appFilePath.section(QLatin1Char('/'), -1).section(QLatin1Char('.'), 0, 0);
}
