#include "startup.h"

#include <QApplication>

#include <csignal>

#include "app/appinit.h"
#include "app/customstyle.h"
#include "app/frmmain.h"
#include "common/instanceregistry.h"

int startKestrane(int &argc, char **argv)
{
#ifdef SIGXFSZ
    // Past a process file-size limit a write must fail like on a full disk, where the log
    // and the settings handle it, instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QApplication app(argc, argv);
    QApplication::setStyle(new CustomStyle);
    AppInit::Instance()->start();
    AppInit::Instance()->initStyle(QStringLiteral(":/qss/blue.css"));
    // The main window reads the settings file while it is built.
    AppInit::initSettingsPath();
    frmMain::Instance()->show();
    const int code = app.exec();
    // Widgets must go while the application and Qt's global data still live.
    InstanceRegistry::destroyAll();
    return code;
}
