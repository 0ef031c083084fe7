#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

struct stat;

// Small files read whole without ever waiting: opened non-blocking (a FIFO's open waits for a
// writer) and judged by what was opened, since the name may be swapped in between.
namespace SmallFile {

enum class Outcome
{
    Read,
    Missing,
    NotRegular, // a FIFO, a device, a folder, a socket
    TooLarge,   // more than the limit, also when it grew while being read
    Failed,     // error holds errno; EAGAIN: a read would wait
};

// Which file a name led to: the same device and inode is the same file.
struct FileId
{
    quint64 device = 0;
    quint64 inode = 0;
    bool operator==(const FileId &other) const
    {
        return device == other.device && inode == other.inode;
    }
    bool operator!=(const FileId &other) const { return !(*this == other); }
};

FileId idOf(const struct stat &info);
// The regular file the name leads to now, links followed; none when there is none.
std::optional<FileId> idAt(const QString &path);

// bytes (and id, when given) are filled only when the outcome is Read.
Outcome read(const QString &path, qint64 limit, QByteArray *bytes, int *error,
             FileId *id = nullptr);

// Why a present file was not read, for a message; empty for Read and Missing.
QString refusal(Outcome outcome, int error = 0, qint64 limit = 0);

// Up to limit bytes of the open file; 0, or the errno of the read that failed.
int readUpTo(int fd, qint64 limit, qint64 sizeHint, QByteArray *bytes);

} // namespace SmallFile
