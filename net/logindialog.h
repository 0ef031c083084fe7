#pragma once

#include <QDialog>

class QCloseEvent;

namespace Ui {
class LoginDialog;
}

// Asks for a user name and password and logs in; stays open until a login succeeds or
// the operator cancels.
class LoginDialog : public QDialog
{
    Q_OBJECT

public:
    static LoginDialog *Instance();
    explicit LoginDialog(QWidget *parent = nullptr);
    ~LoginDialog() override;

protected:
    // While a login waits, a close from the window system is dropped like any other input.
    void closeEvent(QCloseEvent *event) override;

private slots:
    void on_btnOk_clicked();
    void on_btnCancel_clicked();

private:
    Ui::LoginDialog *ui;
    bool m_loggingIn = false;
};
