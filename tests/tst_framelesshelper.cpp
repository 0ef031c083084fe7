#include <QtTest>

#include <QHoverEvent>
#include <QMouseEvent>
#include <QPushButton>

#include "widgets/edgehittest.h"
#include "widgets/framelesshelper.h"
#include "widgets/linuxrubberband.h"

namespace {

const QRect kStart(100, 100, 400, 300);
const int kTitle = 80;

// A frameless top-level that counts what its own mouse handlers receive.
class Window : public QWidget
{
public:
    Window() : QWidget(nullptr, Qt::FramelessWindowHint) { setGeometry(kStart); }
    int presses = 0;
    int releases = 0;
    int moves = 0;
    int doubleClicks = 0;

protected:
    void mousePressEvent(QMouseEvent *) override { ++presses; }
    void mouseReleaseEvent(QMouseEvent *) override { ++releases; }
    void mouseMoveEvent(QMouseEvent *) override { ++moves; }
    void mouseDoubleClickEvent(QMouseEvent *) override { ++doubleClicks; }
};

void press(QWidget &w, QPoint local, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mousePress(&w, button, {}, local);
}

void release(QWidget &w, QPoint local, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseRelease(&w, button, {}, local);
}

// A real move event, delivered like one from the window system.
void moveTo(QWidget &w, QPoint global, Qt::MouseButtons buttons = Qt::LeftButton)
{
    QMouseEvent event(QEvent::MouseMove, w.mapFromGlobal(global), global, Qt::NoButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(&w, &event);
}

void hoverAt(QWidget &w, QPoint local)
{
    QHoverEvent event(QEvent::HoverMove, local, local);
    QApplication::sendEvent(&w, &event);
}

// A shown window with a helper attached.
struct Attached
{
    Attached()
    {
        helper.attachWidget(&w);
        w.show();
    }
    Window w;
    FramelessHelper helper;
};

// unsetCursor() leaves WA_SetCursor on a window: look at the shape instead.
bool hasCursor(const QWidget &w)
{
    return w.cursor().shape() != Qt::ArrowCursor;
}

} // namespace

class tst_FramelessHelper : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void edgeHitTest_data();
    void edgeHitTest();
    void titleBarHeight();
    void resizeFromEdges_data();
    void resizeFromEdges();
    void leftEdgeStopsWhereItWas();
    void titleAreaMovesByDelta();
    void belowTitleDoesNothing();
    void pressOnAcceptingChildDoesNothing();
    void resizableOff();
    void movableOff();
    void cursors_data();
    void cursors();
    void maximizedUnsetsCursor();
    void leaveKeepsCursorDuringPress();
    void otherButtonsDoNothing();
    void ownHandlersNeverRun();
    void attachTwiceKeepsFirstState();
    void destructionReleasesWidget();
    void widgetDestroyedFirst();
    void rubberBandLook();
};

void tst_FramelessHelper::init()
{
    FramelessHelper::setTitleBarHeight(kTitle);
}

void tst_FramelessHelper::edgeHitTest_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QString>("hits"); // L R T B, corners tl bl tr br, E for on edges
    // Rectangle (100,100) 200 x 100; the bands include both of their bounds.
    QTest::newRow("inside") << QPoint(150, 150) << "";
    QTest::newRow("left outer bound") << QPoint(100, 150) << "E L";
    QTest::newRow("left inner bound") << QPoint(105, 150) << "E L";
    QTest::newRow("past left band") << QPoint(106, 150) << "";
    QTest::newRow("right inner bound") << QPoint(295, 150) << "E R";
    QTest::newRow("right outer bound") << QPoint(300, 150) << "E R";
    QTest::newRow("before right band") << QPoint(294, 150) << "";
    QTest::newRow("top") << QPoint(150, 104) << "E T";
    QTest::newRow("bottom") << QPoint(150, 200) << "E B";
    QTest::newRow("top-left") << QPoint(101, 101) << "E L T tl";
    QTest::newRow("bottom-left") << QPoint(104, 197) << "E L B bl";
    QTest::newRow("top-right") << QPoint(299, 100) << "E R T tr";
    QTest::newRow("bottom-right") << QPoint(300, 200) << "E R B br";
    QTest::newRow("left of rect") << QPoint(99, 150) << "";
    QTest::newRow("one coordinate only") << QPoint(102, 900) << "E L";
}

