#include "smallfile.h"

#include <QFile>
#include <QScopeGuard>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SmallFile {

Outcome read(const QString &path, qint64 limit, QByteArray *bytes, int *error, FileId *id)
{
    *error = 0;
    // Never a controlling terminal.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        *error = errno;
        if (errno == ENOENT || errno == ENOTDIR)
            return Outcome::Missing;
        // A socket cannot be opened.
        return errno == ENXIO ? Outcome::NotRegular : Outcome::Failed;
    }
    const auto closeFd = qScopeGuard([fd] { ::close(fd); });
    struct stat info;
    if (::fstat(fd, &info) != 0) {
        *error = errno;
        return Outcome::Failed;
    }
    if (!S_ISREG(info.st_mode))
        return Outcome::NotRegular;
    if (info.st_size > limit)
        return Outcome::TooLarge;
    // Bounded again: the file may grow while it is read.
    QByteArray data;
    if ((*error = readUpTo(fd, limit + 1, info.st_size, &data)))
        return Outcome::Failed;
    if (data.size() > limit)
        return Outcome::TooLarge;
    *bytes = std::move(data);
    if (id)
        *id = idOf(info);
    return Outcome::Read;
}

FileId idOf(const struct stat &info)
{
    return {quint64(info.st_dev), quint64(info.st_ino)};
}

std::optional<FileId> idAt(const QString &path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return idOf(info);
}

QString refusal(Outcome outcome, int error, qint64 limit)
{
    switch (outcome) {
    case Outcome::Read:
    case Outcome::Missing:
        return {};
    case Outcome::NotRegular:
        return QStringLiteral("不是普通文件");
    case Outcome::TooLarge:
        return QStringLiteral("超过 %1 字节").arg(limit);
    case Outcome::Failed:
        break;
    }
    return error == EAGAIN || error == EWOULDBLOCK ? QStringLiteral("读取会阻塞")
                                                   : qt_error_string(error);
}

int readUpTo(int fd, qint64 limit, qint64 sizeHint, QByteArray *bytes)
{
    QByteArray data(int(qBound<qint64>(0, sizeHint, limit - 1) + 1), Qt::Uninitialized);
    qint64 got = 0;
    for (;;) {
        if (got == data.size()) {
            if (got >= limit)
                break;
            data.resize(int(qMin(limit, got * 2)));
        }
        const ssize_t n = ::read(fd, data.data() + got, size_t(data.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            break;
        got += n;
    }
    data.resize(int(got));
    *bytes = std::move(data);
    return 0;
}

} // namespace SmallFile
