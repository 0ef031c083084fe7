#include <QtTest>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <cstdio>
#include <functional>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "common/savelog.h"
#include "support/filebytes.h"
#include "support/filesizelimit.h"
#include "support/logfiles.h"
#include "support/messagecapture.h"

namespace {

// Whether the thread sleeps in the kernel on a lock.
bool waitsOnFutex(long tid)
{
    QFile wchan(QStringLiteral("/proc/self/task/%1/wchan").arg(tid));
    return wchan.open(QIODevice::ReadOnly) && wchan.readAll().contains("futex");
}

// What the process writes to stderr while run() runs (a few KB at most). Through a pipe: a
// file-size limit that run() sets would cut a capture file short.
QByteArray stderrOf(const std::function<void()> &run)
{
    int ends[2];
    if (pipe(ends) != 0)
        return "<no capture pipe>";
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    dup2(ends[1], STDERR_FILENO);
    close(ends[1]);
    run();
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    QFile captured;
    captured.open(ends[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    return captured.readAll();
}

// The failures the logger told the panel of.
QStringList toldIn(const QSignalSpy &panel)
{
    QStringList lines;
    for (const QList<QVariant> &line : panel)
        lines << line.first().toString();
    return lines.filter(QStringLiteral("，日志不会保存："));
}

// Today's file of a logger in day mode.
QString dayFile(const QString &name)
{
    return QStringLiteral("%1_log_%2.log").arg(name, QDate::currentDate().toString("yyyy-MM-dd"));
}

QtMessageHandler currentHandler()
{
    const QtMessageHandler handler = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(handler);
    return handler;
}

void waitForNextSecond()
{
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    QTRY_VERIFY(QDateTime::currentSecsSinceEpoch() != now);
}

// A logger writing into a folder of its own under a fixed name.
struct Fixture
{
    QTemporaryDir dir;
    SaveLog log;
    Fixture()
    {
        log.SetPath(dir.path());
        log.SetName(QStringLiteral("probe"));
    }
    ~Fixture()
    {
        log.Stop();
        dir.setAutoRemove(!QTest::currentTestFailed());
    }
    QString only() const
    {
        const QStringList files = LogFiles::list(dir.path());
        return files.size() == 1 ? dir.filePath(files.first()) : QString();
    }
};

} // namespace

class tst_SaveLog : public QObject
{
    Q_OBJECT

private slots:
    void defaultsAndNames();
    void dayModeKeepsOneFile();
    void sizeRotation();
    void rowRotationHundredPerFile();
    void negativeLimitChangesNothing();
    void maskFilters_data();
    void maskFilters();
    void entryFormatAndPanelLine();
    void contextLine_data();
    void contextLine();
    void startStopRestoresHandler();
    void nestedMessageFromPanelSlot();
    void stopInsidePanelSlot();
    void tornEntryEndedOnOpen_data();
    void tornEntryEndedOnOpen();
    void unsafeLogFile_data();
    void unsafeLogFile();
    void unwritableFolderThenRecovers_data();
    void unwritableFolderThenRecovers();
    void relativeFolderUnderProgramFolder();
    void manyThreadsWholeEntries();
};

void tst_SaveLog::defaultsAndNames()
{
    SaveLog log;
    QCOMPARE(log.GetMsgType(), SaveLog::MsgType_All);
    QCOMPARE(log.GetUseContext(), false);

    // Construction values: size mode with a 1 MB limit, so a date-time stamp; the default
    // folder and name come from the executable.
    log.Save(QStringLiteral("first"));
    const QString expectedPrefix =
        QStringLiteral("%1/tst_savelog_log_").arg(QCoreApplication::applicationDirPath());
    const QStringList files = QDir(QCoreApplication::applicationDirPath())
                                  .entryList({QStringLiteral("tst_savelog_log_*.log")});
    QCOMPARE(files.size(), 1);
    const QString full = QCoreApplication::applicationDirPath() + QLatin1Char('/') + files.first();
    QVERIFY(full.startsWith(expectedPrefix));
    QVERIFY(
        QRegularExpression(QStringLiteral("_log_\\d{4}-\\d\\d-\\d\\d-\\d\\d-\\d\\d-\\d\\d\\.log$"))
            .match(full)
            .hasMatch());
    log.Clear();
    QVERIFY(QFile::remove(full));
}

void tst_SaveLog::dayModeKeepsOneFile()
{
    Fixture fx;
    QTemporaryDir other;
    fx.log.SetMaxRow(0);
    fx.log.SetMaxSize(0);
    fx.log.Save(QStringLiteral("a"));
    waitForNextSecond();
    fx.log.Save(QStringLiteral("b"));
    // The file follows a folder or name set since, and comes back with them.
    fx.log.SetPath(other.path());
    fx.log.Save(QStringLiteral("c"));
    fx.log.SetName(QStringLiteral("renamed"));
    fx.log.Save(QStringLiteral("d"));
    fx.log.SetPath(fx.dir.path());
    fx.log.SetName(QStringLiteral("probe"));
    fx.log.Save(QStringLiteral("e"));
    QCOMPARE(LogFiles::list(fx.dir.path()), QStringList{dayFile("probe")});
    QCOMPARE(LogFiles::entries(fx.only()), QStringList({"a", "b", "e"}));
    QCOMPARE(LogFiles::entries(other.filePath(dayFile("probe"))), QStringList{"c"});
    QCOMPARE(LogFiles::entries(other.filePath(dayFile("renamed"))), QStringList{"d"});
}

void tst_SaveLog::sizeRotation()
{
    Fixture fx;
    fx.log.SetMaxSize(1);
    const QString entry(300, QLatin1Char('x'));
    for (int i = 0; i < 4; ++i)
        fx.log.Save(entry);
    // The fourth entry went in although the file was above 1024 bytes only afterwards.
    QCOMPARE(LogFiles::list(fx.dir.path()).size(), 1);
    const QString first = fx.only();
    QCOMPARE(QFileInfo(first).size(), 4 * 302);

    waitForNextSecond();
    fx.log.Save(QStringLiteral("next"));
    const QStringList files = LogFiles::list(fx.dir.path());
    QCOMPARE(files.size(), 2);
    QCOMPARE(LogFiles::entries(first).size(), 4);
    QCOMPARE(LogFiles::entries(fx.dir.filePath(files.last())), QStringList{"next"});
}

void tst_SaveLog::rowRotationHundredPerFile()
{
    Fixture fx;
    fx.log.SetMaxRow(100);
    int n = 0;
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < (round == 2 ? 50 : 100); ++i)
            fx.log.Save(QString::number(n++));
        waitForNextSecond();
    }
    const QStringList files = LogFiles::list(fx.dir.path());
    QCOMPARE(files.size(), 3);
    QList<int> counts;
    for (const QString &f : files)
        counts << LogFiles::entries(fx.dir.filePath(f)).size();
    QCOMPARE(counts, QList<int>({100, 100, 50}));
    QCOMPARE(LogFiles::entries(fx.dir.filePath(files.at(1))).first(), QStringLiteral("100"));
}

