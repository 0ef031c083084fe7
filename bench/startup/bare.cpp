// The reference process: an application showing one bare QWidget, quitting once it has
// painted. Links Qt only.
#include <QApplication>
#include <QWidget>

#include "quitwhenpainted.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QuitWhenPainted<QWidget> quit;
    app.installEventFilter(&quit);
    QWidget window;
    window.resize(400, 300);
    window.show();
    return app.exec();
}
