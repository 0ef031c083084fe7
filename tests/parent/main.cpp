// Built by another project's build: the library must bring its code and its compiled-in
// resources with it.
#include <QApplication>
#include <QFile>

#include <cstdio>

#include "app/appinit.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString settings =
        AppInit::settingsPath(QStringLiteral("/opt/probe"), QStringLiteral("/opt/probe/probe.bin"));
    if (settings != QLatin1String("/opt/probe/probe.ini")) {
        std::fprintf(stderr, "settings path: %s\n", qPrintable(settings));
        return 1;
    }
    if (!QFile::exists(QStringLiteral(":/qss/blue.css"))) {
        std::fprintf(stderr, "the compiled-in style sheets are missing\n");
        return 1;
    }
    return 0;
}
