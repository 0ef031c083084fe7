#include <QtTest>

#include <QFontDatabase>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>

#include "widgets/iconfont.h"
#include "widgets/iconhelper.h"

#include "support/messagecapture.h"

namespace {
// Number of pixels with any opacity, and whether all of them are in `color`'s hue.
int paintedPixels(const QImage &image, const QColor &color, bool *allInColor = nullptr)
{
    int painted = 0;
    bool inColor = true;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() == 0)
                continue;
            ++painted;
            if (pixel.alpha() == 255 && pixel.rgb() != color.rgb())
                inColor = false;
        }
    }
    if (allInColor)
        *allInColor = inColor;
    return painted;
}

bool cornersTransparent(const QImage &image)
{
    const int r = image.width() - 1;
    const int b = image.height() - 1;
    return image.pixelColor(0, 0).alpha() == 0 && image.pixelColor(r, 0).alpha() == 0 &&
           image.pixelColor(0, b).alpha() == 0 && image.pixelColor(r, b).alpha() == 0;
}
} // namespace

class tst_IconHelper : public QObject
{
    Q_OBJECT

private slots:
    void iconFontMissingFile();
    void singleInstance();
    void fontAwesomeFamily();
    void glyphPixmap_data();
    void glyphPixmap();
    void sizeAppliesPerCall();
    void filterWithoutButtons();
    void iconFontGlyphs_data();
    void iconFontGlyphs();
    void knownFamilyIsNotLoadedAgain();
};

void tst_IconHelper::singleInstance()
{
    IconHelper *first = IconHelper::Instance();
    QVERIFY(first);
    QCOMPARE(IconHelper::Instance(), first);
    QVERIFY(IconFont::Instance());
    QCOMPARE(IconFont::Instance(), IconFont::Instance());
}

void tst_IconHelper::fontAwesomeFamily()
{
    QCOMPARE(IconHelper::Instance()->font().family(), QStringLiteral("FontAwesome"));
    QCOMPARE(IconHelper::Instance()->font().hintingPreference(), QFont::PreferNoHinting);
}

void tst_IconHelper::glyphPixmap_data()
{
    QTest::addColumn<uint>("size");
    QTest::addColumn<uint>("width");
    QTest::addColumn<uint>("height");
    QTest::addColumn<QColor>("color");

    QTest::newRow("20 in 20x20") << 20u << 20u << 20u << QColor("#324C6C");
    QTest::newRow("30 in 30x30") << 30u << 30u << 30u << QColor(Qt::white);
    QTest::newRow("18 in 20x20") << 18u << 20u << 20u << QColor("#00BB9E");
    QTest::newRow("20 in 30x20") << 20u << 30u << 20u << QColor(Qt::red);
}

void tst_IconHelper::glyphPixmap()
{
    QFETCH(uint, size);
    QFETCH(uint, width);
    QFETCH(uint, height);
    QFETCH(QColor, color);

    const QPixmap pix = IconHelper::Instance()->glyphPixmap(color, QChar(0xf013), size, width,
                                                            height, Qt::AlignCenter);
    QCOMPARE(pix.size(), QSize(int(width), int(height)));
    const QImage image = pix.toImage().convertToFormat(QImage::Format_ARGB32);
    QVERIFY(image.hasAlphaChannel());
    QVERIFY(cornersTransparent(image));
    bool allInColor = false;
    const int painted = paintedPixels(image, color, &allInColor);
    QVERIFY2(painted > int(width * height) / 8, qPrintable(QString::number(painted)));
    QVERIFY(painted < int(width * height));
    QVERIFY(allInColor);
}

