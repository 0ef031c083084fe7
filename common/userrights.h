#pragma once

#include <QString>

// True when the logged-in user holds the right or the grant-all right "*:*:*".
bool currentUserHolds(const QString &right);
