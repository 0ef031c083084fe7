#include "startup.h"

#include <QApplication>

#include "app/appinit.h"
#include "app/customstyle.h"
#include "app/frmmain.h"
#include "common/instanceregistry.h"

int startKestrane(int &argc, char **argv)
{
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
