// The program's own start-up path as one process: everything main() runs, to the shown
// and painted main window, then out through a quit from the event loop.
#include <QApplication>

#include "app/frmmain.h"
#include "app/startup.h"
#include "quitwhenpainted.h"

namespace {

// Runs while the application object is being built, before the start-up path goes on.
void watchForMainWindow()
{
    QCoreApplication *app = QCoreApplication::instance();
    app->installEventFilter(new QuitWhenPainted<frmMain>(app));
}

} // namespace

int main(int argc, char *argv[])
{
    qAddPreRoutine(watchForMainWindow);
    return startKestrane(argc, argv);
}
