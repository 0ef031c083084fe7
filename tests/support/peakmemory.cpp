#include "peakmemory.h"

#include <QByteArray>
#include <QFile>

namespace PeakMemory {

qint64 kib()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = status.readAll();
    const int at = text.indexOf("VmHWM:");
    return at < 0 ? 0 : text.mid(at + 6).trimmed().split(' ').value(0).toLongLong();
}

} // namespace PeakMemory
