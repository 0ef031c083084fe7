#include "quitipbox.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "widgets/appearance.h"

QUITipBox::QUITipBox(QWidget *parent) : QUIDialogBase(parent)
{
    initControl();
    initForm();
}

QPoint QUITipBox::cornerOf(const QRect &area, const QSize &box)
{
    // From the area's own origin: a task bar on the left or at the top moves it.
    return QPoint(area.x() + area.width() - box.width(), area.y() + area.height() - box.height());
}

void QUITipBox::setTip(const QString &title, const QString &tip, bool fullScreen, bool center,
                       int closeSec)
{
    startCountDown(closeSec);

    this->fullScreen = fullScreen;
    labTitle->setText(title);
    labInfo->setText(tip);
    labInfo->setAlignment(center ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    setWindowTitle(labTitle->text());

    const QRect area = screenArea();
    const QPoint corner = cornerOf(area, size());
    move(corner);
    slide(QPoint(corner.x(), area.y() + area.height()), corner);
}

void QUITipBox::hide()
{
    const QPoint corner = cornerOf(screenArea(), size());
    const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
    slide(corner, QPoint(corner.x(), desktop.y() + desktop.height()));
}

QRect QUITipBox::screenArea() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return fullScreen ? screen->virtualGeometry() : screen->availableGeometry();
}

void QUITipBox::slide(const QPoint &from, const QPoint &to)
{
    animation->stop();
    animation->setStartValue(from);
    animation->setEndValue(to);
    animation->start();
}

void QUITipBox::initControl()
{
    setObjectName(QStringLiteral("QUITipBox"));
    buildFrame(WithCountDown);
    widgetMainQUI->setAutoFillBackground(true);

    labInfo = new QLabel(widgetMainQUI);
    labInfo->setObjectName(QStringLiteral("labInfo"));
    labInfo->setScaledContents(true);
    labInfo->setWordWrap(false);
    m_mainLayout->addWidget(labInfo);

    connect(btnMenu_Close, &QPushButton::clicked, this, &QUITipBox::on_btnMenu_Close_clicked);
}

void QUITipBox::initForm()
{
    applyFrameSettings(Qt::Tool | Qt::X11BypassWindowManagerHint | Qt::FramelessWindowHint |
                           Qt::WindowStaysOnTopHint,
                       nullptr);
    setFixedSize(280, 150);
    startCountDownTimer();

    QFont font;
    font.setPixelSize(g_fontSize + 3);
    font.setWeight(QFont::Bold);
    labInfo->setFont(font);

    animation = new QPropertyAnimation(this, "pos", this);
    animation->setDuration(500);
    animation->setEasingCurve(QEasingCurve::InOutQuad);
}

void QUITipBox::on_btnMenu_Close_clicked()
{
    done(QMessageBox::No);
    close();
}
