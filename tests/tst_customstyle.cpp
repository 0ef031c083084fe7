#include <QtTest>

#include <QImage>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

#include "app/customstyle.h"

namespace {

class PaintCounter : public QWidget
{
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *) override { ++paints; }
};

QImage paintGlow(CustomStyle &style, const QRect &cell, const QWidget *widget = nullptr)
{
    QImage image(200, 100, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QStyleOptionButton option;
    option.rect = cell;
    style.drawControl(CustomStyle::CE_Glow, &option, &painter, widget);
    return image;
}

} // namespace

class tst_CustomStyle : public QObject
{
    Q_OBJECT

private slots:
    void offsetsFormATriangleWave();
    void glowIsCentredOnTheCell_data();
    void glowIsCentredOnTheCell();
    void noOptionDrawsNothing();
    void otherElementsDrawLikeTheBaseStyle_data();
    void otherElementsDrawLikeTheBaseStyle();
    void updateAllRepaintsTheLastWidget();
};

void tst_CustomStyle::offsetsFormATriangleWave()
{
    CustomStyle style;
    QCOMPARE(style.glowOffset(), 0);
    const QList<int> expected{10, 20, 30, 40, 50, 60, 70, 60, 50, 40, 30,
                              20, 10, 0,  0,  10, 20, 30, 40, 50, 60, 70};
    QList<int> seen;
    for (int i = 0; i < expected.size(); ++i) {
        paintGlow(style, QRect(0, 0, 40, 20));
        seen << style.glowOffset();
    }
    QCOMPARE(seen, expected);
}

void tst_CustomStyle::glowIsCentredOnTheCell_data()
{
    QTest::addColumn<QRect>("cell");
    QTest::newRow("at origin") << QRect(0, 0, 80, 40);
    QTest::newRow("away from origin") << QRect(120, 50, 60, 40);
    QTest::newRow("thin row") << QRect(60, 10, 30, 16);
}

void tst_CustomStyle::glowIsCentredOnTheCell()
{
    QFETCH(QRect, cell);
    CustomStyle style;
    const QImage image = paintGlow(style, cell);
    const QColor centre = image.pixelColor(cell.center());
    QVERIFY2(centre.alpha() > 200, qPrintable(QString::number(centre.alpha())));
    QCOMPARE(centre.red(), 255);
    QCOMPARE(centre.green(), 0);
    // Nothing spills outside the circle of radius height / 2.
    const int r = cell.height() / 2;
    QCOMPARE(image.pixelColor(cell.center() + QPoint(-r - 2, 0)).alpha(), 0);
    QCOMPARE(image.pixelColor(cell.center() + QPoint(r + 2, 0)).alpha(), 0);
}

void tst_CustomStyle::noOptionDrawsNothing()
{
    CustomStyle style;
    QImage image(50, 50, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QImage before = image;
    {
        QPainter painter(&image);
        style.drawControl(CustomStyle::CE_Glow, nullptr, &painter, nullptr);
    }
    QCOMPARE(image, before);
    QCOMPARE(style.glowOffset(), 0);
}

void tst_CustomStyle::otherElementsDrawLikeTheBaseStyle_data()
{
    QTest::addColumn<int>("element");
    QTest::newRow("push button") << int(QStyle::CE_PushButton);
    QTest::newRow("check box") << int(QStyle::CE_CheckBox);
    QTest::newRow("header") << int(QStyle::CE_HeaderSection);
    QTest::newRow("progress bar") << int(QStyle::CE_ProgressBar);
    QTest::newRow("first custom") << int(QStyle::CE_CustomBase);
    QTest::newRow("next custom") << int(QStyle::CE_CustomBase + 2);
}

void tst_CustomStyle::otherElementsDrawLikeTheBaseStyle()
{
    QFETCH(int, element);
    CustomStyle style;
    QScopedPointer<QStyle> plain(QStyleFactory::create(style.baseStyle()->objectName()));
    QVERIFY(plain);

    QStyleOptionButton option;
    option.rect = QRect(5, 5, 80, 30);
    option.text = QStringLiteral("OK");
    option.state = QStyle::State_Enabled | QStyle::State_On;
    option.palette = plain->standardPalette();

    auto render = [&](const QStyle &s) {
        QImage image(100, 40, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        s.drawControl(QStyle::ControlElement(element), &option, &painter, nullptr);
        return image;
    };
    QCOMPARE(render(style), render(*plain));
    QCOMPARE(style.glowOffset(), 0);
}

void tst_CustomStyle::updateAllRepaintsTheLastWidget()
{
    CustomStyle style;
    // Before any glow was drawn there is nothing to repaint.
    style.updateAll();

    auto *widget = new PaintCounter;
    widget->resize(50, 50);
    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget));
    QTRY_VERIFY(widget->paints > 0);
    paintGlow(style, QRect(0, 0, 20, 20), widget);

    const int before = widget->paints;
    style.updateAll();
    QTRY_VERIFY(widget->paints > before);

    // A widget that is gone is not touched.
    delete widget;
    style.updateAll();
}

QTEST_MAIN(tst_CustomStyle)
#include "tst_customstyle.moc"