void tst_FramelessHelper::edgeHitTest()
{
    QFETCH(QPoint, point);
    QFETCH(QString, hits);
    EdgeHitTest hit;
    hit.onEdges = true; // stale values must be overwritten
    hit.compute(point, QRect(100, 100, 200, 100));
    QStringList got;
    const QList<QPair<bool, QString>> flags = {
        {hit.onEdges, "E"},     {hit.left, "L"},      {hit.right, "R"},
        {hit.top, "T"},         {hit.bottom, "B"},    {hit.topLeft, "tl"},
        {hit.bottomLeft, "bl"}, {hit.topRight, "tr"}, {hit.bottomRight, "br"}};
    for (const auto &flag : flags) {
        if (flag.first)
            got << flag.second;
    }
    QCOMPARE(got.join(' '), hits);
}

void tst_FramelessHelper::titleBarHeight()
{
    FramelessHelper::setTitleBarHeight(0);
    QCOMPARE(FramelessHelper::titleBarHeight(), kTitle);
    FramelessHelper::setTitleBarHeight(-3);
    QCOMPARE(FramelessHelper::titleBarHeight(), -3);
    FramelessHelper::setTitleBarHeight(kTitle);
    QCOMPARE(FramelessHelper::borderWidth(), 5);

    // Shared by all helpers: the press position decides against the class-wide height.
    FramelessHelper::setTitleBarHeight(40);
    Attached a;
    Window &w = a.w;
    press(w, QPoint(200, 60));
    moveTo(w, QPoint(330, 190));
    release(w, QPoint(200, 60));
    QCOMPARE(w.geometry(), kStart);
}

void tst_FramelessHelper::resizeFromEdges_data()
{
    // The widget starts at (100,100) 400 x 300: right edge 499, bottom edge 399.
    QTest::addColumn<QPoint>("pressAt"); // widget coordinates
    QTest::addColumn<QPoint>("moveTo");  // global
    QTest::addColumn<QRect>("expected");
    QTest::newRow("left edge inside title: resizing wins")
        << QPoint(3, 20) << QPoint(80, 130) << QRect(QPoint(80, 100), QPoint(499, 399));
    QTest::newRow("left edge below title")
        << QPoint(2, 150) << QPoint(150, 20) << QRect(QPoint(150, 100), QPoint(499, 399));
    QTest::newRow("right edge") << QPoint(398, 150) << QPoint(600, 130)
                                << QRect(QPoint(100, 100), QPoint(600, 399));
    QTest::newRow("top edge") << QPoint(200, 2) << QPoint(170, 60)
                              << QRect(QPoint(100, 60), QPoint(499, 399));
    QTest::newRow("bottom edge") << QPoint(200, 297) << QPoint(0, 450)
                                 << QRect(QPoint(100, 100), QPoint(499, 450));
    QTest::newRow("top-left corner")
        << QPoint(1, 1) << QPoint(90, 95) << QRect(QPoint(90, 95), QPoint(499, 399));
    QTest::newRow("bottom-right corner")
        << QPoint(398, 298) << QPoint(550, 500) << QRect(QPoint(100, 100), QPoint(550, 500));
    QTest::newRow("top-right corner")
        << QPoint(399, 0) << QPoint(520, 80) << QRect(QPoint(100, 80), QPoint(520, 399));
    QTest::newRow("bottom-left corner")
        << QPoint(0, 299) << QPoint(60, 420) << QRect(QPoint(60, 100), QPoint(499, 420));
    QTest::newRow("left edge to width 40")
        << QPoint(2, 150) << QPoint(460, 150) << QRect(QPoint(460, 100), QPoint(499, 399));
    QTest::newRow("left edge below width 40") << QPoint(2, 150) << QPoint(470, 150) << kStart;
    QTest::newRow("right edge below width 40") << QPoint(398, 150) << QPoint(130, 150) << kStart;
    QTest::newRow("top edge below height 40") << QPoint(200, 2) << QPoint(0, 370) << kStart;
    QTest::newRow("bottom edge below height 40") << QPoint(200, 298) << QPoint(0, 120) << kStart;
    QTest::newRow("right edge past left edge") << QPoint(398, 150) << QPoint(50, 150) << kStart;
    QTest::newRow("left edge past right edge") << QPoint(2, 150) << QPoint(700, 150) << kStart;
    QTest::newRow("bottom edge past top edge") << QPoint(200, 298) << QPoint(0, 20) << kStart;
}

