#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Kestrane"));
    window.resize(1024, 768);
    window.show();
    return app.exec();
}
