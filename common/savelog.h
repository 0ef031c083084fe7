#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QVector>
#include <QtGlobal>

class QFile;

// The file logger. While started it is the process's message handler: every message whose
// level is in the mask is written as one CRLF-terminated entry to a log file named
// "<path>/<name>_log_<stamp>.log", rotated by row count, by size or by day, and is sent as
// one coloured HTML line through flushLogUI for the log panel.
class SaveLog : public QObject
{
    Q_OBJECT

public:
    // Level bits of the mask; the log panel sums the ticked ones.
    enum MsgType
    {
        MsgType_Debug = 0x0001,
        MsgType_Info = 0x0002,
        MsgType_Warning = 0x0004,
        MsgType_Critical = 0x0008,
        MsgType_Fatal = 0x0010,
        MsgType_All = 0x001f,
    };
    Q_ENUM(MsgType)

    static SaveLog *Instance();

    explicit SaveLog(QObject *parent = nullptr);
    // Stops first when running, so the previous handler is back in place.
    ~SaveLog() override;

signals:
    void flushLogUI(const QString &msg);

public slots:
    // Switches to another file; the same name again changes nothing.
    void openFile(const QString &fileName);
    bool GetUseContext();
    MsgType GetMsgType();

    // Installs the handler; the handler in place before (the framework's default in the
    // program) comes back with Stop.
    void Start();
    void Stop();
    // Closes the file; the next entry starts a new one.
    void Clear();

    // Writes one entry, rotating first when the current file is full or from another day.
    // Only a regular file at the log file's name is written: a symbolic link there is not
    // followed, and a FIFO, device or socket is refused without waiting. A file that could
    // not be opened is tried again at the next entry; the failure is told as an error line
    // in the panel and on stderr once per folder and cause, again only after a file has
    // opened in that folder. A write that does not go out whole is cut back to the last
    // whole entry and told the same way, again only after a write has worked in between.
    // A file that lost its name (deleted, moved away) is opened anew at its name by the first
    // entry of a later second; entries of the same second still go to the old file.
    void Save(const QString &content);

    // Entries per file and KB per file; 0 switches the limit off, negatives are ignored.
    void SetMaxRow(int maxRow);
    void SetMaxSize(int maxSize);
    void SetUseContext(bool useContext);
    // A relative folder is taken under the program's folder, not the working folder.
    void SetPath(const QString &path);
    void SetName(const QString &name);
    void SetMsgType(MsgType msgType);

private:
    static void messageHandler(QtMsgType type, const QMessageLogContext &context,
                               const QString &msg);
    static void passOn(QtMsgType type, const QMessageLogContext &context, const QString &msg);
    void handleMessage(QtMsgType type, const QMessageLogContext &context, const QString &msg);
    void resetFile();
    void startNewFile();
    QString folder() const;
    const QString &logFileName(const QString &stamp);
    void openForAppend();
    bool lostItsName() const;
    char lastByte(const QByteArray &nativeName) const;
    void reportOpenFailure(const QString &reason);
    void reportWriteFailure(int error);
    void report(const QString &text);
    void writeEntry(const QString &content);
    // Local date-time texts, formatted once per second: the time-zone lookup is costly. On
    // the same change, the open file is closed when it lost its name.
    void refreshClock();

    qint64 m_clockSecond = -1;
    QString m_timeText;
    QString m_dateText;
    QString m_stampText;   // names the file a rotation starts
    qint64 m_fileSize = 0; // bytes in the open file, kept without asking the file system
    quint64 m_device = 0;  // identity of the open file
    quint64 m_inode = 0;
    char m_lastByte = '\n';      // of the open file: not LF, a torn line to end first
    bool m_writeFailing = false; // a failed write has been told and none has worked since
    struct FileNameParts
    {
        QString path, name, stamp, fileName;
    };
    FileNameParts m_lastName; // the last name built and what it was built from
    // Folders and causes of failed opens the operator was told of, the oldest dropped past
    // a few: rotation tries a new name at each step, and each is not told again.
    struct Refusal
    {
        QString folder, reason;
    };
    QVector<Refusal> m_refusals;

    bool running = false;
    int maxRow = 0;
    int rowCount = 0;
    int maxSize = 1024;
    bool useContext = false;
    QFile *file = nullptr;
    QString path;
    QString name;
    QString fileName;
    MsgType msgType = MsgType_All;
};
