#include "httpaddress.h"

#include <QHostAddress>
#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

namespace {
// An IPv4 address, an IPv6 address in brackets, or a host name (in any script).
bool isHost(const QString &host)
{
    if (host.startsWith('[') && host.endsWith(']'))
        return QHostAddress(host.mid(1, host.size() - 2)).protocol() ==
               QAbstractSocket::IPv6Protocol;
    static const QRegularExpression name(
        QStringLiteral("^(?=.{1,253}$)([A-Za-z0-9_]([A-Za-z0-9_-]{0,61}[A-Za-z0-9_])?\\.)*"
                       "[A-Za-z0-9_]([A-Za-z0-9_-]{0,61}[A-Za-z0-9_])?\\.?$"));
    return name.match(QString::fromLatin1(QUrl::toAce(host))).hasMatch();
}

bool isPort(const QString &port)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,5}$"));
    return digits.match(port).hasMatch() && port.toInt() >= 1 && port.toInt() <= 65535;
}
} // namespace

QString HttpAddress::baseUrl(const QString &ip, const QString &port)
{
    return QStringLiteral("http://%1:%2").arg(ip.trimmed(), port.trimmed());
}

QString HttpAddress::fault(const QString &ip, const QString &port)
{
    QStringList faults;
    if (!isHost(ip.trimmed()))
        faults << QStringLiteral("设置 [Http] ip 的值“%1”不是一个主机名或地址").arg(ip.trimmed());
    if (!isPort(port.trimmed()))
        faults << QStringLiteral("设置 [Http] port 的值“%1”不是 1 到 65535 之间的整数")
                      .arg(port.trimmed());
    return faults.join(QStringLiteral("；"));
}
