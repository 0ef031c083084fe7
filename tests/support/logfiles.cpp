#include "logfiles.h"

#include <QDir>
#include <QFile>

namespace LogFiles {

QStringList list(const QString &dir)
{
    return QDir(dir).entryList({QStringLiteral("*.log")}, QDir::Files, QDir::Name);
}

QStringList entries(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {QStringLiteral("<cannot open %1>").arg(path)};
    const QString text = QString::fromUtf8(f.readAll());
    if (text.isEmpty())
        return {};
    if (!text.endsWith(QLatin1String("\r\n")))
        return {QStringLiteral("<no final CRLF>")};
    QStringList result = text.split(QStringLiteral("\r\n"));
    result.removeLast();
    return result;
}

} // namespace LogFiles