void tst_FramelessHelper::resizeFromEdges()
{
    QFETCH(QPoint, pressAt);
    QFETCH(QPoint, moveTo);
    QFETCH(QRect, expected);
    Attached a;
    Window &w = a.w;
    QCOMPARE(w.geometry(), kStart);

    press(w, pressAt);
    ::moveTo(w, moveTo);
    QCOMPARE(w.geometry(), expected);
    release(w, w.mapFromGlobal(moveTo));

    // Released: further moves change nothing.
    ::moveTo(w, moveTo + QPoint(30, 30), Qt::NoButton);
    QCOMPARE(w.geometry(), expected);
}

void tst_FramelessHelper::leftEdgeStopsWhereItWas()
{
    Attached a;
    Window &w = a.w;
    press(w, QPoint(2, 150));
    const int steps[] = {300, 455, 470, 490, 458};
    const int lefts[] = {300, 455, 455, 455, 458};
    for (int i = 0; i < 5; ++i) {
        moveTo(w, QPoint(steps[i], 150));
        QCOMPARE(w.geometry().left(), lefts[i]);
        QCOMPARE(w.geometry().right(), 499);
        QCOMPARE(w.geometry().top(), 100);
        QCOMPARE(w.geometry().bottom(), 399);
    }
}

void tst_FramelessHelper::titleAreaMovesByDelta()
{
    Attached a;
    Window &w = a.w;
    const QPoint grip(200, 40);
    const QPoint globalGrip = w.mapToGlobal(grip);
    press(w, grip);
    moveTo(w, globalGrip + QPoint(37, -21));
    QCOMPARE(w.geometry(), kStart.translated(37, -21));
    moveTo(w, globalGrip + QPoint(-90, 140));
    QCOMPARE(w.geometry(), kStart.translated(-90, 140));
    release(w, grip);
    moveTo(w, globalGrip, Qt::NoButton);
    QCOMPARE(w.geometry(), kStart.translated(-90, 140));
    QCOMPARE(w.moves + w.presses + w.releases, 0);
}

void tst_FramelessHelper::belowTitleDoesNothing()
{
    Attached a;
    Window &w = a.w;
    press(w, QPoint(200, kTitle)); // the title area ends above this row
    moveTo(w, QPoint(400, 400));
    moveTo(w, QPoint(50, 50));
    release(w, QPoint(200, kTitle));
    QCOMPARE(w.geometry(), kStart);
}

void tst_FramelessHelper::pressOnAcceptingChildDoesNothing()
{
    Window w;
    auto *button = new QPushButton(QStringLiteral("x"), &w);
    button->setGeometry(150, 20, 60, 30);
    FramelessHelper helper;
    helper.attachWidget(&w);
    w.show();
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    moveTo(w, QPoint(400, 300));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(w.geometry(), kStart);
}

void tst_FramelessHelper::resizableOff()
{
    Window w;
    FramelessHelper helper;
    helper.attachWidget(&w);
    helper.setResizable(false);
    QVERIFY(!helper.isResizable());
    w.show();

    hoverAt(w, QPoint(1, 150));
    moveTo(w, w.mapToGlobal(QPoint(1, 150)), Qt::NoButton);
    QVERIFY(!hasCursor(w));

    press(w, QPoint(2, 150));
    moveTo(w, QPoint(50, 150));
    release(w, QPoint(2, 150));
    QCOMPARE(w.geometry(), kStart);

    // An edge inside the title area then only drags.
    press(w, QPoint(2, 30));
    moveTo(w, w.mapToGlobal(QPoint(12, 35)));
    QCOMPARE(w.geometry(), kStart.translated(10, 5));
}

