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
#include <cstdio>

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
    file->setFileName(fileName);
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
    if (maxRow > 0) {
        ++rowCount;
        if (fileName.isEmpty() || rowCount >= maxRow)
            startNewFile();
    } else if (maxSize > 0) {
        if (fileName.isEmpty() || m_fileSize > qint64(maxSize) * 1024)
            startNewFile();
    } else {
        refreshClock();
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
    refreshClock();
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
    // Unbuffered: every entry reaches the file as it is written, so a crash takes no
    // buffered lines with it and no flush is needed.
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        m_fileSize = 0;
        reportOpenFailure();
        return;
    }
    // A file that opened is reported again should it fail anew.
    m_unopenedReported.remove(file->fileName());
    m_fileSize = file->size();
    if (m_fileSize > 0)
        endTornEntry();
}

// Once per file: the open is tried again at every entry. Straight to the panel and stderr,
// not through the message log, which would lead back into this handler.
void SaveLog::reportOpenFailure()
{
    const QString failed = file->fileName();
    if (m_unopenedReported.contains(failed))
        return;
    m_unopenedReported.insert(failed);
    Level critical;
    levelOf(QtCriticalMsg, &critical);
    refreshClock();
    const QString content =
        entryText(critical, m_timeText,
                  QStringLiteral("日志文件无法打开，日志不会保存：%1（%2）")
                      .arg(QDir::toNativeSeparators(failed), file->errorString()));
    std::fprintf(stderr, "%s\n", content.toLocal8Bit().constData());
    std::fflush(stderr);
    emit flushLogUI(panelLine(critical.colour, content));
}

// A file cut off mid-entry (a full disk, a crash) gets its line ended first, so the next
// entry does not continue the torn one. A final LF ends a line whoever wrote it.
void SaveLog::endTornEntry()
{
    QFile tail(file->fileName());
    if (!tail.open(QIODevice::ReadOnly) || !tail.seek(m_fileSize - 1))
        return;
    const QByteArray end = tail.read(1);
    if (end == "\n")
        return;
    const QByteArray lineEnd = end == "\r" ? QByteArray("\n") : QByteArray("\r\n");
    if (file->write(lineEnd) == lineEnd.size())
        m_fileSize += lineEnd.size();
    else
        file->close();
}

void SaveLog::writeEntry(const QString &content)
{
    if (!file->isOpen())
        return;
    QByteArray bytes = QTextCodec::codecForLocale()->fromUnicode(content);
    bytes.append("\r\n", 2);
    const qint64 written = file->write(bytes);
    if (written > 0)
        m_fileSize += written;
    // A write that did not go out whole closes the file; the next entry reopens it and ends
    // the torn line first.
    if (written != bytes.size())
        file->close();
}
