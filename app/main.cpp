#include <QApplication>

#include "app/appinit.h"
#include "app/customstyle.h"
#include "app/frmmain.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(new CustomStyle);
    AppInit::Instance()->start();
    AppInit::Instance()->initStyle(QStringLiteral(":/qss/blue.css"));
    // The main window reads the settings file while it is built.
    AppInit::initSettingsPath();
    frmMain::Instance()->show();
    return app.exec();
}