void tst_SaveLog::negativeLimitChangesNothing()
{
    Fixture fx;
    fx.log.SetMaxRow(5);
    fx.log.Save(QStringLiteral("a"));
    waitForNextSecond();
    fx.log.SetMaxRow(-1);
    fx.log.SetMaxSize(-1);
    fx.log.Save(QStringLiteral("b"));
    QCOMPARE(LogFiles::entries(fx.only()), QStringList({"a", "b"}));

    // A real change empties the name: the next entry starts a new file.
    fx.log.SetMaxRow(5);
    fx.log.Save(QStringLiteral("c"));
    QCOMPARE(LogFiles::list(fx.dir.path()).size(), 2);
}

void tst_SaveLog::maskFilters_data()
{
    QTest::addColumn<int>("mask");
    QTest::addColumn<QStringList>("prefixes");
    QTest::newRow("none") << 0 << QStringList();
    QTest::newRow("info only") << 2 << QStringList{"Infox"};
    QTest::newRow("all") << 31 << QStringList{"Debug", "Infox", "Warnx", "Error"};
    QTest::newRow("all but debug") << 30 << QStringList{"Infox", "Warnx", "Error"};
}

void tst_SaveLog::maskFilters()
{
    QFETCH(int, mask);
    QFETCH(QStringList, prefixes);
    Fixture fx;
    fx.log.SetMaxSize(0);
    fx.log.SetMsgType(SaveLog::MsgType(mask));
    QSignalSpy panel(&fx.log, &SaveLog::flushLogUI);
    fx.log.Start();
    qDebug("d");
    qInfo("i");
    qWarning("w");
    qCritical("c");
    fx.log.Stop();

    QStringList seen;
    const QStringList entries = fx.only().isEmpty() ? QStringList() : LogFiles::entries(fx.only());
    for (const QString &e : entries)
        seen << e.left(5);
    QCOMPARE(seen, prefixes);
    QCOMPARE(panel.count(), prefixes.size());
}

