#include "logindialog.h"
#include "ui_logindialog.h"

#include <QCloseEvent>
#include <QDebug>
#include <QScopedValueRollback>

#include "common/appstate.h"
#include "common/singleinstance.h"
#include "net/networkmanerger.h"

LoginDialog *LoginDialog::Instance()
{
    return PageInstance<LoginDialog>::get();
}

LoginDialog::LoginDialog(QWidget *parent) : QDialog(parent), ui(new Ui::LoginDialog)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setModal(true);
    setProperty("form", true);
    ui->labTitle->setProperty("form", "title");
}

LoginDialog::~LoginDialog()
{
    delete ui;
}

void LoginDialog::closeEvent(QCloseEvent *event)
{
    // Closed now, it would be gone while the login goes on and switches the account.
    if (m_loggingIn) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void LoginDialog::on_btnOk_clicked()
{
    // One login at a time: the one under way reports its own outcome.
    if (m_loggingIn)
        return;
    const QScopedValueRollback<bool> loggingIn(m_loggingIn, true);
    // A failed attempt gives back the session it interrupted, whole.
    const ModelUserInfoItem previousUser = g_currentUser;
    const QString previousToken = g_token;
    const bool wasLoggedIn = g_isLoggedIn;

    // Names and rights belong to one session: nothing of the previous user is held while
    // the new one is being opened.
    g_currentUser = ModelUserInfoItem();
    g_currentUser.userName = ui->txtUserName->text();
    g_currentUser.password = ui->txtPassword->text();
    // Only a login accepted in this attempt counts: a token beside a refusal is no login.
    g_token.clear();
    g_isLoggedIn = false;
    const bool answered = NetWorkManerger::Instance()->UserLogin();
    if (g_isLoggedIn) {
        ui->txtPassword->clear();
        accept();
        return;
    }
    g_currentUser = previousUser;
    g_token = previousToken;
    g_isLoggedIn = wasLoggedIn;
    // A failed request has already said why; a readable reply without a login is a refusal.
    if (answered)
        qCritical().noquote() << "用户不存在或密码错误";
}

void LoginDialog::on_btnCancel_clicked()
{
    reject();
}
