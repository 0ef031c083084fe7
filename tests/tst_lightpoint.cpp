#include <QtTest>
#include <climits>

#include "widgets/lightpoint.h"

namespace {

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

class tst_LightPoint : public QObject
{
    Q_OBJECT

private slots:
    void repaintsOnlyOnChange_data();
    void repaintsOnlyOnChange();
    void drawsInItsColour();
    void paintsAtExtremes_data();
    void paintsAtExtremes();
};

void tst_LightPoint::repaintsOnlyOnChange_data()
{
    QTest::addColumn<QString>("setter");
    QTest::newRow("step") << "step";
    QTest::newRow("interval") << "interval";
    QTest::newRow("bgColor") << "bgColor";
}

void tst_LightPoint::repaintsOnlyOnChange()
{
    QFETCH(QString, setter);
    LightPoint point;
    auto set = [&] {
        if (setter == "step")
            point.setStep(3);
        else if (setter == "interval")
            point.setInterval(3);
        else
            point.setBgColor(QColor(0, 128, 255));
    };

    PaintCounter counter;
    point.installEventFilter(&counter);
    point.show();
    QVERIFY(QTest::qWaitForWindowExposed(&point));
    QTRY_VERIFY(counter.paints > 0);
    QCoreApplication::processEvents();
    counter.paints = 0;

    set();
    QTRY_COMPARE(counter.paints, 1);
    set();
    QCoreApplication::processEvents();
    QCOMPARE(counter.paints, 1);
}

void tst_LightPoint::drawsInItsColour()
{
    LightPoint point;
    point.resize(60, 60);
    point.setBgColor(QColor(0, 200, 0));
    const QImage image = point.grab().toImage();
    QCOMPARE(image.pixelColor(30, 30), QColor(0, 200, 0));
    QVERIFY(image.pixelColor(0, 0) != QColor(0, 200, 0));
}

void tst_LightPoint::paintsAtExtremes_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("interval");
    const int extremes[] = {INT_MIN, -1, 0, 1, INT_MAX};
    for (int step : extremes) {
        for (int interval : extremes)
            QTest::addRow("step %d, interval %d", step, interval) << step << interval;
    }
}

void tst_LightPoint::paintsAtExtremes()
{
    QFETCH(int, step);
    QFETCH(int, interval);
    LightPoint point;
    point.resize(60, 60);
    point.setBgColor(QColor(0, 200, 0));
    point.setStep(step);
    point.setInterval(interval);
    const QImage image = point.grab().toImage();
    QCOMPARE(image.pixelColor(30, 30), QColor(0, 200, 0));
}

QTEST_MAIN(tst_LightPoint)
#include "tst_lightpoint.moc"