void tst_SaveLog::entryFormatAndPanelLine()
{
    Fixture fx;
    QSignalSpy panel(&fx.log, &SaveLog::flushLogUI);
    fx.log.Start();
    qWarning("%s", "disk <b>full</b> & %1");
    qDebug("%s", "");
    fx.log.Stop();

    const QStringList entries = LogFiles::entries(fx.only());
    QCOMPARE(entries.size(), 2);
    const QRegularExpression warn(QStringLiteral(
        "^Warnx 当前时间：\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d disk <b>full</b> & %1$"));
    QVERIFY2(warn.match(entries.at(0)).hasMatch(), qPrintable(entries.at(0)));
    // An empty message still gives an entry: prefix, time and a trailing blank.
    QVERIFY(QRegularExpression(QStringLiteral("^Debug 当前时间：[-\\d]+ [:\\d]+ $"))
                .match(entries.at(1))
                .hasMatch());

    QCOMPARE(panel.count(), 2);
    const QString line = panel.at(0).at(0).toString();
    QVERIFY(
        line.startsWith(QStringLiteral("<span style='color:rgb(252, 175, 62);'>Warnx 当前时间：")));
    QVERIFY2(line.endsWith(QStringLiteral(" disk &lt;b&gt;full&lt;/b&gt; &amp; %1</span>")),
             qPrintable(line));
    QVERIFY(panel.at(1).at(0).toString().startsWith(
        QStringLiteral("<span style='color:rgb(0, 0, 0);'>Debug")));
}

void tst_SaveLog::contextLine_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<bool>("withContext");
    QTest::newRow("line 42") << 42 << true;
    QTest::newRow("no line") << 0 << false;
}

void tst_SaveLog::contextLine()
{
    QFETCH(int, line);
    QFETCH(bool, withContext);
    Fixture fx;
    fx.log.SetUseContext(true);
    QVERIFY(fx.log.GetUseContext());
    fx.log.Start();
    QMessageLogger("src/probe.cpp", line, "void probe()").critical("boom");
    fx.log.Stop();

    const QStringList entries = LogFiles::entries(fx.only());
    QCOMPARE(entries.size(), 1);
    const QStringList parts = entries.first().split(QLatin1Char('\n'));
    if (withContext) {
        QCOMPARE(parts.size(), 2);
        QCOMPARE(parts.at(0), QStringLiteral("行号: 42  文件: src/probe.cpp  函数: void probe()"));
        QVERIFY(parts.at(1).startsWith(QStringLiteral("Error 当前时间：")));
    } else {
        QCOMPARE(parts.size(), 1);
        QVERIFY(parts.at(0).endsWith(QStringLiteral(" boom")));
    }
}

void tst_SaveLog::startStopRestoresHandler()
{
    const QtMessageHandler before = currentHandler();
    {
        Fixture fx;
        fx.log.Start();
        fx.log.Start();
        QVERIFY(currentHandler() != before);
        fx.log.Stop();
        QVERIFY(currentHandler() == before);

        // Destruction while running stops as well.
        auto *other = new SaveLog;
        other->SetPath(fx.dir.path());
        other->Start();
        delete other;
        QVERIFY(currentHandler() == before);
    }
    QVERIFY(SaveLog::Instance());
    QCOMPARE(SaveLog::Instance(), SaveLog::Instance());
}