void tst_FramelessHelper::movableOff()
{
    Window w;
    FramelessHelper helper;
    helper.attachWidget(&w);
    helper.setMovable(false);
    QVERIFY(!helper.isMovable());
    w.show();
    press(w, QPoint(200, 40));
    moveTo(w, QPoint(0, 0));
    QCOMPARE(w.geometry(), kStart);
    release(w, QPoint(200, 40));
    // Resizing still works.
    press(w, QPoint(399, 150));
    moveTo(w, QPoint(520, 150));
    QCOMPARE(w.geometry().right(), 520);
}

void tst_FramelessHelper::cursors_data()
{
    QTest::addColumn<QPoint>("at"); // widget coordinates
    QTest::addColumn<bool>("byHover");
    QTest::addColumn<int>("shape");
    QTest::newRow("left, hover") << QPoint(0, 150) << true << int(Qt::SizeHorCursor);
    QTest::newRow("right, move") << QPoint(397, 150) << false << int(Qt::SizeHorCursor);
    QTest::newRow("top") << QPoint(200, 4) << true << int(Qt::SizeVerCursor);
    QTest::newRow("bottom") << QPoint(200, 299) << false << int(Qt::SizeVerCursor);
    QTest::newRow("top-left") << QPoint(2, 2) << true << int(Qt::SizeFDiagCursor);
    QTest::newRow("bottom-right") << QPoint(399, 299) << false << int(Qt::SizeFDiagCursor);
    QTest::newRow("top-right") << QPoint(399, 0) << true << int(Qt::SizeBDiagCursor);
    QTest::newRow("bottom-left") << QPoint(0, 298) << false << int(Qt::SizeBDiagCursor);
}

void tst_FramelessHelper::cursors()
{
    QFETCH(QPoint, at);
    QFETCH(bool, byHover);
    QFETCH(int, shape);
    Attached a;
    Window &w = a.w;
    QVERIFY(w.hasMouseTracking());
    QVERIFY(w.testAttribute(Qt::WA_Hover));

    if (byHover)
        hoverAt(w, at);
    else
        moveTo(w, w.mapToGlobal(at), Qt::NoButton);
    QVERIFY(hasCursor(w));
    QCOMPARE(int(w.cursor().shape()), shape);

    // Back in the middle: the cursor is unset again.
    if (byHover)
        hoverAt(w, QPoint(200, 150));
    else
        moveTo(w, w.mapToGlobal(QPoint(200, 150)), Qt::NoButton);
    QVERIFY(!hasCursor(w));
}

void tst_FramelessHelper::maximizedUnsetsCursor()
{
    Attached a;
    Window &w = a.w;
    hoverAt(w, QPoint(0, 150));
    QVERIFY(hasCursor(w));

    w.setWindowState(Qt::WindowMaximized);
    hoverAt(w, QPoint(0, 150));
    QVERIFY(!hasCursor(w));
    hoverAt(w, QPoint(2, 2));
    QVERIFY(!hasCursor(w));

    w.setWindowState(Qt::WindowFullScreen);
    hoverAt(w, QPoint(2, 2));
    QVERIFY(!hasCursor(w));

    w.setWindowState(Qt::WindowNoState);
    hoverAt(w, QPoint(2, 2));
    QVERIFY(hasCursor(w));
}

void tst_FramelessHelper::leaveKeepsCursorDuringPress()
{
    Attached a;
    Window &w = a.w;
    hoverAt(w, QPoint(0, 150));
    press(w, QPoint(0, 150));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&w, &leave);
    QVERIFY(hasCursor(w));
    release(w, QPoint(0, 150));
    QApplication::sendEvent(&w, &leave);
    QVERIFY(!hasCursor(w));
}

