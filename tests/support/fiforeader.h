#pragma once

#include <QByteArray>
#include <QSemaphore>
#include <QString>
#include <QThread>

#include <memory>
#include <mutex>

// The reader side of a FIFO, opened without blocking: at once, or after a delay unless the
// object goes first. A writer whose open blocks on the FIFO then comes back, so that a test
// fails on what follows instead of hanging.
class FifoReader
{
public:
    FifoReader(const QString &path, int afterMs);
    ~FifoReader();

    // What writers have put into the FIFO; opens the reader side now if it is not yet.
    QByteArray drain();

private:
    void openReader();

    QByteArray m_path;
    int m_fd = -1;
    std::once_flag m_opened;
    QSemaphore m_going;
    std::unique_ptr<QThread> m_delayed;
};
