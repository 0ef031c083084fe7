#include <QtTest>

#include <QFrame>
#include <QPropertyAnimation>
#include <QStackedWidget>

#include "common/instanceregistry.h"
#include "paint/imageform.h"
#include "widgets/slideanimationwidget.h"

namespace {

// A window holding a panel at a given place and height, as the mask tool window does.
struct Host
{
    QWidget window;
    SlideAnimationWidget *panel = new SlideAnimationWidget;

    Host(int x = 0, int y = 0, int height = 200)
    {
        window.resize(600, 400);
        panel->setParent(&window);
        panel->setPos(x, y);
        panel->setFixedHeight(height);
        window.show();
    }
    QFrame *frame() const { return panel->findChild<QFrame *>(QStringLiteral("frame")); }
    void send(QEvent::Type type) const
    {
        QEvent event(type);
        QCoreApplication::sendEvent(frame(), &event);
    }
};

bool running(const QPropertyAnimation *animation)
{
    return animation->state() == QAbstractAnimation::Running;
}

} // namespace

class tst_SlideAnimationWidget : public QObject
{
    Q_OBJECT

private slots:
    void collapsedAfterConstruction();
    void enterSlidesOutLeaveSlidesIn_data();
    void enterSlidesOutLeaveSlidesIn();
    void focusKeepsItOpen();
    void enterWhileExpandedStartsNothing();
    void enterDuringSlideInTurnsBack();
    void destroyingPanelKeepsMaskPanel();
    void instanceForgottenWhenParentDeletesIt();
};

void tst_SlideAnimationWidget::collapsedAfterConstruction()
{
    SlideAnimationWidget panel;
    QVERIFY(panel.maximumWidth() <= 10);
    QVERIFY(panel.width() <= 10);
    QVERIFY(!panel.expanded());
    const Qt::WindowFlags wanted =
        Qt::SubWindow | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
    QCOMPARE(panel.windowFlags() & wanted, wanted);
    auto *stack = panel.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
    QVERIFY(stack);
    QVERIFY(ImageForm::Instance());
    QCOMPARE(stack->currentIndex(), 0);
    QCOMPARE(stack->widget(0), ImageForm::Instance());
}

void tst_SlideAnimationWidget::enterSlidesOutLeaveSlidesIn_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<int>("height");
    QTest::newRow("origin") << QPoint(0, 0) << 200;
    QTest::newRow("moved, shorter") << QPoint(20, 35) << 150;
}

void tst_SlideAnimationWidget::enterSlidesOutLeaveSlidesIn()
{
    QFETCH(QPoint, pos);
    QFETCH(int, height);
    Host host(pos.x(), pos.y(), height);
    QCOMPARE(host.panel->pos(), pos);

    host.send(QEvent::Enter);
    const QPropertyAnimation *out = host.panel->slideOut();
    QVERIFY(running(out));
    QVERIFY(host.panel->expanded());
    QCOMPARE(host.panel->maximumWidth(), 300);
    QCOMPARE(out->easingCurve().type(), QEasingCurve::OutSine);
    QCOMPARE(out->duration(), 1300);
    QCOMPARE(out->startValue().toRect(), QRect(pos, QSize(10, height)));
    QCOMPARE(out->endValue().toRect(), QRect(pos, QSize(300, height)));
    QTRY_COMPARE(host.panel->width(), 300);
    QTRY_VERIFY(!running(out));

    host.send(QEvent::Leave);
    const QPropertyAnimation *in = host.panel->slideIn();
    QVERIFY(running(in));
    QVERIFY(!host.panel->expanded());
    QCOMPARE(in->easingCurve().type(), QEasingCurve::InSine);
    QCOMPARE(in->duration(), 1300);
    QCOMPARE(in->startValue().toRect(), QRect(pos, QSize(300, height)));
    QCOMPARE(in->endValue().toRect(), QRect(pos, QSize(10, height)));
    // The strip stays free to be wide until the slide-in is over.
    QCOMPARE(host.panel->maximumWidth(), 300);
    QTRY_COMPARE(host.panel->maximumWidth(), 10);
    QCOMPARE(host.panel->width(), 10);
    QCOMPARE(host.panel->geometry(), QRect(pos, QSize(10, height)));
}

void tst_SlideAnimationWidget::focusKeepsItOpen()
{
    Host host;
    host.send(QEvent::Enter);
    QTRY_COMPARE(host.panel->width(), 300);

    host.send(QEvent::FocusIn);
    host.send(QEvent::Leave);
    QVERIFY(!running(host.panel->slideIn()));
    QVERIFY(host.panel->expanded());
    QCOMPARE(host.panel->width(), 300);

    host.send(QEvent::FocusOut);
    host.send(QEvent::Leave);
    QVERIFY(running(host.panel->slideIn()));
    QTRY_COMPARE(host.panel->width(), 10);
}

void tst_SlideAnimationWidget::enterWhileExpandedStartsNothing()
{
    Host host;
    host.send(QEvent::Enter);
    QTRY_VERIFY(!running(host.panel->slideOut()));
    QCOMPARE(host.panel->width(), 300);

    host.send(QEvent::Enter);
    QVERIFY(!running(host.panel->slideOut()));
    QVERIFY(!running(host.panel->slideIn()));
    QVERIFY(host.panel->expanded());
    QCOMPARE(host.panel->width(), 300);
}

void tst_SlideAnimationWidget::enterDuringSlideInTurnsBack()
{
    Host host;
    host.send(QEvent::Enter);
    host.send(QEvent::Leave);
    // Both slides drive the same geometry: starting the slide-in ends the slide-out.
    QVERIFY(!running(host.panel->slideOut()));
    QVERIFY(running(host.panel->slideIn()));
    QVERIFY(!host.panel->expanded());

    host.send(QEvent::Enter);
    QVERIFY(host.panel->expanded());
    QVERIFY(running(host.panel->slideOut()));
    QVERIFY(!running(host.panel->slideIn()));
    QTRY_COMPARE(host.panel->width(), 300);
    QTRY_VERIFY(!running(host.panel->slideOut()));
    // The interrupted slide-in never finished, so the strip was not narrowed.
    QCOMPARE(host.panel->maximumWidth(), 300);
}

void tst_SlideAnimationWidget::destroyingPanelKeepsMaskPanel()
{
    QPointer<ImageForm> page = ImageForm::Instance();
    {
        SlideAnimationWidget panel;
        QCOMPARE(page->parentWidget(),
                 panel.findChild<QStackedWidget *>(QStringLiteral("stackedWidget")));
    }
    QVERIFY(page);
    QCOMPARE(ImageForm::Instance(), page.data());
    QVERIFY(!page->parentWidget());
}

void tst_SlideAnimationWidget::instanceForgottenWhenParentDeletesIt()
{
    auto *window = new QWidget;
    SlideAnimationWidget *panel = SlideAnimationWidget::Instance();
    QVERIFY(panel);
    QCOMPARE(SlideAnimationWidget::Instance(), panel);
    panel->setParent(window);
    delete window;

    QVERIFY(!SlideAnimationWidget::Instance());
    // Nothing left to delete twice at exit.
    InstanceRegistry::destroyAll();
    QVERIFY(!ImageForm::Instance());
}

QTEST_MAIN(tst_SlideAnimationWidget)
#include "tst_slideanimationwidget.moc"
