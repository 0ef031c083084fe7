#include <QtTest>

#include <QFrame>
#include <QLabel>
#include <QLayout>

#include "widgets/bottomwidget.h"

namespace {

// Kind of each widget in the bar, left to right: title, author, user, live, clock, line.
QStringList itemKinds(const BottomWidget &bar)
{
    QStringList kinds;
    QLayout *box = bar.layout();
    for (int i = 0; box && i < box->count(); ++i) {
        QWidget *w = box->itemAt(i)->widget();
        if (auto *label = qobject_cast<QLabel *>(w)) {
            const QString text = label->text();
            if (text.startsWith(QStringLiteral("欢迎使用")))
                kinds << "title";
            else if (text.startsWith(QStringLiteral("公司")))
                kinds << "author";
            else if (text.startsWith(QStringLiteral("当前用户")))
                kinds << "user";
            else if (text.startsWith(QStringLiteral("已运行")))
                kinds << "live";
            else if (text.startsWith(QStringLiteral("当前时间")))
                kinds << "clock";
            else
                kinds << "?" + text;
        } else if (auto *frame = qobject_cast<QFrame *>(w)) {
            kinds << (frame->frameShape() == QFrame::VLine ? "line" : "frame");
        } else {
            kinds << "other";
        }
    }
    return kinds;
}

QLabel *labelStartingWith(const BottomWidget &bar, const QString &prefix)
{
    const QList<QLabel *> labels = bar.findChildren<QLabel *>();
    for (QLabel *label : labels) {
        if (label->text().startsWith(prefix))
            return label;
    }
    return nullptr;
}

QString liveText(const BottomWidget &bar)
{
    QLabel *label = labelStartingWith(bar, QStringLiteral("已运行"));
    return label ? label->text() : QString();
}

} // namespace

class tst_BottomWidget : public QObject
{
    Q_OBJECT

private slots:
    void runningTimeCarries_data();
    void runningTimeCarries();
    void countsBeforeStart();
    void timerDrivesClock();
    void itemsByVisibility_data();
    void itemsByVisibility();
    void visibilityAfterStartChangesNothing();
    void textSetters();
    void equalTextLeavesLabelAlone();
    void textsAreNotSubstitutedTwice();
    void fontAndLineOptions();
    void optionsAfterStartHaveNoEffect();
    void secondStartBuildsNothingNew();
    void styleSheetPaintsBackground();
};

void tst_BottomWidget::runningTimeCarries_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("expected");
    QTest::newRow("right after start") << 0 << QStringLiteral("已运行: 0天0时0分1秒");
    QTest::newRow("58 ticks") << 58 << QStringLiteral("已运行: 0天0时0分59秒");
    QTest::newRow("one minute") << 59 << QStringLiteral("已运行: 0天0时1分0秒");
    QTest::newRow("one hour") << 3599 << QStringLiteral("已运行: 0天1时0分0秒");
    QTest::newRow("one hour one second") << 3600 << QStringLiteral("已运行: 0天1时0分1秒");
    QTest::newRow("one day") << 86399 << QStringLiteral("已运行: 1天0时0分0秒");
}

void tst_BottomWidget::runningTimeCarries()
{
    QFETCH(int, ticks);
    QFETCH(QString, expected);
    BottomWidget bar;
    bar.start(1000);
    for (int i = 0; i < ticks; ++i)
        bar.showTime();
    QCOMPARE(liveText(bar), expected);
}

void tst_BottomWidget::countsBeforeStart()
{
    BottomWidget bar;
    bar.showTime(); // no labels yet: must not crash, still counts
    bar.showTime();
    bar.start(1000);
    QCOMPARE(liveText(bar), QStringLiteral("已运行: 0天0时0分3秒"));
}