void tst_FramelessHelper::otherButtonsDoNothing()
{
    Attached a;
    Window &w = a.w;
    for (QPoint at : {QPoint(200, 40), QPoint(1, 150)}) {
        press(w, at, Qt::RightButton);
        moveTo(w, w.mapToGlobal(at) + QPoint(60, 60), Qt::RightButton);
        release(w, at + QPoint(60, 60), Qt::RightButton);
        QCOMPARE(w.geometry(), kStart);
    }
    // A left release does not end a drag begun by another button, nor start one.
    press(w, QPoint(200, 40), Qt::MiddleButton);
    moveTo(w, QPoint(10, 10), Qt::MiddleButton);
    QCOMPARE(w.geometry(), kStart);
}

void tst_FramelessHelper::ownHandlersNeverRun()
{
    Attached a;
    Window &w = a.w;
    press(w, QPoint(200, 150));
    moveTo(w, QPoint(320, 270));
    release(w, QPoint(220, 170));
    press(w, QPoint(200, 150), Qt::RightButton);
    release(w, QPoint(200, 150), Qt::RightButton);
    hoverAt(w, QPoint(3, 3));
    QCOMPARE(w.presses, 0);
    QCOMPARE(w.releases, 0);
    QCOMPARE(w.moves, 0);

    // Double clicks pass through untouched.
    QTest::mouseDClick(&w, Qt::LeftButton, {}, QPoint(200, 40));
    QCOMPARE(w.doubleClicks, 1);
}

void tst_FramelessHelper::attachTwiceKeepsFirstState()
{
    Window w;
    const Qt::WindowFlags original = w.windowFlags();
    {
        FramelessHelper helper;
        helper.attachWidget(&w);
        w.setWindowFlags(original | Qt::WindowStaysOnTopHint);
        helper.attachWidget(&w);
        w.show();
        press(w, QPoint(200, 40));
        moveTo(w, w.mapToGlobal(QPoint(205, 45)));
        QCOMPARE(w.geometry(), kStart.translated(5, 5));
        release(w, QPoint(205, 45));
    }
    // The flags saved at the first attach come back.
    QCOMPARE(w.windowFlags(), original);
}

void tst_FramelessHelper::destructionReleasesWidget()
{
    Window w;
    w.show();
    const Qt::WindowFlags flags = w.windowFlags();
    auto *helper = new FramelessHelper;
    helper->attachWidget(&w);
    QVERIFY(w.hasMouseTracking());
    delete helper;
    QVERIFY(!w.hasMouseTracking());
    QVERIFY(!w.testAttribute(Qt::WA_Hover));
    QCOMPARE(w.windowFlags(), flags);
    QVERIFY(w.isVisible()); // unchanged flags are not set again, which would hide it

    // The widget's own handlers have their events back.
    press(w, QPoint(200, 40));
    moveTo(w, QPoint(400, 300));
    release(w, QPoint(200, 40));
    QCOMPARE(w.presses, 1);
    QCOMPARE(w.moves, 1);
    QCOMPARE(w.releases, 1);
    QCOMPARE(w.geometry(), kStart);
}

void tst_FramelessHelper::widgetDestroyedFirst()
{
    FramelessHelper helper;
    auto *w = new Window;
    helper.attachWidget(w);
    w->show();
    delete w;
    // A new widget may land on the same address: it must be attachable afresh.
    Window again;
    helper.attachWidget(&again);
    QVERIFY(again.hasMouseTracking());
}

void tst_FramelessHelper::rubberBandLook()
{
    LinuxRubberBand band(QRubberBand::Rectangle);
    QCOMPARE(band.palette().brush(QPalette::Active, QPalette::WindowText).color(),
             QColor(Qt::lightGray));
    QCOMPARE(band.palette().brush(QPalette::Disabled, QPalette::WindowText).style(),
             Qt::SolidPattern);
    QVERIFY(!band.parent());
    band.resize(60, 40);
    // Its paint fills the band with that grey.
    QCOMPARE(band.grab().toImage().pixelColor(30, 20), QColor(Qt::lightGray));
}

QTEST_MAIN(tst_FramelessHelper)
#include "tst_framelesshelper.moc"
