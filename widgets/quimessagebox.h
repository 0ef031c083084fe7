#pragma once

#include "widgets/quidialogbase.h"

class QFrame;
class QLabel;
class QPushButton;

// The kit's message box: an icon for the kind of message, the text, OK and optional Cancel.
// exec() gives QMessageBox::Yes for OK, QMessageBox::No for Cancel or the close button,
// 0 when the count-down or Escape closed it.
class QUIMessageBox : public QUIDialogBase
{
    Q_OBJECT
public:
    static QUIMessageBox *Instance();

    explicit QUIMessageBox(QWidget *parent = nullptr);

public slots:
    // type 0 information, 1 question, 2 error (others change only the text); closeSec 0
    // means no count-down. Does not show the box.
    void setMessage(const QString &msg, int type, int closeSec = 0);

private slots:
    void initControl();
    void initForm();
    void on_btnOk_clicked();
    void on_btnMenu_Close_clicked();

private:
    QFrame *frame = nullptr;
    QLabel *labIcoMain = nullptr;
    QLabel *labInfo = nullptr;
    QPushButton *btnOk = nullptr;
    QPushButton *btnCancel = nullptr;
};
