#pragma once

#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

#include <memory>

class QMenu;
class QWidget;

// The program's icon in the notification area: restores the main window on a click
// and offers "主界面" and "退出" in its context menu.
class TrayIcon : public QObject
{
    Q_OBJECT

public:
    static TrayIcon *Instance();

    explicit TrayIcon(QObject *parent = nullptr);
    ~TrayIcon() override;

signals:
    // "退出" when exitDirect is off.
    void trayIconExit();

public slots:
    // A click or double click restores the main widget; other reasons do nothing.
    void iconIsActived(QSystemTrayIcon::ActivationReason reason);
    // Applies to menus built by later setMainWidget() calls.
    void setExitDirect(bool exitDirect);
    // Stores the widget and appends "主界面" and "退出" to the menu.
    void setMainWidget(QWidget *mainWidget);
    void showMessage(QString title, QString msg,
                     QSystemTrayIcon::MessageIcon icon = QSystemTrayIcon::Information,
                     int msecs = 5000);
    void setIcon(QString strIcon);
    void setToolTip(QString tip);
    void setVisible(bool visible);
    // Hides the icon and leaves the event loop with exit code 0: the program ends.
    void closeAll();

private:
    // Not owned; may go away before the icon does.
    QPointer<QWidget> mainWidget;
    QSystemTrayIcon *m_trayIcon;
    // Qt drops the desktop widget as a parent of a popup: owned here, else it leaks.
    std::unique_ptr<QMenu> m_menu;
    bool exitDirect = true;
};
