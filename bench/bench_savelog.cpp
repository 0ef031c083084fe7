// The file logger against a minimal mutex-plus-QFile handler writing the same lines (level
// prefix, local time, message, CRLF, flushed per entry), in day and size mode, from 1 and 8
// threads. Every figure is the median of interleaved repetitions after one warm-up round.
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QTemporaryDir>
#include <QTextCodec>

#include <cstdio>
#include <thread>
#include <vector>

#include "app/frmmain.h"
#include "bench/median.h"
#include "common/savelog.h"

namespace {

constexpr int Entries = 200000;
constexpr int PanelEntries = 20000;
constexpr int Repetitions = 7;

// The least a handler writing the logger's lines must do: one lock, the time text once a
// second, one write and one flush per message.
struct PlainLog
{
    QMutex lock;
    QFile file;
    qint64 second = -1;
    QString time;
};
PlainLog *g_plain = nullptr;

void plainHandler(QtMsgType, const QMessageLogContext &, const QString &msg)
{
    QMutexLocker lock(&g_plain->lock);
    const qint64 second = QDateTime::currentMSecsSinceEpoch() / 1000;
    if (second != g_plain->second) {
        g_plain->second = second;
        g_plain->time =
            QDateTime::fromSecsSinceEpoch(second).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    QByteArray line =
        (QStringLiteral("Infox 当前时间：") + g_plain->time + QLatin1Char(' ') + msg).toUtf8();
    line.append("\r\n", 2);
    g_plain->file.write(line);
    g_plain->file.flush();
}

void logRange(int first, int entries, int step)
{
    for (int i = first; i < entries; i += step)
        qInfo("entry %d of the benchmark, some ordinary text", i);
}

// Wall time of `entries` messages spread over `threads` threads; one thread is this one,
// so that the panel's slot runs inside the emit as in the program.
qint64 logEntries(int entries, int threads)
{
    QElapsedTimer timer;
    timer.start();
    if (threads == 1) {
        logRange(0, entries, 1);
        return timer.nsecsElapsed();
    }
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back(logRange, t, entries, threads);
    }
    for (std::thread &worker : workers)
        worker.join();
    return timer.nsecsElapsed();
}

qint64 folderBytes(const QString &folder)
{
    qint64 bytes = 0;
    for (const QFileInfo &info : QDir(folder).entryInfoList(QDir::Files))
        bytes += info.size();
    return bytes;
}

// Nanoseconds the program's logger takes for `entries` messages into `folder`, made first:
// in the program the settings page creates the log folder before the logger starts.
qint64 timeLogger(const QString &folder, const QString &name, int maxSize, int entries, int threads)
{
    QDir().mkpath(folder);
    SaveLog *log = SaveLog::Instance();
    log->SetPath(folder);
    log->SetName(name);
    log->SetMaxRow(0);
    log->SetMaxSize(maxSize);
    log->Start();
    const qint64 nsecs = logEntries(entries, threads);
    log->Stop();
    return nsecs;
}

struct Run
{
    double rate = 0;  // entries per second
    double bytes = 0; // bytes written per entry
};

enum class Side
{
    Plain,
    Day,
    Size
};

Run runOnce(Side side, int threads, const QString &folder)
{
    qint64 nsecs = 0;
    if (side == Side::Plain) {
        QDir().mkpath(folder);
        PlainLog plain;
        plain.file.setFileName(folder + QStringLiteral("/plain.log"));
        if (!plain.file.open(QIODevice::WriteOnly | QIODevice::Append))
            return {};
        g_plain = &plain;
        QtMessageHandler previous = qInstallMessageHandler(plainHandler);
        nsecs = logEntries(Entries, threads);
        qInstallMessageHandler(previous);
        g_plain = nullptr;
    } else {
        nsecs = timeLogger(folder, QStringLiteral("bench"), side == Side::Size ? 1024 : 0, Entries,
                           threads);
    }
    const Run run{Entries / (nsecs / 1e9), double(folderBytes(folder)) / Entries};
    QDir(folder).removeRecursively();
    return run;
}

void compare(int threads, const QString &root)
{
    const Side sides[] = {Side::Plain, Side::Day, Side::Size};
    std::vector<double> rates[3];
    double bytes[3] = {};
    int folder = 0;
    for (int rep = 0; rep <= Repetitions; ++rep) {
        // The order turns each round, so no side always follows the same one.
        for (int k = 0; k < 3; ++k) {
            const int s = (k + rep) % 3;
            const Run run =
                runOnce(sides[s], threads, QStringLiteral("%1/run%2").arg(root).arg(++folder));
            if (rep == 0)
                continue; // warm-up
            rates[s].push_back(run.rate);
            bytes[s] = run.bytes;
        }
    }
    const double plain = median(rates[0]);
    const double day = median(rates[1]);
    const double size = median(rates[2]);
    std::printf("%d thread%s, %d entries, median of %d:\n", threads, threads > 1 ? "s" : "",
                Entries, Repetitions);
    std::printf("  mutex + QFile handler:     %9.0f entries/s  %.1f bytes/entry\n", plain,
                bytes[0]);
    std::printf("  SaveLog, day mode:         %9.0f entries/s  %.1f bytes/entry  %.2fx %s\n", day,
                bytes[1], day / plain,
                day >= 0.85 * plain ? "(>= 0.85, met)" : "(< 0.85, NOT met)");
    std::printf("  SaveLog, size mode (1 MB): %9.0f entries/s  %.1f bytes/entry  %.2fx\n", size,
                bytes[2], size / plain);
}

// The panel as the program has it: the main window's slot, 100 lines at most.
void panel(const QString &root)
{
    frmMain *window = frmMain::Instance();
    window->show();
    std::vector<double> rates;
    for (int rep = 0; rep <= Repetitions; ++rep) {
        const QString folder = QStringLiteral("%1/panel%2").arg(root).arg(rep);
        const qint64 nsecs = timeLogger(folder, QStringLiteral("panel"), 0, PanelEntries, 1);
        QDir(folder).removeRecursively();
        if (rep > 0)
            rates.push_back(PanelEntries / (nsecs / 1e9));
    }
    std::printf("SaveLog, day mode, main window's panel connected, 1 thread, %d entries:\n"
                "                             %9.0f entries/s\n",
                PanelEntries, median(rates));
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // As the program's start-up sets it: both sides write UTF-8.
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    for (int threads : {1, 8})
        compare(threads, dir.path());
    panel(dir.path());
    return 0;
}
