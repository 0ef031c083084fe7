#include "programfolder.h"

#include <QCoreApplication>

QString underProgramFolder(const QString &path)
{
    if (path.startsWith(QLatin1Char('/')) || path.contains(QLatin1String(":/")))
        return path;
    return QStringLiteral("%1/%2").arg(QCoreApplication::applicationDirPath(), path);
}

QString programBaseName(const QString &appFilePath)
{
    return appFilePath.section(QLatin1Char('/'), -1).section(QLatin1Char('.'), 0, 0);
}
