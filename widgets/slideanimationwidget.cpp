#include "slideanimationwidget.h"

#include <QEvent>
#include <QPropertyAnimation>

#include "common/singleinstance.h"
#include "paint/imageform.h"
#include "ui_slideanimationwidget.h"

SlideAnimationWidget::SlideAnimationWidget(QWidget *parent)
    : QWidget(parent), ui(new Ui::SlideAnimationWidget)
{
    ui->setupUi(this);
    setWindowFlags(Qt::SubWindow | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);

    slideOutAnimation = std::make_unique<QPropertyAnimation>(this, "geometry");
    connect(slideOutAnimation.get(), &QPropertyAnimation::finished, this,
            &SlideAnimationWidget::slotSlideOutFinished);
    slideOutAnimation->setEasingCurve(QEasingCurve::OutSine);
    slideOutAnimation->setDuration(SlideDuration);

    slideInAnimation = std::make_unique<QPropertyAnimation>(this, "geometry");
    connect(slideInAnimation.get(), &QPropertyAnimation::finished, this,
            &SlideAnimationWidget::slotSlideInFinished);
    slideInAnimation->setEasingCurve(QEasingCurve::InSine);
    slideInAnimation->setDuration(SlideDuration);

    if (ImageForm *page = ImageForm::Instance())
        ui->stackedWidget->insertWidget(0, page);
    ui->stackedWidget->setCurrentIndex(0);
    setMaximumWidth(CollapsedWidth);
    ui->frame->installEventFilter(this);
}

SlideAnimationWidget::~SlideAnimationWidget()
{
    // The mask tool panel is a single instance of its own: hand it back rather than
    // deleting it with the stack, so that it is destroyed exactly once.
    ImageForm *page = ImageForm::Instance();
    if (page && page->parentWidget() == ui->stackedWidget) {
        ui->stackedWidget->removeWidget(page);
        page->setParent(nullptr);
    }
    delete ui;
}

SlideAnimationWidget *SlideAnimationWidget::Instance()
{
    return PageInstance<SlideAnimationWidget>::get();
}

void SlideAnimationWidget::setPos(int x, int y)
{
    posX = x;
    posY = y;
    move(x, y);
}

bool SlideAnimationWidget::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
        frameFocused = true;
        break;
    case QEvent::FocusOut:
        frameFocused = false;
        break;
    case QEvent::Enter:
        if (!isExpanded) {
            if (slideOutAnimation->state() != QAbstractAnimation::Running) {
                setMaximumWidth(ExpandedWidth);
                startSlide(slideOutAnimation.get(), CollapsedWidth, ExpandedWidth);
                isExpanded = true;
            }
            return true;
        }
        break;
    case QEvent::Leave:
        if (isExpanded && !frameFocused) {
            if (slideInAnimation->state() != QAbstractAnimation::Running) {
                startSlide(slideInAnimation.get(), ExpandedWidth, CollapsedWidth);
                isExpanded = false;
            }
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void SlideAnimationWidget::startSlide(QPropertyAnimation *animation, int fromWidth, int toWidth)
{
    animation->setStartValue(QRect(posX, posY, fromWidth, height()));
    animation->setEndValue(QRect(posX, posY, toWidth, height()));
    animation->start();
}

void SlideAnimationWidget::slotSlideOutFinished() {}

void SlideAnimationWidget::slotSlideInFinished()
{
    setMaximumWidth(CollapsedWidth);
    ui->stackedWidget->setCurrentIndex(0);
}
