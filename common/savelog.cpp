#include "savelog.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMetaMethod>
#include <QMutexLocker>
#include <QRecursiveMutex>
#include <QTextCodec>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/programfolder.h"
#include "common/singleinstance.h"

namespace {

// One lock for the whole process; recursive so that a setter called from the panel slot,
// which runs inside the handler, does not wait on its own thread.
QRecursiveMutex *handlerLock()
{
    static QRecursiveMutex lock;
    return &lock;
}

std::atomic<SaveLog *> s_active{nullptr};
std::atomic<QtMessageHandler> s_previous{nullptr};
thread_local bool t_insideHandler = false;

struct Level
{
    int bit;
    QString prefix; // "<prefix><time> <message>"
    const char *colour;
};

// One HTML line for the panel; the text's own markup characters are shown, not obeyed.
QString panelLine(const char *colour, const QString &content)
{
    return QStringLiteral("<span style='color:") + QLatin1String(colour) + QStringLiteral(";'>") +
           content.toHtmlEscaped() + QStringLiteral("</span>");
}

// "<prefix><time> <message>", joined, not formatted: a "%1" inside the message stays as it
// is. One allocation.
QString entryText(const Level &level, const QString &time, const QString &msg)
{
    QString content;
    content.reserve(level.prefix.size() + time.size() + 1 + msg.size());
    content += level.prefix;
    content += time;
    content += QLatin1Char(' ');
    content += msg;
    return content;
}

bool levelOf(QtMsgType type, Level *level)
{
    switch (type) {
    case QtDebugMsg:
        *level = {SaveLog::MsgType_Debug, QStringLiteral("Debug 当前时间："), "rgb(0, 0, 0)"};
        return true;
    case QtInfoMsg:
        *level = {SaveLog::MsgType_Info, QStringLiteral("Infox 当前时间："), "rgb(10, 152, 228)"};
        return true;
    case QtWarningMsg:
        *level = {SaveLog::MsgType_Warning, QStringLiteral("Warnx 当前时间："),
                  "rgb(252, 175, 62)"};
        return true;
    case QtCriticalMsg:
        *level = {SaveLog::MsgType_Critical, QStringLiteral("Error 当前时间："),
                  "rgb(250, 48, 48)"};
        return true;
    case QtFatalMsg:
        *level = {SaveLog::MsgType_Fatal, QStringLiteral("Fatal 当前时间："), "rgb(124, 24, 35)"};
        return true;
    }
    return false;
}

// Failed opens told, by folder and cause: a few, the oldest forgotten first.
constexpr int kToldRefusals = 8;

QString folderOf(const QString &fileName)
{
    return fileName.left(fileName.lastIndexOf(QLatin1Char('/')));
}

// What lies at a log file's name when it is not a regular file.
QString notRegularFile(mode_t mode)
{
    if (S_ISLNK(mode))
        return QStringLiteral("是符号链接，不会写入链接指向的文件");
    if (S_ISFIFO(mode))
        return QStringLiteral("不是普通文件，而是命名管道");
    if (S_ISDIR(mode))
        return QStringLiteral("不是普通文件，而是文件夹");
    if (S_ISSOCK(mode))
        return QStringLiteral("不是普通文件，而是套接字");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("不是普通文件，而是设备");
    return QStringLiteral("不是普通文件");
}

// Why an open for writing failed: what lies at the name when that is not a regular file (a
// link refused by O_NOFOLLOW, a FIFO without a reader), else the system's reason.
QString openFailure(const QByteArray &name, int error)
{
    struct stat st;
    if (::lstat(name.constData(), &st) == 0 && !S_ISREG(st.st_mode))
        return notRegularFile(st.st_mode);
    return qt_error_string(error);
}

// What ends the line whose last byte this is; a final LF ends a line whoever wrote it.
QByteArray lineEndAfter(char last)
{
    if (last == '\n')
        return {};
    return last == '\r' ? QByteArray("\n") : QByteArray("\r\n");
}

} // namespace

