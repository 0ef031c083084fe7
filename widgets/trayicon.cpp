#include "trayicon.h"

#include <QAction>
#include <QApplication>
#include <QDesktopWidget>
#include <QIcon>
#include <QMenu>
#include <QWidget>

#include "common/singleinstance.h"

TrayIcon *TrayIcon::Instance()
{
    return KitInstance<TrayIcon, InstanceRegistry::RankTrayIcon>::get();
}

TrayIcon::TrayIcon(QObject *parent)
    : QObject(parent), m_trayIcon(new QSystemTrayIcon(this)),
      m_menu(new QMenu(QApplication::desktop()))
{
    connect(m_trayIcon, SIGNAL(activated(QSystemTrayIcon::ActivationReason)), this,
            SLOT(iconIsActived(QSystemTrayIcon::ActivationReason)));
}

TrayIcon::~TrayIcon() = default;

void TrayIcon::iconIsActived(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::DoubleClick:
    case QSystemTrayIcon::Trigger:
        if (mainWidget)
            mainWidget->showNormal();
        break;
    default:
        break;
    }
}

void TrayIcon::setExitDirect(bool exitDirect)
{
    this->exitDirect = exitDirect;
}

void TrayIcon::setMainWidget(QWidget *mainWidget)
{
    this->mainWidget = mainWidget;

    QAction *showMain = m_menu->addAction(QStringLiteral("主界面"));
    if (mainWidget)
        connect(showMain, &QAction::triggered, mainWidget, &QWidget::showNormal);

    QAction *quit = m_menu->addAction(QStringLiteral("退出"));
    if (exitDirect)
        connect(quit, &QAction::triggered, this, &TrayIcon::closeAll);
    else
        connect(quit, &QAction::triggered, this, &TrayIcon::trayIconExit);

    m_trayIcon->setContextMenu(m_menu.get());
}

void TrayIcon::showMessage(QString title, QString msg, QSystemTrayIcon::MessageIcon icon, int msecs)
{
    m_trayIcon->showMessage(title, msg, icon, msecs);
}

void TrayIcon::setIcon(QString strIcon)
{
    m_trayIcon->setIcon(QIcon(strIcon));
}

void TrayIcon::setToolTip(QString tip)
{
    m_trayIcon->setToolTip(tip);
}

void TrayIcon::setVisible(bool visible)
{
    m_trayIcon->setVisible(visible);
}

void TrayIcon::closeAll()
{
    m_trayIcon->hide();
    m_trayIcon->deleteLater();
    // Leaves the event loop without a close event to the main window; the single instances
    // are destroyed before the application object.
    QCoreApplication::exit(0);
}