void tst_IconHelper::sizeAppliesPerCall()
{
    IconHelper *helper = IconHelper::Instance();
    const QImage at20 =
        helper->glyphPixmap(Qt::black, QChar(0xf00d), 20, 30, 30, Qt::AlignCenter).toImage();
    QPushButton button;
    helper->setButtonGlyph(&button, QChar(0xf00d), 12);
    const QImage again =
        helper->glyphPixmap(Qt::black, QChar(0xf00d), 20, 30, 30, Qt::AlignCenter).toImage();
    QCOMPARE(again, at20);
    QCOMPARE(button.font().pixelSize(), 12);
    QCOMPARE(button.text(), QString(QChar(0xf00d)));

    const QImage at12 =
        helper->glyphPixmap(Qt::black, QChar(0xf00d), 12, 30, 30, Qt::AlignCenter).toImage();
    QVERIFY(paintedPixels(at12, Qt::black) < paintedPixels(at20, Qt::black));
}

void tst_IconHelper::filterWithoutButtons()
{
    QToolButton button;
    button.setIcon(QIcon(QPixmap(4, 4)));
    const qint64 before = button.icon().cacheKey();

    QEvent enter(QEvent::Enter);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QEvent leave(QEvent::Leave);
    const QList<QObject *> filters = {IconHelper::Instance(), IconFont::Instance()};
    for (QObject *filter : filters) {
        for (QEvent *event : {&enter, static_cast<QEvent *>(&press), &leave})
            QVERIFY(!filter->eventFilter(&button, event));
    }
    QCOMPARE(button.icon().cacheKey(), before);
}

void tst_IconHelper::iconFontMissingFile()
{
    if (QFontDatabase().families().contains("iconfont"))
        QSKIP("the family is already known, so nothing is loaded");

    QTest::ignoreMessage(QtDebugMsg, "load iconfont.ttf error");
    IconFont broken(QStringLiteral(":/image/no-such-font.ttf"));
    QVERIFY(broken.font().family() != QStringLiteral("iconfont"));

    // Glyphs still come out, in a default font, at the asked size.
    const QPixmap pix = broken.glyphPixmap(Qt::black, QChar('A'), 20, 30, 20, Qt::AlignCenter);
    QCOMPARE(pix.size(), QSize(30, 20));
    QVERIFY(paintedPixels(pix.toImage(), Qt::black) > 0);
}

void tst_IconHelper::iconFontGlyphs_data()
{
    QTest::addColumn<int>("glyph");
    QTest::newRow("logo") << 0xe513;
    QTest::newRow("craft") << 0xea44;
    QTest::newRow("record") << 0xea5b;
    QTest::newRow("item") << 0xea59;
    QTest::newRow("settings") << 0xe6de;
    QTest::newRow("workbook") << 0xea43;
}

void tst_IconHelper::iconFontGlyphs()
{
    QFETCH(int, glyph);
    QVERIFY(QFile::exists(":/image/iconfont.ttf"));

    IconFont *icons = IconFont::Instance();
    QCOMPARE(icons->font().family(), QStringLiteral("iconfont"));
    const QPixmap pix = icons->glyphPixmap(QColor("#386487"), QChar(glyph), 20, 30, 20,
                                           Qt::AlignHCenter | Qt::AlignVCenter);
    QCOMPARE(pix.size(), QSize(30, 20));
    const QImage image = pix.toImage().convertToFormat(QImage::Format_ARGB32);
    QVERIFY(cornersTransparent(image));
    bool allInColor = false;
    QVERIFY(paintedPixels(image, QColor("#386487"), &allInColor) > 20);
    QVERIFY(allInColor);
}

void tst_IconHelper::knownFamilyIsNotLoadedAgain()
{
    QVERIFY(QFile::exists(":/image/iconfont.ttf"));
    QVERIFY(IconFont::Instance());

    // Once the family is known, a further helper must not touch the file it is given.
    MessageCapture capture;
    IconFont again(QStringLiteral(":/image/no-such-font.ttf"));
    QCOMPARE(again.font().family(), QStringLiteral("iconfont"));
    QVERIFY(!capture.has(QtDebugMsg, QStringLiteral("load iconfont.ttf error")));
}

QTEST_MAIN(tst_IconHelper)
#include "tst_iconhelper.moc"
