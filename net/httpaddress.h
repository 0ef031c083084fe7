#pragma once

#include <QString>

// The management server's address as the [Http] settings give it. A host or port that is
// not one would not fail: the request would go to port 80 of some host.
class HttpAddress
{
public:
    // "http://<ip>:<port>"; blanks at the ends of either are no part of it.
    static QString baseUrl(const QString &ip, const QString &port);
    // Why the two make no address to send to, naming each setting at fault and its value;
    // empty when they make one.
    static QString fault(const QString &ip, const QString &port);
};
