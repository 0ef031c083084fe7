#include <QtTest>

#include <QAction>
#include <QDesktopWidget>
#include <QMenu>
#include <QSystemTrayIcon>

#include <cstdlib>

#include "common/singleinstance.h"
#include "support/filebytes.h"
#include "widgets/trayicon.h"

namespace {

bool g_testsFinished = false;
QString g_childLog;

void appendToChildLog(const char *line)
{
    QFile file(g_childLog);
    if (file.open(QIODevice::Append | QIODevice::Text))
        file.write(QByteArray(line) + '\n');
}

// A page-like single instance that notes its destruction.
struct ExitProbe
{
    ~ExitProbe() { appendToChildLog("page destroyed"); }
};

class MainWindow : public QWidget
{
protected:
    void closeEvent(QCloseEvent *event) override
    {
        appendToChildLog("close event");
        QWidget::closeEvent(event);
    }
};

QSystemTrayIcon *systemIcon(TrayIcon &tray)
{
    return tray.findChild<QSystemTrayIcon *>();
}

QList<QAction *> menuActions(TrayIcon &tray)
{
    QSystemTrayIcon *icon = systemIcon(tray);
    return icon && icon->contextMenu() ? icon->contextMenu()->actions() : QList<QAction *>();
}

QStringList texts(const QList<QAction *> &actions)
{
    QStringList list;
    for (QAction *action : actions)
        list << action->text();
    return list;
}

// Child process: "退出" from the tray menu of the single instance.
int runExitChild(int argc, char **argv)
{
    g_childLog = QString::fromLocal8Bit(argv[2]);
    QApplication app(argc, argv);
    PageInstance<ExitProbe>::get();
    TrayIcon *tray = TrayIcon::Instance();
    QObject::connect(tray, &QObject::destroyed, [] { appendToChildLog("tray destroyed"); });
    MainWindow window;
    window.show();
    tray->setMainWidget(&window);
    tray->setVisible(true);
    QTimer::singleShot(0, [tray] {
        for (QAction *action : menuActions(*tray)) {
            if (action->text() == QStringLiteral("退出"))
                action->trigger();
        }
        appendToChildLog("returned from exit");
    });
    const int result = app.exec();
    appendToChildLog("event loop left");
    return result;
}

} // namespace

class tst_TrayIcon : public QObject
{
    Q_OBJECT

private slots:
    void singleInstance();
    void menuAfterSetMainWidget();
    void activation_data();
    void activation();
    void activationWithoutWidget();
    void mainEntryRestores();
    void exitSignalWhenNotDirect();
    void iconToolTipVisible();
    void menuGoesWithTray();
    void exitEndsProcess();
};

void tst_TrayIcon::singleInstance()
{
    TrayIcon *tray = TrayIcon::Instance();
    QVERIFY(tray);
    QCOMPARE(TrayIcon::Instance(), tray);
    QVERIFY(!tray->parent());
    QVERIFY(systemIcon(*tray));
}

void tst_TrayIcon::menuAfterSetMainWidget()
{
    TrayIcon tray;
    QWidget window;
    QVERIFY(menuActions(tray).isEmpty());
    tray.setMainWidget(&window);
    const QList<QAction *> actions = menuActions(tray);
    QCOMPARE(texts(actions), QStringList({QStringLiteral("主界面"), QStringLiteral("退出")}));
    for (QAction *action : actions)
        QVERIFY(action->shortcut().isEmpty());

    // A second call appends; nothing is removed.
    tray.setMainWidget(&window);
    QCOMPARE(texts(menuActions(tray)),
             QStringList({QStringLiteral("主界面"), QStringLiteral("退出"),
                          QStringLiteral("主界面"), QStringLiteral("退出")}));
}

void tst_TrayIcon::activation_data()
{
    QTest::addColumn<int>("reason");
    QTest::addColumn<bool>("restores");
    QTest::newRow("unknown") << 0 << false;
    QTest::newRow("context menu") << 1 << false;
    QTest::newRow("double click") << 2 << true;
    QTest::newRow("click") << 3 << true;
    QTest::newRow("middle click") << 4 << false;
}

