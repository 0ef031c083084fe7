#pragma once

#include <QDialog>

// Placeholder until the page is built.
class LoginDialog : public QDialog
{
    Q_OBJECT

public:
    static LoginDialog *Instance();
    explicit LoginDialog(QWidget *parent = nullptr);
};
