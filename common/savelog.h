#pragma once

#include <QObject>
#include <QSet>
#include <QString>
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

    // Writes one entry, rotating first when the current file is full or from another day;
    // a file that could not be opened is tried again at the next entry. The failure is told
    // once per file as an error line in the panel and on stderr, again only after the file
    // has opened in between.
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
    void reportOpenFailure();
    void endTornEntry();
    void writeEntry(const QString &content);
    // Local date-time texts, formatted once per second: the time-zone lookup is costly.
    void refreshClock();

    qint64 m_clockSecond = -1;
    QString m_timeText;
    QString m_dateText;
    QString m_stampText;   // names the file a rotation starts
    qint64 m_fileSize = 0; // bytes in the open file, kept without asking the file system
    struct FileNameParts
    {
        QString path, name, stamp, fileName;
    };
    FileNameParts m_lastName;         // the last name built and what it was built from
    QSet<QString> m_unopenedReported; // files the operator was told could not be opened

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
