// Start-up cost: a bare QWidget, then the whole start-up path up to the shown main
// window, in one process. Prints wall times and the process's peak resident memory.
#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <QWindow>

#include <sys/resource.h>

#include <cstdio>

#include "app/appinit.h"
#include "app/customstyle.h"
#include "app/frmmain.h"

namespace {

double peakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0; // KiB on Linux
}

void waitExposed(QWidget *widget)
{
    QElapsedTimer timeout;
    timeout.start();
    while (!(widget->windowHandle() && widget->windowHandle()->isExposed()) &&
           timeout.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char *argv[])
{
    QElapsedTimer total;
    total.start();
    QApplication app(argc, argv);
    const double appMs = total.nsecsElapsed() / 1e6;

    QElapsedTimer timer;
    timer.start();
    {
        QWidget bare;
        bare.resize(400, 300);
        bare.show();
        waitExposed(&bare);
    }
    const double bareMs = timer.nsecsElapsed() / 1e6;
    const double barePeak = peakMiB();

    timer.restart();
    QApplication::setStyle(new CustomStyle);
    AppInit::Instance()->start();
    AppInit::Instance()->initStyle(QStringLiteral(":/qss/blue.css"));
    AppInit::initSettingsPath();
    frmMain::Instance()->show();
    waitExposed(frmMain::Instance());
    const double mainMs = timer.nsecsElapsed() / 1e6;
    const double mainPeak = peakMiB();

    std::printf("application object:        %8.2f ms\n", appMs);
    std::printf("bare QWidget shown:         %8.2f ms  peak %7.1f MiB\n", bareMs, barePeak);
    std::printf("start-up to main window:    %8.2f ms  peak %7.1f MiB\n", mainMs, mainPeak);
    std::printf("main window over bare:      %8.2f ms  %+7.1f MiB\n", mainMs - bareMs,
                mainPeak - barePeak);
    return 0;
}
