// The file logger writing 200,000 entries to a size-rotated file: without the log panel,
// against a minimal mutex-plus-QFile handler, and with the main window's panel connected.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QTemporaryDir>

#include <cstdio>

#include "app/frmmain.h"
#include "common/savelog.h"

namespace {

constexpr int Entries = 200000;

QFile *g_plainFile = nullptr;
QMutex g_plainLock;

// The least a handler must do: one lock, one write, one flush per message.
void plainHandler(QtMsgType, const QMessageLogContext &, const QString &msg)
{
    QMutexLocker lock(&g_plainLock);
    g_plainFile->write(msg.toUtf8() + "\r\n");
    g_plainFile->flush();
}

double rate(qint64 nsecs)
{
    return Entries / (nsecs / 1e9);
}

qint64 logEntries()
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < Entries; ++i)
        qInfo("entry %d of the benchmark, some ordinary text", i);
    return timer.nsecsElapsed();
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;

    QFile plain(dir.filePath(QStringLiteral("plain.log")));
    if (!plain.open(QIODevice::WriteOnly | QIODevice::Append))
        return 1;
    g_plainFile = &plain;
    QtMessageHandler previous = qInstallMessageHandler(plainHandler);
    const double plainRate = rate(logEntries());
    qInstallMessageHandler(previous);
    plain.close();

    SaveLog log;
    log.SetPath(dir.filePath(QString()));
    log.SetName(QStringLiteral("bench"));
    log.SetMaxSize(1024);
    log.Start();
    const double oursRate = rate(logEntries());
    log.Stop();

    // The panel as the program has it: the main window's slot, 100 lines at most.
    frmMain *window = frmMain::Instance();
    window->show();
    SaveLog *shared = SaveLog::Instance();
    shared->SetPath(dir.path());
    shared->SetName(QStringLiteral("panel"));
    shared->SetMaxSize(1024);
    const double panelRate = rate(logEntries());
    shared->Stop();

    std::printf("%d entries, size rotation at 1 MB\n", Entries);
    std::printf("  mutex + QFile handler:      %9.0f entries/s\n", plainRate);
    std::printf("  SaveLog, no panel:          %9.0f entries/s (%.2f of it; target >= 0.50) %s\n",
                oursRate, oursRate / plainRate, oursRate >= plainRate / 2 ? "met" : "NOT met");
    std::printf("  SaveLog, panel connected:   %9.0f entries/s (%.2f of the plain handler)\n",
                panelRate, panelRate / plainRate);
    return 0;
}
