#include <QtTest>

#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QScreen>

#include "widgets/quitipbox.h"

namespace {

QLabel *label(QWidget *box, const char *name)
{
    return box->findChild<QLabel *>(QLatin1String(name));
}

QRect availableArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}
QRect desktopArea()
{
    return QGuiApplication::primaryScreen()->virtualGeometry();
}

} // namespace

class tst_QUITipBox : public QObject
{
    Q_OBJECT

private slots:
    void cornerOf_data();
    void cornerOf();
    void setTipSlidesIntoTheCorner_data();
    void setTipSlidesIntoTheCorner();
    void hideSlidesDownFromTheCorner_data();
    void hideSlidesDownFromTheCorner();
    void countDownClosesOnTheFifthTick();
    void closeButtonAnswersNo();
};

void tst_QUITipBox::cornerOf_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QPoint>("corner");
    QTest::newRow("screen at origin") << QRect(0, 0, 800, 600) << QPoint(520, 450);
    QTest::newRow("task bar at the bottom") << QRect(0, 0, 1920, 1040) << QPoint(1640, 890);
    QTest::newRow("task bar on the left") << QRect(60, 0, 1860, 1080) << QPoint(1640, 930);
    QTest::newRow("task bar at the top") << QRect(0, 40, 1920, 1040) << QPoint(1640, 930);
    QTest::newRow("desktop left of the primary")
        << QRect(-1280, 0, 3200, 1080) << QPoint(1640, 930);
}

void tst_QUITipBox::cornerOf()
{
    QFETCH(QRect, area);
    QFETCH(QPoint, corner);
    const QPoint pos = QUITipBox::cornerOf(area, QSize(280, 150));
    QCOMPARE(pos, corner);
    // The box ends flush with the area's right and bottom edges.
    QCOMPARE(QRect(pos, QSize(280, 150)).bottomRight(), area.bottomRight());
}

void tst_QUITipBox::setTipSlidesIntoTheCorner_data()
{
    QTest::addColumn<bool>("fullScreen");
    QTest::addColumn<bool>("center");
    QTest::newRow("available area, centred") << false << true;
    QTest::newRow("whole desktop, left") << true << false;
}

void tst_QUITipBox::setTipSlidesIntoTheCorner()
{
    QFETCH(bool, fullScreen);
    QFETCH(bool, center);
    const QRect area = fullScreen ? desktopArea() : availableArea();
    const QPoint corner = QUITipBox::cornerOf(area, QSize(280, 150));

    QUITipBox box;
    if (fullScreen)
        box.setTip(QStringLiteral("标题"), QStringLiteral("提示内容"), true, false);
    else
        box.setTip(QStringLiteral("标题"), QStringLiteral("提示内容"));
    box.show();

    QPropertyAnimation *animation = box.slideAnimation();
    QCOMPARE(animation->state(), QAbstractAnimation::Running);
    QCOMPARE(animation->duration(), 500);
    QCOMPARE(animation->startValue().toPoint(), QPoint(corner.x(), area.bottom() + 1));
    QCOMPARE(animation->endValue().toPoint(), corner);
    QTRY_COMPARE(box.pos(), corner);

    QCOMPARE(label(&box, "labTitle")->text(), QStringLiteral("标题"));
    QCOMPARE(box.windowTitle(), QStringLiteral("标题"));
    QCOMPARE(label(&box, "labInfo")->text(), QStringLiteral("提示内容"));
    QCOMPARE(label(&box, "labInfo")->alignment(),
             center ? Qt::Alignment(Qt::AlignCenter) : Qt::AlignLeft | Qt::AlignVCenter);
    // No count-down unless asked for.
    QVERIFY(label(&box, "labTime")->text().isEmpty());
    QCOMPARE(box.closeSeconds(), 0);
}

void tst_QUITipBox::hideSlidesDownFromTheCorner_data()
{
    QTest::addColumn<bool>("fullScreen");
    QTest::newRow("available area") << false;
    QTest::newRow("whole desktop") << true;
}

void tst_QUITipBox::hideSlidesDownFromTheCorner()
{
    QFETCH(bool, fullScreen);
    const QRect area = fullScreen ? desktopArea() : availableArea();
    const QPoint corner = QUITipBox::cornerOf(area, QSize(280, 150));

    QUITipBox box;
    box.setTip(QStringLiteral("标题"), QStringLiteral("提示"), fullScreen);
    box.show();
    box.hide();

    QPropertyAnimation *animation = box.slideAnimation();
    QCOMPARE(animation->state(), QAbstractAnimation::Running);
    QCOMPARE(animation->startValue().toPoint(), corner);
    QCOMPARE(animation->endValue().toPoint(), QPoint(corner.x(), desktopArea().bottom() + 1));
    QTRY_COMPARE(box.pos(), QPoint(corner.x(), desktopArea().bottom() + 1));
    // Slid out of view, not hidden.
    QVERIFY(box.isVisible());
}

void tst_QUITipBox::countDownClosesOnTheFifthTick()
{
    QUITipBox box;
    // Drive the count-down by hand rather than by the box's free-running timer.
    box.findChild<QTimer *>()->stop();
    box.setTip(QStringLiteral("标题"), QStringLiteral("提示"), false, true, 5);
    box.show();
    QLabel *time = label(&box, "labTime");
    QCOMPARE(time->text(), QStringLiteral("关闭倒计时 5 s"));

    for (int left = 4; left >= 1; --left) {
        QVERIFY(QMetaObject::invokeMethod(&box, "checkSec"));
        QCOMPARE(time->text(), QStringLiteral("关闭倒计时 %1 s").arg(left));
        QVERIFY(box.isVisible());
    }
    QVERIFY(QMetaObject::invokeMethod(&box, "checkSec"));
    QVERIFY(!box.isVisible());
    // Closing ends the count-down: a later tick changes nothing.
    QCOMPARE(box.closeSeconds(), 0);
    QVERIFY(QMetaObject::invokeMethod(&box, "checkSec"));
    QVERIFY(!box.isVisible());
}

void tst_QUITipBox::closeButtonAnswersNo()
{
    QUITipBox box;
    box.setTip(QStringLiteral("标题"), QStringLiteral("提示"));
    QTimer::singleShot(
        0, &box, [&] { box.findChild<QPushButton *>(QStringLiteral("btnMenu_Close"))->click(); });
    QCOMPARE(box.exec(), int(QMessageBox::No));
    QVERIFY(!box.isVisible());
}

QTEST_MAIN(tst_QUITipBox)
#include "tst_quitipbox.moc"
