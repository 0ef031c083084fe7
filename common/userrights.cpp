#include "userrights.h"

#include "common/appstate.h"

bool currentUserHolds(const QString &right)
{
    const QStringList &held = g_currentUser.permissions;
    return held.contains(right) || held.contains(QStringLiteral("*:*:*"));
}