SaveLog *SaveLog::Instance()
{
    return PageInstance<SaveLog>::get();
}

SaveLog::SaveLog(QObject *parent) : QObject(parent), file(new QFile(this))
{
    path = QCoreApplication::applicationDirPath();
    name = programBaseName(QCoreApplication::applicationFilePath());
}

SaveLog::~SaveLog()
{
    Stop();
    SaveLog *self = this;
    s_active.compare_exchange_strong(self, nullptr);
}

void SaveLog::openFile(const QString &fileName)
{
    QMutexLocker lock(handlerLock());
    if (fileName == this->fileName)
        return;
    this->fileName = fileName;
    if (file->isOpen())
        file->close();
    openForAppend();
}

bool SaveLog::GetUseContext()
{
    return useContext;
}

SaveLog::MsgType SaveLog::GetMsgType()
{
    return msgType;
}

void SaveLog::Start()
{
    QMutexLocker lock(handlerLock());
    if (running)
        return;
    running = true;
    s_active = this;
    QtMessageHandler previous = qInstallMessageHandler(messageHandler);
    if (previous != messageHandler)
        s_previous = previous;
}

void SaveLog::Stop()
{
    QMutexLocker lock(handlerLock());
    if (!running)
        return;
    running = false;
    resetFile();
    SaveLog *self = this;
    // The previous handler stays recorded: a message of another thread that is waiting on
    // the lock right now is passed on to it, not lost to stderr.
    if (s_active.compare_exchange_strong(self, nullptr))
        qInstallMessageHandler(s_previous.load());
}

void SaveLog::Clear()
{
    QMutexLocker lock(handlerLock());
    resetFile();
}

void SaveLog::Save(const QString &content)
{
    QMutexLocker lock(handlerLock());
    refreshClock();
    if (maxRow > 0) {
        ++rowCount;
        if (fileName.isEmpty() || rowCount >= maxRow)
            startNewFile();
    } else if (maxSize > 0) {
        if (fileName.isEmpty() || m_fileSize > qint64(maxSize) * 1024)
            startNewFile();
    } else {
        openFile(logFileName(m_dateText));
    }
    // A file that could not be opened (folder missing or not writable yet) is tried again
    // at every entry, so logging resumes as soon as it can instead of at the next rotation.
    if (!file->isOpen() && !fileName.isEmpty())
        openForAppend();
    writeEntry(content);
}

void SaveLog::SetMaxRow(int maxRow)
{
    if (maxRow < 0)
        return;
    QMutexLocker lock(handlerLock());
    this->maxRow = maxRow;
    resetFile();
}

void SaveLog::SetMaxSize(int maxSize)
{
    if (maxSize < 0)
        return;
    QMutexLocker lock(handlerLock());
    this->maxSize = maxSize;
    resetFile();
}

void SaveLog::SetUseContext(bool useContext)
{
    QMutexLocker lock(handlerLock());
    this->useContext = useContext;
}

void SaveLog::SetPath(const QString &path)
{
    QMutexLocker lock(handlerLock());
    this->path = path;
}

void SaveLog::SetName(const QString &name)
{
    QMutexLocker lock(handlerLock());
    this->name = name;
}

void SaveLog::SetMsgType(MsgType msgType)
{
    QMutexLocker lock(handlerLock());
    this->msgType = msgType;
}

void SaveLog::messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &msg)
{
    // A message raised while this thread is already inside (by the panel slot or the file
    // layer) must neither wait on the lock it holds nor come back here.
    if (t_insideHandler) {
        passOn(type, context, msg);
        return;
    }
    t_insideHandler = true;
    {
        QMutexLocker lock(handlerLock());
        if (SaveLog *log = s_active.load())
            log->handleMessage(type, context, msg);
        else
            passOn(type, context, msg);
    }
    t_insideHandler = false;
}

