#include "quidialogbase.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpacerItem>
#include <QTimer>
#include <QVBoxLayout>

#include "widgets/appearance.h"
#include "widgets/iconhelper.h"

QUIDialogBase::QUIDialogBase(QWidget *parent) : QDialog(parent) {}

QUIDialogBase::~QUIDialogBase()
{
    // The content goes before the frame around it.
    delete widgetMainQUI;
}

void QUIDialogBase::setIconMain(QChar str, uint size)
{
    IconHelper::Instance()->setLabelGlyph(labIco, str, size);
}

void QUIDialogBase::checkSec()
{
    if (closeSec == 0)
        return;

    if (currentSec < closeSec)
        currentSec++;
    else
        close();

    if (labTime)
        labTime->setText(QStringLiteral("关闭倒计时 %1 s").arg(closeSec - currentSec + 1));
}

void QUIDialogBase::buildFrame(TitleOption option)
{
    auto *outerLayout = new QVBoxLayout(this);
    outerLayout->setSpacing(0);
    outerLayout->setContentsMargins(1, 1, 1, 1);

    widgetTitle = new QWidget(this);
    widgetTitle->setObjectName(QStringLiteral("widgetTitle"));
    widgetTitle->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    widgetTitle->setMinimumHeight(30);
    auto *titleLayout = new QHBoxLayout(widgetTitle);
    titleLayout->setSpacing(0);
    titleLayout->setContentsMargins(0, 0, 0, 0);

    labIco = new QLabel(widgetTitle);
    labIco->setObjectName(QStringLiteral("labIco"));
    labIco->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
    labIco->setMinimumWidth(30);
    labIco->setAlignment(Qt::AlignCenter);
    titleLayout->addWidget(labIco);

    labTitle = new QLabel(widgetTitle);
    labTitle->setObjectName(QStringLiteral("labTitle"));
    labTitle->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    titleLayout->addWidget(labTitle);

    if (option == WithCountDown) {
        labTime = new QLabel(widgetTitle);
        labTime->setObjectName(QStringLiteral("labTime"));
        labTime->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        labTime->setAlignment(Qt::AlignCenter);
        titleLayout->addWidget(labTime);
    } else {
        labTitle->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    }

    widgetMenu = new QWidget(widgetTitle);
    widgetMenu->setObjectName(QStringLiteral("widgetMenu"));
    widgetMenu->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
    auto *menuLayout = new QHBoxLayout(widgetMenu);
    menuLayout->setSpacing(0);
    menuLayout->setContentsMargins(0, 0, 0, 0);

    btnMenu_Close = new QPushButton(widgetMenu);
    btnMenu_Close->setObjectName(QStringLiteral("btnMenu_Close"));
    btnMenu_Close->setMinimumWidth(30);
    btnMenu_Close->setMaximumWidth(30);
    btnMenu_Close->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
    btnMenu_Close->setCursor(Qt::ArrowCursor);
    btnMenu_Close->setFocusPolicy(Qt::NoFocus);
    btnMenu_Close->setFlat(true);
    menuLayout->addWidget(btnMenu_Close);
    titleLayout->addWidget(widgetMenu);
    outerLayout->addWidget(widgetTitle);

    widgetMainQUI = new QWidget(this);
    widgetMainQUI->setObjectName(QStringLiteral("widgetMainQUI"));
    m_mainLayout = new QVBoxLayout(widgetMainQUI);
    outerLayout->addWidget(widgetMainQUI);
}

QFrame *QUIDialogBase::addContentFrame(int margin)
{
    m_mainLayout->setSpacing(margin);
    m_mainLayout->setContentsMargins(margin, margin, margin, margin);
    auto *frame = new QFrame(widgetMainQUI);
    frame->setObjectName(QStringLiteral("frame"));
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    m_mainLayout->addWidget(frame);
    return frame;
}

void QUIDialogBase::addOkCancelRow(QFrame *frame, QPushButton *&ok, QPushButton *&cancel)
{
    auto *row = new QHBoxLayout;
    row->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    const auto addButton = [frame, row](const char *name, const char *icon, const QString &text) {
        auto *button = new QPushButton(QIcon(QLatin1String(icon)), text, frame);
        button->setObjectName(QLatin1String(name));
        button->setMinimumWidth(85);
        button->setFocusPolicy(Qt::StrongFocus);
        row->addWidget(button);
        return button;
    };
    ok = addButton("btnOk", ":/image/btn_ok.png", QStringLiteral("确定"));
    cancel = addButton("btnCancel", ":/image/btn_close.png", QStringLiteral("取消"));
    static_cast<QBoxLayout *>(frame->layout())->addLayout(row);
}

void QUIDialogBase::applyFrameSettings(Qt::WindowFlags flags, QWidget *frame)
{
    setIconMain(QChar(g_iconMain), uint(g_fontSize + 2));
    IconHelper::Instance()->setButtonGlyph(btnMenu_Close, QChar(g_iconClose), uint(g_fontSize));

    setProperty("form", true);
    widgetTitle->setProperty("form", "title");
    setWindowFlags(flags);
    setWindowTitle(labTitle->text());

    if (frame) {
        const QList<QPushButton *> buttons = frame->findChildren<QPushButton *>();
        for (QPushButton *button : buttons) {
            button->setMinimumWidth(80);
            button->setIconSize(QSize(18, 18));
        }
    }
    installEventFilter(this);
}

void QUIDialogBase::startCountDownTimer()
{
    closeSec = 0;
    currentSec = 0;
    m_timer = new QTimer(this);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &QUIDialogBase::checkSec);
    m_timer->start();
}

void QUIDialogBase::startCountDown(int seconds)
{
    closeSec = seconds;
    currentSec = 0;
    if (labTime)
        labTime->clear();
    checkSec();
}

bool QUIDialogBase::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        mousePressed = true;
        mousePoint = mouse->globalPos() - pos();
        return true;
    }
    case QEvent::MouseButtonRelease:
        mousePressed = false;
        return true;
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (!mousePressed || mouse->buttons() == Qt::NoButton)
            break;
        move(mouse->globalPos() - mousePoint);
        return true;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void QUIDialogBase::closeEvent(QCloseEvent *event)
{
    closeSec = 0;
    currentSec = 0;
    event->accept();
}
