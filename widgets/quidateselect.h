#pragma once

#include <QString>

#include "widgets/quidialogbase.h"

class QDateTimeEdit;
class QFrame;
class QGridLayout;
class QLabel;
class QPushButton;

// Picks a start and an end date-time and hands them back as texts in `format`; refuses
// an end earlier than the start. exec() gives QMessageBox::Ok when accepted,
// QMessageBox::Cancel for the close buttons, 0 for Escape.
class QUIDateSelect : public QUIDialogBase
{
    Q_OBJECT

public:
    static QUIDateSelect *Instance();

    explicit QUIDateSelect(QWidget *parent = nullptr);

    // The texts of the last accepted choice.
    QString getStartDateTime() const { return startDateTime; }
    QString getEndDateTime() const { return endDateTime; }

public slots:
    // Display format of both editors and format of the texts handed back.
    void setFormat(const QString &format);

protected:
    // The dialog's own close handling: closing a shown box rejects it.
    void closeEvent(QCloseEvent *event) override;

private slots:
    void initControl();
    void initForm();
    void on_btnOk_clicked();
    void on_btnMenu_Close_clicked();

private:
    // One cell each of the two-row grid: label, editor, button.
    QLabel *addLabel(const QString &name, const QString &text, int row);
    QDateTimeEdit *addEditor(const QString &name, int row);
    QPushButton *addButton(const QString &name, const QString &icon, const QString &text, int row);

    QFrame *frame = nullptr;
    QGridLayout *gridLayout = nullptr;
    QLabel *labStart = nullptr;
    QDateTimeEdit *dateStart = nullptr;
    QPushButton *btnOk = nullptr;
    QLabel *labEnd = nullptr;
    QDateTimeEdit *dateEnd = nullptr;
    QPushButton *btnClose = nullptr;

    QString startDateTime;
    QString endDateTime;
    QString format;
};