void SaveLog::passOn(QtMsgType type, const QMessageLogContext &context, const QString &msg)
{
    if (QtMessageHandler previous = s_previous.load()) {
        previous(type, context, msg);
        return;
    }
    const QByteArray line = qFormatLogMessage(type, context, msg).toLocal8Bit();
    std::fprintf(stderr, "%s\n", line.constData());
    std::fflush(stderr);
}

void SaveLog::handleMessage(QtMsgType type, const QMessageLogContext &context, const QString &msg)
{
    Level level;
    if (!levelOf(type, &level) || !(msgType & level.bit))
        return;
    refreshClock();
    QString content = entryText(level, m_timeText, msg);
    if (useContext && context.line > 0) {
        content = QStringLiteral("行号: %1  文件: %2  函数: %3\n%4")
                      .arg(QString::number(context.line), QString::fromUtf8(context.file),
                           QString::fromUtf8(context.function), content);
    }
    static const QMetaMethod panelSignal = QMetaMethod::fromSignal(&SaveLog::flushLogUI);
    if (isSignalConnected(panelSignal)) {
        emit flushLogUI(panelLine(level.colour, content));
        // The panel slot stopped the logger: no file is opened for this entry.
        if (!running)
            return;
    }
    Save(content);
}

void SaveLog::resetFile()
{
    rowCount = 0;
    fileName.clear();
    if (file->isOpen())
        file->close();
}

void SaveLog::startNewFile()
{
    rowCount = 0;
    openFile(logFileName(m_stampText));
}

void SaveLog::refreshClock()
{
    const qint64 second = QDateTime::currentMSecsSinceEpoch() / 1000;
    if (second == m_clockSecond)
        return;
    m_clockSecond = second;
    const QDateTime now = QDateTime::fromSecsSinceEpoch(second);
    m_timeText = now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    m_dateText = now.date().toString(QStringLiteral("yyyy-MM-dd"));
    m_stampText = now.toString(QStringLiteral("yyyy-MM-dd-HH-mm-ss"));
    // A file deleted or moved away would swallow the entries unseen.
    if (file->isOpen() && lostItsName())
        file->close();
}

QString SaveLog::folder() const
{
    if (path.isEmpty())
        return QCoreApplication::applicationDirPath();
    return underProgramFolder(path);
}

const QString &SaveLog::logFileName(const QString &stamp)
{
    // Asked for every entry in day mode: built again only when one of its parts changed.
    if (stamp != m_lastName.stamp || path != m_lastName.path || name != m_lastName.name) {
        m_lastName = {path, name, stamp,
                      QStringLiteral("%1/%2_log_%3.log").arg(folder(), name, stamp)};
    }
    return m_lastName.fileName;
}