void tst_BottomWidget::timerDrivesClock()
{
    BottomWidget bar;
    bar.start(20);
    QLabel *clock = labelStartingWith(bar, QStringLiteral("当前时间"));
    QVERIFY(clock);
    const QRegularExpression format(
        QStringLiteral("^当前时间: \\d{4}年\\d{2}月\\d{2}日 \\d{2}:\\d{2}:\\d{2}$"));
    QVERIFY2(format.match(clock->text()).hasMatch(), qPrintable(clock->text()));
    QCOMPARE(clock->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    QTRY_VERIFY(liveText(bar) != QStringLiteral("已运行: 0天0时0分1秒"));
}

void tst_BottomWidget::itemsByVisibility_data()
{
    QTest::addColumn<QVector<bool>>("visible"); // title, author, user, live, clock
    QTest::addColumn<QStringList>("kinds");
    QTest::newRow("all") << QVector<bool>{true, true, true, true, true}
                         << QStringList{"title", "line", "author", "line", "user",
                                        "line",  "live", "line",   "clock"};
    QTest::newRow("main window") << QVector<bool>{true, false, false, true, true}
                                 << QStringList{"title", "line", "live", "line", "clock"};
    QTest::newRow("clock hidden: line 4 last")
        << QVector<bool>{false, false, false, true, false} << QStringList{"live", "line"};
    QTest::newRow("only clock") << QVector<bool>{false, false, false, false, true}
                                << QStringList{"clock"};
    QTest::newRow("none") << QVector<bool>{false, false, false, false, false} << QStringList{};
}

void tst_BottomWidget::itemsByVisibility()
{
    QFETCH(QVector<bool>, visible);
    QFETCH(QStringList, kinds);
    BottomWidget bar;
    bar.setLabTitleVisible(visible[0]);
    bar.setLabAuthorVisible(visible[1]);
    bar.setLabUserVisible(visible[2]);
    bar.setLabLiveVisible(visible[3]);
    bar.setLabDateTimeVisible(visible[4]);
    bar.start(1000);
    bar.show();
    QCOMPARE(itemKinds(bar), kinds);

    // Nothing else is on screen: hidden items leave neither label nor line behind.
    int shown = 0;
    for (QWidget *child : bar.findChildren<QWidget *>()) {
        if (child->isVisible())
            ++shown;
    }
    QCOMPARE(shown, kinds.size());
    QCOMPARE(bar.layout()->spacing(), 6);
    QCOMPARE(bar.layout()->contentsMargins(), QMargins(6, 6, 6, 6));
}

void tst_BottomWidget::visibilityAfterStartChangesNothing()
{
    BottomWidget bar;
    bar.setLabAuthorVisible(false);
    bar.start(1000);
    bar.setLabAuthorVisible(true);
    bar.setAuthor(QStringLiteral("Velmora"));
    QCOMPARE(itemKinds(bar).count("author"), 0);
    QVERIFY(!labelStartingWith(bar, QStringLiteral("公司")));
}

void tst_BottomWidget::textSetters()
{
    BottomWidget bar;
    bar.setTitle(QStringLiteral("Norvo - 模板程序"));
    bar.setCurrentUserName(QStringLiteral("未登录"));
    bar.start(1000);
    QVERIFY(labelStartingWith(bar, QStringLiteral("欢迎使用Norvo - 模板程序 V1.0")));
    QVERIFY(labelStartingWith(bar, QStringLiteral("公司: 某某科技有限公司")));
    QVERIFY(labelStartingWith(bar, QStringLiteral("当前用户: 未登录【管理员】")));

    bar.setVersion(QStringLiteral("alpha-V1.0.2.1"));
    bar.setAuthor(QStringLiteral("Velmora"));
    bar.setCurrentUserType(QStringLiteral("普通权限"));
    QCOMPARE(labelStartingWith(bar, QStringLiteral("欢迎"))->text(),
             QStringLiteral("欢迎使用Norvo - 模板程序 alpha-V1.0.2.1"));
    QCOMPARE(labelStartingWith(bar, QStringLiteral("公司"))->text(),
             QStringLiteral("公司: Velmora"));
    QCOMPARE(labelStartingWith(bar, QStringLiteral("当前用户"))->text(),
             QStringLiteral("当前用户: 未登录【普通权限】"));
}

void tst_BottomWidget::equalTextLeavesLabelAlone()
{
    BottomWidget bar;
    bar.start(1000);
    QLabel *title = labelStartingWith(bar, QStringLiteral("欢迎"));
    QLabel *author = labelStartingWith(bar, QStringLiteral("公司"));
    title->setText(QStringLiteral("欢迎 marker"));
    author->setText(QStringLiteral("公司 marker"));
    bar.setTitle(QStringLiteral("管理平台"));
    bar.setAuthor(QStringLiteral("某某科技有限公司"));
    QCOMPARE(title->text(), QStringLiteral("欢迎 marker"));
    QCOMPARE(author->text(), QStringLiteral("公司 marker"));
}

void tst_BottomWidget::textsAreNotSubstitutedTwice()
{
    BottomWidget bar;
    bar.setTitle(QStringLiteral("100%1"));
    bar.setVersion(QStringLiteral("v2"));
    bar.start(1000);
    QCOMPARE(labelStartingWith(bar, QStringLiteral("欢迎"))->text(),
             QStringLiteral("欢迎使用100%1 v2"));
}

void tst_BottomWidget::fontAndLineOptions()
{
    BottomWidget bar;
    bar.setFontName(QStringLiteral("DejaVu Serif"));
    bar.setFontSize(11);
    bar.setLineFixedWidth(true);
    bar.start(1000);
    const QList<QLabel *> labels = bar.findChildren<QLabel *>();
    QCOMPARE(labels.size(), 5);
    for (QLabel *label : labels) {
        QCOMPARE(label->font().family(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(label->font().pixelSize(), 11);
    }
    const QList<QFrame *> frames = bar.findChildren<QFrame *>();
    int lines = 0;
    for (QFrame *frame : frames) {
        if (qobject_cast<QLabel *>(frame))
            continue;
        ++lines;
        QCOMPARE(frame->frameShadow(), QFrame::Sunken);
        QCOMPARE(frame->maximumWidth(), 1);
    }
    QCOMPARE(lines, 4);
}

void tst_BottomWidget::optionsAfterStartHaveNoEffect()
{
    BottomWidget bar;
    bar.start(1000);
    bar.setFontName(QStringLiteral("DejaVu Serif"));
    bar.setFontSize(23);
    bar.setLineFixedWidth(true);
    QLabel *title = labelStartingWith(bar, QStringLiteral("欢迎"));
    QCOMPARE(title->font().pixelSize(), 9);
    QCOMPARE(title->font().family(), QStringLiteral("Microsoft Yahei"));
    for (QFrame *frame : bar.findChildren<QFrame *>()) {
        if (!qobject_cast<QLabel *>(frame))
            QVERIFY(frame->maximumWidth() > 1);
    }
}

void tst_BottomWidget::secondStartBuildsNothingNew()
{
    BottomWidget bar;
    bar.start(1000);
    const int children = bar.findChildren<QWidget *>().size();
    bar.start(1000);
    QCOMPARE(bar.findChildren<QWidget *>().size(), children);
    QCOMPARE(itemKinds(bar).size(), 9);
    // Restarting must not tick an extra second in.
    QCOMPARE(liveText(bar), QStringLiteral("已运行: 0天0时0分1秒"));
}

void tst_BottomWidget::styleSheetPaintsBackground()
{
    BottomWidget bar;
    bar.setStyleSheet(QStringLiteral("BottomWidget{background:#ff0000;}"));
    bar.resize(200, 25);
    bar.start(1000);
    const QImage image = bar.grab().toImage();
    QCOMPARE(image.pixelColor(1, 1), QColor(Qt::red));
}

QTEST_MAIN(tst_BottomWidget)
#include "tst_bottomwidget.moc"