void tst_SaveLog::nestedMessageFromPanelSlot()
{
    Fixture fx;
    int slotRuns = 0;
    connect(&fx.log, &SaveLog::flushLogUI, this, [&] {
        ++slotRuns;
        qWarning("from the panel slot");
    });
    fx.log.Start();
    qInfo("outer");
    qInfo("second");
    fx.log.Stop();
    // The nested warnings went to the previous handler, not into the file or the panel.
    QCOMPARE(slotRuns, 2);
    QCOMPARE(LogFiles::entries(fx.only()).size(), 2);
}

void tst_SaveLog::stopInsidePanelSlot()
{
    Fixture fx;
    fx.log.SetMaxSize(0);
    MessageCapture before; // the handler in place before Start
    std::atomic<long> tid{0};
    QSemaphore go;
    QScopedPointer<QThread> other(QThread::create([&] {
        tid = syscall(SYS_gettid);
        go.acquire();
        qInfo("from another thread");
    }));
    bool stopped = false;
    connect(&fx.log, &SaveLog::flushLogUI, this, [&] {
        if (stopped)
            return;
        stopped = true;
        other->start();
        QTRY_VERIFY(tid != 0);
        go.release();
        // The other thread's message now waits on the lock this thread holds.
        QTRY_VERIFY(waitsOnFutex(tid));
        fx.log.Stop();
    });
    fx.log.Start();
    qInfo("stops the logger");
    QVERIFY(other->wait(10000));
    QVERIFY(stopped);
    QVERIFY(before.has(QtInfoMsg, QStringLiteral("from another thread")));
    QVERIFY(!fx.log.findChild<QFile *>()->isOpen());
    QCOMPARE(LogFiles::list(fx.dir.path()), QStringList());
}

void tst_SaveLog::tornEntryEndedOnOpen_data()
{
    QTest::addColumn<QByteArray>("existing");
    QTest::addColumn<QByteArray>("before"); // what precedes the new entry
    QTest::newRow("mid-entry") << QByteArray("Infox torn") << QByteArray("Infox torn\r\n");
    QTest::newRow("after the CR") << QByteArray("a\r\nb\r") << QByteArray("a\r\nb\r\n");
    QTest::newRow("bare LF, another tool's") << QByteArray("a\nb\n") << QByteArray("a\nb\n");
    QTest::newRow("whole entries") << QByteArray("a\r\n") << QByteArray("a\r\n");
    QTest::newRow("empty") << QByteArray() << QByteArray();
}

void tst_SaveLog::tornEntryEndedOnOpen()
{
    QFETCH(QByteArray, existing);
    QFETCH(QByteArray, before);
    Fixture fx;
    fx.log.SetMaxSize(0);
    const QString name = fx.dir.filePath(dayFile(QStringLiteral("probe")));
    FileBytes::write(name, existing);

    fx.log.Start();
    qInfo("next run");
    fx.log.Stop();
    const QByteArray bytes = FileBytes::read(name);
    const QRegularExpression whole(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(before) + QStringLiteral("Infox [^\r\n]* next run\r\n")));
    QVERIFY2(whole.match(QString::fromUtf8(bytes)).hasMatch(), bytes.constData());
}

void tst_SaveLog::unsafeLogFile_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QByteArray>("bytes"); // at the log file's name (or where it leads), no times
    QTest::addColumn<int>("reports");
    QTest::addColumn<QString>("reason");
    QTest::newRow("FIFO without a reader") << "fifo" << QByteArray() << 1 << "命名管道";
    QTest::newRow("FIFO with a reader") << "read fifo" << QByteArray() << 1 << "命名管道";
    QTest::newRow("symbolic link") << "link" << QByteArray("kept\r\n") << 1 << "符号链接";
    // Cut mid-entry, lost, written, lost again after a success: told twice.
    QTest::newRow("full disk") << "full" << QByteArray("a\r\nc\r\n") << 2 << "File too large";
    QTest::newRow("deleted while running") << "deleted" << QByteArray("c\r\n") << 0 << "";
    QTest::newRow("moved away while running") << "moved" << QByteArray("c\r\n") << 0 << "";
}

