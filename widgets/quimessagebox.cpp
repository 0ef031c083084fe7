#include "quimessagebox.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

#include "common/singleinstance.h"
#include "widgets/iconhelper.h"
#include "widgets/quihelper.h"

QUIMessageBox *QUIMessageBox::Instance()
{
    return KitInstance<QUIMessageBox, InstanceRegistry::RankMessageBox>::get();
}

QUIMessageBox::QUIMessageBox(QWidget *parent) : QUIDialogBase(parent)
{
    initControl();
    initForm();
    QUIHelper::centerOnScreen(this);
}

void QUIMessageBox::initControl()
{
    setObjectName(QStringLiteral("QUIMessageBox"));
    buildFrame(WithCountDown);
    frame = addContentFrame(5);
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(frameLayout->contentsMargins().left(), 9,
                                    frameLayout->contentsMargins().right(),
                                    frameLayout->contentsMargins().bottom());

    auto *infoRow = new QHBoxLayout;
    labIcoMain = new QLabel(frame);
    labIcoMain->setObjectName(QStringLiteral("labIcoMain"));
    labIcoMain->setAlignment(Qt::AlignCenter);
    infoRow->addWidget(labIcoMain);
    infoRow->addItem(new QSpacerItem(5, 0, QSizePolicy::Minimum, QSizePolicy::Minimum));
    labInfo = new QLabel(frame);
    labInfo->setObjectName(QStringLiteral("labInfo"));
    labInfo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    labInfo->setMinimumHeight(30);
    labInfo->setScaledContents(false);
    labInfo->setWordWrap(true);
    infoRow->addWidget(labInfo);
    frameLayout->addLayout(infoRow);

    addOkCancelRow(frame, btnOk, btnCancel);

    widgetTitle->raise();
    widgetMainQUI->raise();
    frame->raise();

    connect(btnOk, &QPushButton::clicked, this, &QUIMessageBox::on_btnOk_clicked);
    connect(btnCancel, &QPushButton::clicked, this, &QUIMessageBox::on_btnMenu_Close_clicked);
    connect(btnMenu_Close, &QPushButton::clicked, this, &QUIMessageBox::on_btnMenu_Close_clicked);
}

void QUIMessageBox::initForm()
{
    applyFrameSettings(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint, frame);
    setFixedSize(280, 150);
    labIcoMain->setFixedSize(30, 30);
    startCountDownTimer();
}

void QUIMessageBox::setMessage(const QString &msg, int type, int closeSec)
{
    startCountDown(closeSec);

    struct Kind
    {
        const char *title;
        ushort glyph;
        const char *image;
        bool hideCancel;
    };
    static const Kind kinds[] = {
        {"提示", 0xf05a, ":/image/msg_info.png", true},
        {"询问", 0xf059, ":/image/msg_question.png", false},
        {"错误", 0xf057, ":/image/msg_error.png", true},
    };

    if (type >= 0 && type < 3) {
        const Kind &kind = kinds[type];
        // One test decides for all kinds: without the images the icon is a glyph.
        const bool haveImages = !QPixmap(QStringLiteral(":/image/msg_info.png")).isNull();
        if (haveImages) {
            labIcoMain->setStyleSheet(
                QStringLiteral("border-image: url(%1);").arg(QLatin1String(kind.image)));
        } else {
            IconHelper::Instance()->setLabelGlyph(labIcoMain, QChar(kind.glyph),
                                                  uint(labIcoMain->height()));
        }
        labTitle->setText(QString::fromUtf8(kind.title));
        if (kind.hideCancel)
            btnCancel->setVisible(false);
    }

    labInfo->setText(msg);
    setWindowTitle(labTitle->text());

    if (msg.length() < 70) {
        layout()->setSizeConstraint(QLayout::SetMinimumSize);
        setFixedSize(280, 150);
    } else {
        layout()->setSizeConstraint(QLayout::SetFixedSize);
    }
}

void QUIMessageBox::on_btnOk_clicked()
{
    done(QMessageBox::Yes);
    close();
}

void QUIMessageBox::on_btnMenu_Close_clicked()
{
    done(QMessageBox::No);
    close();
}
