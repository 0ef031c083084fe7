#include "quiinputbox.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/singleinstance.h"
#include "widgets/quihelper.h"

QUIInputBox *QUIInputBox::Instance()
{
    return KitInstance<QUIInputBox, InstanceRegistry::RankInputBox>::get();
}

QUIInputBox::QUIInputBox(QWidget *parent) : QUIDialogBase(parent)
{
    initControl();
    initForm();
    QUIHelper::centerOnScreen(this);
}

void QUIInputBox::initControl()
{
    setObjectName(QStringLiteral("QUIInputBox"));
    buildFrame(WithCountDown);
    labTitle->setText(QStringLiteral("输入框"));
    frame = addContentFrame(5);
    auto *frameLayout = new QVBoxLayout(frame);

    labInfo = new QLabel(frame);
    labInfo->setObjectName(QStringLiteral("labInfo"));
    labInfo->setScaledContents(false);
    labInfo->setWordWrap(true);
    frameLayout->addWidget(labInfo);

    txtValue = new QLineEdit(frame);
    txtValue->setObjectName(QStringLiteral("txtValue"));
    frameLayout->addWidget(txtValue);

    cboxValue = new QComboBox(frame);
    cboxValue->setObjectName(QStringLiteral("cboxValue"));
    cboxValue->setEditable(false);
    frameLayout->addWidget(cboxValue);

    addOkCancelRow(frame, btnOk, btnCancel);
    setTabOrder(txtValue, btnOk);
    setTabOrder(btnOk, btnCancel);

    connect(btnOk, &QPushButton::clicked, this, &QUIInputBox::on_btnOk_clicked);
    connect(btnCancel, &QPushButton::clicked, this, &QUIInputBox::on_btnMenu_Close_clicked);
    connect(btnMenu_Close, &QPushButton::clicked, this, &QUIInputBox::on_btnMenu_Close_clicked);
}

void QUIInputBox::initForm()
{
    applyFrameSettings(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint, frame);
    setFixedSize(280, 150);
    startCountDownTimer();
}

void QUIInputBox::setParameter(const QString &title, int type, int closeSec,
                               const QString &placeholderText, bool pwd,
                               const QString &defaultValue)
{
    startCountDown(closeSec);
    labInfo->setText(title);

    // Every call sets the whole entry state, so a reused box never keeps an earlier
    // question's entry kind, choices or echo mode.
    txtValue->setVisible(type != 1);
    cboxValue->setVisible(type != 0);
    if (type == 0) {
        txtValue->setPlaceholderText(placeholderText);
        txtValue->setText(defaultValue);
        txtValue->setEchoMode(pwd ? QLineEdit::Password : QLineEdit::Normal);
    } else if (type == 1) {
        cboxValue->clear();
        cboxValue->addItems(defaultValue.split(QLatin1Char('|')));
    }
}

void QUIInputBox::showEvent(QShowEvent *event)
{
    QUIDialogBase::showEvent(event);
    txtValue->setFocus();
    activateWindow();
}

void QUIInputBox::on_btnOk_clicked()
{
    if (!txtValue->isHidden())
        value = txtValue->text();
    else if (!cboxValue->isHidden())
        value = cboxValue->currentText();
    done(QMessageBox::Ok);
    close();
}

void QUIInputBox::on_btnMenu_Close_clicked()
{
    done(QMessageBox::Cancel);
    close();
}
