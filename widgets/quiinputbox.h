#pragma once

#include "widgets/quidialogbase.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The kit's input box: one text typed into a line edit (optionally as a password) or picked
// from a combo box. exec() gives QMessageBox::Ok for OK, QMessageBox::Cancel for Cancel or
// the close button, 0 when the count-down or Escape closed it.
class QUIInputBox : public QUIDialogBase
{
    Q_OBJECT
public:
    static QUIInputBox *Instance();

    explicit QUIInputBox(QWidget *parent = nullptr);

    // The text taken by OK; empty until then.
    QString getValue() const { return value; }

public slots:
    // type 0 line edit, 1 combo box with `defaultValue` split at "|", any other both.
    // closeSec 0 means no count-down. Does not show the box.
    void setParameter(const QString &title, int type = 0, int closeSec = 0,
                      const QString &placeholderText = QString(), bool pwd = false,
                      const QString &defaultValue = QString());

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void initControl();
    void initForm();
    void on_btnOk_clicked();
    void on_btnMenu_Close_clicked();

private:
    QFrame *frame = nullptr;
    QLabel *labInfo = nullptr;
    QLineEdit *txtValue = nullptr;
    QComboBox *cboxValue = nullptr;
    QPushButton *btnOk = nullptr;
    QPushButton *btnCancel = nullptr;
    QString value;
};