void SaveLog::openForAppend()
{
    m_fileSize = 0;
    const QByteArray nativeName = QFile::encodeName(fileName);
    // Never blocks (a FIFO without a reader fails with ENXIO) and never follows a link at
    // the name itself; what opens must still prove a regular file.
    const int fd =
        ::open(nativeName.constData(),
               O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        reportOpenFailure(openFailure(nativeName, errno));
        return;
    }
    struct stat st;
    const bool stated = ::fstat(fd, &st) == 0;
    if (!stated || !S_ISREG(st.st_mode)) {
        const QString reason = stated ? notRegularFile(st.st_mode) : qt_error_string(errno);
        ::close(fd);
        reportOpenFailure(reason);
        return;
    }
    // Unbuffered: every entry reaches the file as it is written, so a crash takes no
    // buffered lines with it and no flush is needed.
    if (!file->open(fd, QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered,
                    QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        reportOpenFailure(file->errorString());
        return;
    }
    // The folder works again: a failure there is told anew.
    const QString where = folderOf(fileName);
    for (int i = m_refusals.size() - 1; i >= 0; --i) {
        if (m_refusals.at(i).folder == where)
            m_refusals.remove(i);
    }
    m_device = st.st_dev;
    m_inode = st.st_ino;
    m_fileSize = st.st_size;
    m_lastByte = lastByte(nativeName);
}

// Whether the open file is no longer the one at its name.
bool SaveLog::lostItsName() const
{
    struct stat st;
    if (::lstat(QFile::encodeName(fileName).constData(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR;
    return quint64(st.st_dev) != m_device || quint64(st.st_ino) != m_inode;
}

// The open file's last byte, LF when it is empty or cannot be read. The log file is open
// write-only: the byte is read through a second descriptor, taken only when it reaches the
// same file.
char SaveLog::lastByte(const QByteArray &nativeName) const
{
    if (m_fileSize == 0)
        return '\n';
    const int fd = ::open(nativeName.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return '\n';
    struct stat st;
    const bool same =
        ::fstat(fd, &st) == 0 && quint64(st.st_dev) == m_device && quint64(st.st_ino) == m_inode;
    char last = '\n';
    if (!same || ::pread(fd, &last, 1, m_fileSize - 1) != 1)
        last = '\n';
    ::close(fd);
    return last;
}

// Once per folder and cause, until a file opens in that folder: the open is tried again at
// every entry, and rotation tries a new name at every step.
void SaveLog::reportOpenFailure(const QString &reason)
{
    const QString where = folderOf(fileName);
    for (const Refusal &told : qAsConst(m_refusals)) {
        if (told.folder == where && told.reason == reason)
            return;
    }
    if (m_refusals.size() >= kToldRefusals)
        m_refusals.removeFirst();
    m_refusals.append({where, reason});
    report(QStringLiteral("日志文件无法打开，日志不会保存：%1（%2）")
               .arg(QDir::toNativeSeparators(fileName), reason));
}

// Once until a write has worked again.
void SaveLog::reportWriteFailure(int error)
{
    if (m_writeFailing)
        return;
    m_writeFailing = true;
    report(QStringLiteral("日志写入失败，日志不会保存：%1（%2）")
               .arg(QDir::toNativeSeparators(fileName), qt_error_string(error)));
}

// An error line straight to stderr and the panel, not through the message log, which would
// lead back into this handler.
void SaveLog::report(const QString &text)
{
    Level critical;
    levelOf(QtCriticalMsg, &critical);
    refreshClock();
    const QString content = entryText(critical, m_timeText, text);
    std::fprintf(stderr, "%s\n", content.toLocal8Bit().constData());
    std::fflush(stderr);
    emit flushLogUI(panelLine(critical.colour, content));
}

void SaveLog::writeEntry(const QString &content)
{
    if (!file->isOpen())
        return;
    QByteArray bytes = QTextCodec::codecForLocale()->fromUnicode(content);
    // A file cut off mid-entry (a crash, another writer) gets its line ended first, so this
    // entry does not continue the torn one.
    if (m_lastByte != '\n')
        bytes.prepend(lineEndAfter(m_lastByte));
    bytes.append("\r\n", 2);
    // Straight to the descriptor: a short write must leave its cause in errno.
    const int fd = file->handle();
    qint64 done = 0;
    int error = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            error = n < 0 ? errno : EIO;
            break;
        }
    }
    if (error == 0) {
        m_fileSize += done;
        m_lastByte = '\n';
        m_writeFailing = false;
        return;
    }
    // No half entry stays behind: what went out is cut off again. The file is appended
    // to, so this entry's bytes are its last ones.
    struct stat st;
    if (done > 0 && ::fstat(fd, &st) == 0 && st.st_size >= done) {
        if (::ftruncate(fd, st.st_size - done) == 0) {
            m_fileSize = st.st_size - done;
        } else {
            // Left torn: the next entry starts on a line of its own.
            m_fileSize = st.st_size;
            m_lastByte = bytes.at(int(done) - 1);
        }
    }
    reportWriteFailure(error);
}