void tst_SaveLog::unsafeLogFile()
{
    QFETCH(QString, fault);
    QFETCH(QByteArray, bytes);
    QFETCH(int, reports);
    QFETCH(QString, reason);
    Fixture fx;
    fx.log.SetMaxSize(0);
    const QString name = fx.dir.filePath(dayFile(QStringLiteral("probe")));
    QString target = name;
    const auto disarm = qScopeGuard([] { alarm(0); });
    QFile reader; // the FIFO's read side
    const auto openReader = [&] {
        const int fd = ::open(QFile::encodeName(name).constData(), O_RDONLY | O_NONBLOCK);
        return reader.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    };
    if (fault.endsWith(QLatin1String("fifo"))) {
        QCOMPARE(mkfifo(QFile::encodeName(name).constData(), 0600), 0);
        // Without a reader an open that waits for one ends the test (SIGALRM), not hangs it.
        if (fault == QLatin1String("fifo"))
            alarm(10);
        else
            QVERIFY(openReader());
    } else if (fault == QLatin1String("link")) {
        target = fx.dir.filePath(QStringLiteral("elsewhere"));
        FileBytes::write(target, "kept\r\n");
        QVERIFY(QFile::link(target, name));
    }
    QSignalSpy panel(&fx.log, &SaveLog::flushLogUI);
    int entries = 0;
    const auto log = [&](const char *text) {
        ++entries;
        qInfo("%s", text);
    };
    fx.log.Start();
    const QByteArray errors = stderrOf([&] {
        log("a");
        if (fault == QLatin1String("full")) {
            {
                const FileSizeLimit full(QFileInfo(name).size() + 10);
                log("b, cut short");
                log("b, lost");
            }
            log("c");
            const FileSizeLimit full(QFileInfo(name).size());
            log("d, lost");
        } else if (fault == QLatin1String("deleted") || fault == QLatin1String("moved")) {
            QVERIFY(fault == QLatin1String("deleted") ? QFile::remove(name)
                                                      : QFile::rename(name, name + ".old"));
            waitForNextSecond();
            log("c");
        } else {
            log("b");
        }
    });
    fx.log.Stop();

    if (fault.endsWith(QLatin1String("fifo")) && !reader.isOpen())
        QVERIFY(openReader());
    const QString written =
        QString::fromUtf8(reader.isOpen() ? reader.readAll() : FileBytes::read(target));
    QCOMPARE(QString(written).remove(QRegularExpression(QStringLiteral("Infox \\S+ \\S+ "))),
             QString::fromUtf8(bytes));
    const QStringList told = toldIn(panel);
    QCOMPARE(told.size(), reports);
    QCOMPARE(told.filter(reason).filter(fx.dir.path()).size(), reports);
    QCOMPARE(errors.count("，日志不会保存："), reports);
    // Every entry was still shown.
    QCOMPARE(panel.count(), entries + reports);
    QVERIFY(fault != QLatin1String("link") || QFileInfo(name).isSymLink());
}

void tst_SaveLog::unwritableFolderThenRecovers_data()
{
    QTest::addColumn<int>("maxRow");
    QTest::addColumn<int>("maxSize");
    QTest::newRow("day") << 0 << 0;
    QTest::newRow("size") << 0 << 1;
    QTest::newRow("row") << 100 << 0;
    QTest::newRow("row, a new name each second") << 1 << 0;
}

