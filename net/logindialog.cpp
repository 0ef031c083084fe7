#include "logindialog.h"

#include "common/singleinstance.h"

LoginDialog *LoginDialog::Instance()
{
    return PageInstance<LoginDialog>::get();
}

LoginDialog::LoginDialog(QWidget *parent) : QDialog(parent) {}
