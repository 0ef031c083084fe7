#include "fiforeader.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

FifoReader::FifoReader(const QString &path, int afterMs) : m_path(QFile::encodeName(path))
{
    if (afterMs <= 0) {
        openReader();
        return;
    }
    m_delayed.reset(QThread::create([this, afterMs] {
        if (!m_going.tryAcquire(1, afterMs))
            openReader();
    }));
    m_delayed->start();
}

FifoReader::~FifoReader()
{
    m_going.release();
    if (m_delayed)
        m_delayed->wait();
    if (m_fd >= 0)
        ::close(m_fd);
}

QByteArray FifoReader::drain()
{
    openReader();
    QByteArray bytes;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(m_fd, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, int(n));
    return bytes;
}

void FifoReader::openReader()
{
    std::call_once(
        m_opened, [this] { m_fd = ::open(m_path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC); });
}