void tst_TrayIcon::activation()
{
    QFETCH(int, reason);
    QFETCH(bool, restores);
    TrayIcon tray;
    QWidget window;
    tray.setMainWidget(&window);
    window.showMinimized();
    QVERIFY(window.windowState() & Qt::WindowMinimized);
    emit systemIcon(tray)->activated(QSystemTrayIcon::ActivationReason(reason));
    QCOMPARE(!(window.windowState() & Qt::WindowMinimized), restores);
    QCOMPARE(window.isVisible(), true);
}

void tst_TrayIcon::activationWithoutWidget()
{
    TrayIcon tray;
    emit systemIcon(tray)->activated(QSystemTrayIcon::Trigger);
    {
        QWidget window;
        tray.setMainWidget(&window);
    }
    // The window is gone: a click must not reach it.
    emit systemIcon(tray)->activated(QSystemTrayIcon::DoubleClick);
    QVERIFY(menuActions(tray).size() == 2);
}

void tst_TrayIcon::mainEntryRestores()
{
    TrayIcon tray;
    QWidget window;
    tray.setMainWidget(&window);
    window.showMinimized();
    menuActions(tray).at(0)->trigger();
    QVERIFY(!(window.windowState() & Qt::WindowMinimized));
    QVERIFY(window.isVisible());
}

void tst_TrayIcon::exitSignalWhenNotDirect()
{
    TrayIcon tray;
    QWidget window;
    QSignalSpy spy(&tray, &TrayIcon::trayIconExit);
    tray.setExitDirect(false);
    tray.setMainWidget(&window);
    // Only menus built afterwards follow the flag.
    tray.setExitDirect(true);
    menuActions(tray).at(1)->trigger();
    QCOMPARE(spy.count(), 1);
    QVERIFY(systemIcon(tray)); // not closed
}

void tst_TrayIcon::iconToolTipVisible()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString png = dir.filePath(QStringLiteral("icon.png"));
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::blue);
    QVERIFY(image.save(png));

    TrayIcon tray;
    QSystemTrayIcon *icon = systemIcon(tray);
    QVERIFY(!icon->isVisible());
    tray.setIcon(png);
    QVERIFY(!icon->icon().isNull());
    tray.setIcon(dir.filePath(QStringLiteral("missing.png")));
    QVERIFY(icon->icon().pixmap(16, 16).isNull());
    tray.setToolTip(QStringLiteral("Norvo模板软件"));
    QCOMPARE(icon->toolTip(), QStringLiteral("Norvo模板软件"));
    tray.setVisible(true);
    QVERIFY(icon->isVisible());
    tray.setVisible(false);
    QVERIFY(!icon->isVisible());
}

void tst_TrayIcon::menuGoesWithTray()
{
    auto *tray = new TrayIcon;
    QWidget window;
    tray->setMainWidget(&window);
    QPointer<QMenu> menu = systemIcon(*tray)->contextMenu();
    QVERIFY(menu);
    delete tray;
    QVERIFY(!menu);
}

void tst_TrayIcon::exitEndsProcess()
{
    QTemporaryDir dir;
    dir.setAutoRemove(!QTest::currentTestFailed());
    const QString log = dir.filePath(QStringLiteral("child.log"));
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--exit-child"), log});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);

    const QStringList lines =
        QString::fromUtf8(FileBytes::read(log)).split('\n', Qt::SkipEmptyParts);
    // Out of the event loop with no close event; the single instances go before the
    // application object, pages first.
    QCOMPARE(lines, QStringList({"returned from exit", "event loop left", "page destroyed",
                                 "tray destroyed"}));
}

int main(int argc, char **argv)
{
    if (argc >= 3 && qstrcmp(argv[1], "--exit-child") == 0)
        return runExitChild(argc, argv);

    // A stray exit(0) from the tray must not pass for a successful run.
    std::atexit([] {
        if (!g_testsFinished)
            std::_Exit(1);
    });
    QApplication app(argc, argv);
    tst_TrayIcon test;
    QTEST_SET_MAIN_SOURCE_PATH
    const int result = QTest::qExec(&test, argc, argv);
    g_testsFinished = true;
    return result;
}

#include "tst_trayicon.moc"
