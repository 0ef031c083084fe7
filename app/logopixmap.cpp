#include "logopixmap.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageIOHandler>
#include <QImageReader>
#include <QScopeGuard>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A logo takes kilobytes; far more than that is no logo.
constexpr qint64 MaxFileBytes = 4 * 1024 * 1024;
// Qt 5 decodes whatever a header claims: 4096 x 4096 is 64 MB at four bytes a pixel.
constexpr int MaxSide = 4096;

// The bytes of a regular file of at most MaxFileBytes, else nothing. Opened without
// blocking (a FIFO's open waits for a writer) and checked on the descriptor itself, so
// that nothing can be swapped in under the name between the check and the read.
QByteArray readSmallRegularFile(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    const auto closeFd = qScopeGuard([fd] { ::close(fd); });
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > MaxFileBytes)
        return {};
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        return {};
    // The file may have grown since fstat.
    const QByteArray bytes = file.read(MaxFileBytes + 1);
    return bytes.size() > MaxFileBytes ? QByteArray() : bytes;
}

} // namespace

QPixmap readLogo(const QString &path, const QSize &box)
{
    QByteArray bytes = readSmallRegularFile(path);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // From the header alone.
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > MaxSide || size.height() > MaxSide)
        return {};
    if (reader.supportsOption(QImageIOHandler::ScaledSize))
        reader.setScaledSize(size.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    const QImage image = reader.read();
    if (image.isNull())
        return {};
    return QPixmap::fromImage(image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}