void tst_SaveLog::unwritableFolderThenRecovers()
{
    QFETCH(int, maxRow);
    QFETCH(int, maxSize);
    Fixture fx;
    // A plain file where the folder should be: no file can be opened, even as root.
    const QString blocked = fx.dir.filePath(QStringLiteral("logs"));
    const QString named = blocked + QStringLiteral("/probe_log_");
    FileBytes::write(blocked, {});
    fx.log.SetPath(blocked);
    fx.log.SetMaxRow(maxRow);
    fx.log.SetMaxSize(maxSize);
    QSignalSpy panel(&fx.log, &SaveLog::flushLogUI);
    const auto reports = [&] { return toldIn(panel).filter(named).filter("Not a directory"); };
    fx.log.Start();
    // Two entries lost, one report naming the file: in the panel as an error, and on stderr.
    // Not told again for another name either.
    const QByteArray errors = stderrOf([&] {
        qInfo("lost");
        if (maxRow == 1)
            waitForNextSecond();
        qInfo("lost too");
    });
    QCOMPARE(panel.count(), 3);
    QCOMPARE(reports().size(), 1);
    QVERIFY2(reports().first().startsWith(
                 QStringLiteral("<span style='color:rgb(250, 48, 48);'>Error 当前时间：")),
             qPrintable(reports().first()));
    QCOMPARE(errors.count(named.toUtf8()), 1);

    QVERIFY(QFile::remove(blocked));
    QVERIFY(QDir(fx.dir.path()).mkdir(QStringLiteral("logs")));
    // No rotation is due, yet the next entry reaches the disk.
    qInfo("kept");
    QCOMPARE(panel.count(), 4);
    const QStringList files = LogFiles::list(blocked);
    QCOMPARE(files.size(), 1);
    const QStringList entries = LogFiles::entries(QDir(blocked).filePath(files.first()));
    QCOMPARE(entries.size(), 1);
    QVERIFY(entries.first().endsWith(QStringLiteral(" kept")));

    // A file that opened since is reported again when it fails anew.
    fx.log.Clear();
    QVERIFY(QDir(blocked).removeRecursively());
    FileBytes::write(blocked, {});
    const QByteArray again = stderrOf([] { qInfo("lost again"); });
    fx.log.Stop();
    QCOMPARE(reports().size(), 2);
    QCOMPARE(again.count(named.toUtf8()), 1);
}

void tst_SaveLog::relativeFolderUnderProgramFolder()
{
    const QString relative = QStringLiteral("tst_savelog_rel");
    QDir appDir(QCoreApplication::applicationDirPath());
    QVERIFY(appDir.mkpath(relative));
    QTemporaryDir elsewhere;
    const QString oldCwd = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());

    SaveLog log;
    log.SetName(QStringLiteral("rel"));
    log.SetPath(relative);
    log.Save(QStringLiteral("here"));
    log.Clear();
    QDir::setCurrent(oldCwd);

    QDir target(appDir.filePath(relative));
    const QStringList files = LogFiles::list(target.path());
    QCOMPARE(files.size(), 1);
    QCOMPARE(LogFiles::entries(target.filePath(files.first())), QStringList{"here"});
    QVERIFY(!QDir(elsewhere.filePath(relative)).exists());
    QVERIFY(target.removeRecursively());
}

void tst_SaveLog::manyThreadsWholeEntries()
{
    Fixture fx;
    fx.log.SetMaxSize(0);
    int panelLines = 0;
    connect(&fx.log, &SaveLog::flushLogUI, this, [&] { ++panelLines; });
    fx.log.Start();
    const int threads = 8;
    const int perThread = 2000;
    QList<QThread *> workers;
    for (int t = 0; t < threads; ++t) {
        workers << QThread::create([t] {
            for (int i = 0; i < perThread; ++i)
                qInfo("thread %d entry %d %s", t, i, "with some padding text");
        });
        workers.last()->start();
    }
    for (QThread *w : workers) {
        QVERIFY(w->wait(60000));
        delete w;
    }
    fx.log.Stop();

    const QStringList entries = LogFiles::entries(fx.only());
    QCOMPARE(entries.size(), threads * perThread);
    const QRegularExpression whole(QStringLiteral(
        "^Infox 当前时间：[-\\d]+ [:\\d]+ thread (\\d) entry (\\d+) with some padding text$"));
    QVector<int> next(threads, 0);
    for (const QString &e : entries) {
        const auto m = whole.match(e);
        QVERIFY2(m.hasMatch(), qPrintable(e));
        // Each thread's entries stay in its own order.
        const int t = m.captured(1).toInt();
        QCOMPARE(m.captured(2).toInt(), next[t]++);
    }
    // Lines from the worker threads reach the panel queued.
    QTRY_COMPARE(panelLines, threads * perThread);
}

QTEST_GUILESS_MAIN(tst_SaveLog)
#include "tst_savelog.moc"
