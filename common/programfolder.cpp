#include "programfolder.h"

#include <QCoreApplication>

QString underProgramFolder(const QString &path)
{
    if (path.startsWith(QLatin1Char('/')) || path.contains(QLatin1String(":/")))
        return path;
    return QStringLiteral("%1/%2").arg(QCoreApplication::applicationDirPath(), path);
}
