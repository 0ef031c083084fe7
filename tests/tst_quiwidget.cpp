#include <QtTest>

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

#include "widgets/appearance.h"
#include "widgets/quidateselect.h"
#include "widgets/quiinputbox.h"
#include "widgets/quimessagebox.h"
#include "widgets/quiwidget.h"

namespace {

template <typename T = QWidget> T *part(QWidget *shell, const char *name)
{
    T *child = shell->findChild<T *>(QLatin1String(name));
    if (!child)
        qFatal("missing %s", name);
    return child;
}

QAction *themeAction(QUIWidget &shell, const QString &caption)
{
    const QList<QAction *> actions = part<QToolButton>(&shell, "btnMenu")->actions();
    for (QAction *action : actions) {
        if (action->text() == caption)
            return action;
    }
    return nullptr;
}

// A real press and move on `widget`, as the operator drags it.
void drag(QWidget *widget, QPoint from, QPoint by)
{
    QTest::mousePress(widget, Qt::LeftButton, {}, from);
    const QPoint to = from + by;
    QMouseEvent move(QEvent::MouseMove, to, widget->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, to);
}

} // namespace

class tst_QUIWidget : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void themeMenuAppliesTheSheet_data();
    void themeMenuAppliesTheSheet();
    void unknownThemeFallsBackToLightBlue();
    void maximiseAndRestore();
    void closeButton_data();
    void closeButton();
    void minimiseHidesWithMinHide();
    void mainWidgetIsSetOnce();
    void iconMainReachesTheDialogs();
    void setIconStoresTheGlyph_data();
    void setIconStoresTheGlyph();
    void visibilityOfParts();
    void dragsByTheTitleBar();
};

void tst_QUIWidget::init()
{
    // Glyph settings are program-wide: every case starts from the same ones.
    static const int defaults[6] = {g_iconMain, g_iconMenu,   g_iconMin,
                                    g_iconMax,  g_iconNormal, g_iconClose};
    g_iconMain = defaults[0];
    g_iconMenu = defaults[1];
    g_iconMin = defaults[2];
    g_iconMax = defaults[3];
    g_iconNormal = defaults[4];
    g_iconClose = defaults[5];
}

void tst_QUIWidget::themeMenuAppliesTheSheet_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("textColor");
    QTest::newRow("flat blue") << "蓝色扁平"
                               << ":/qss/flatblue.css"
                               << "#386487";
    QTest::newRow("silver") << "银色"
                            << ":/qss/silvery.css"
                            << "#000000";
    QTest::newRow("ps black") << "PS黑色"
                              << ":/qss/psblack.css"
                              << "#DCDCDC";
    QTest::newRow("video black") << "视频黑"
                                 << ":/qss/blackvideo.css"
                                 << "#FAF6F7";
}

void tst_QUIWidget::themeMenuAppliesTheSheet()
{
    QFETCH(QString, caption);
    QFETCH(QString, sheet);
    QFETCH(QString, textColor);

    QUIWidget shell;
    QSignalSpy spy(&shell, qOverload<const QString &>(&QUIWidget::changeStyle));
    QAction *action = themeAction(shell, caption);
    QVERIFY(action);
    action->trigger();

    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), sheet);
    QCOMPARE(g_textColor, textColor);
    QVERIFY(qApp->styleSheet().contains(QStringLiteral("TextColor:") + textColor));
}

void tst_QUIWidget::unknownThemeFallsBackToLightBlue()
{
    QUIWidget shell;
    qApp->setStyleSheet(QString());
    QAction stranger(QStringLiteral("彩虹"));
    connect(&stranger, SIGNAL(triggered(bool)), &shell, SLOT(changeStyle()));
    QSignalSpy spy(&shell, qOverload<const QString &>(&QUIWidget::changeStyle));
    stranger.trigger();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral(":/qss/lightblue.css"));
    // Nothing applied.
    QVERIFY(qApp->styleSheet().isEmpty());
}

void tst_QUIWidget::maximiseAndRestore()
{
    QUIWidget shell;
    const QRect normal(100, 80, 400, 300);
    shell.setGeometry(normal);
    shell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shell));
    auto *max = part<QPushButton>(&shell, "btnMenu_Max");

    max->click();
    QCOMPARE(shell.geometry(), QGuiApplication::primaryScreen()->availableGeometry());
    QCOMPARE(shell.property("canMove").toBool(), false);
    QCOMPARE(max->text(), QString(QChar(g_iconMax)));

    max->click();
    QCOMPARE(shell.geometry(), normal);
    QCOMPARE(shell.property("canMove").toBool(), true);
    QCOMPARE(max->text(), QString(QChar(g_iconNormal)));
}

void tst_QUIWidget::closeButton_data()
{
    QTest::addColumn<bool>("exitAll");
    QTest::newRow("main widget only") << false;
    QTest::newRow("everything") << true;
}

void tst_QUIWidget::closeButton()
{
    QFETCH(bool, exitAll);
    QUIWidget shell;
    auto *content = new QWidget;
    shell.setMainWidget(content);
    shell.setExitAll(exitAll);
    shell.show();
    QVERIFY(content->isVisible());

    QSignalSpy closing(&shell, &QUIWidget::closing);
    part<QPushButton>(&shell, "btnMenu_Close")->click();
    QCOMPARE(closing.count(), 1);
    QVERIFY(!content->isVisible());
    QCOMPARE(shell.isVisible(), !exitAll);
}

void tst_QUIWidget::minimiseHidesWithMinHide()
{
    QUIWidget shell;
    shell.setMinHide(true);
    shell.show();
    part<QPushButton>(&shell, "btnMenu_Min")->click();
    QVERIFY(!shell.isVisible());

    shell.setMinHide(false);
    shell.show();
    part<QPushButton>(&shell, "btnMenu_Min")->click();
    QVERIFY(shell.isVisible());
    QVERIFY(shell.isMinimized());
}

void tst_QUIWidget::mainWidgetIsSetOnce()
{
    QUIWidget shell;
    auto *first = new QWidget;
    first->resize(500, 400);
    shell.setMainWidget(first);
    QCOMPARE(shell.getMainWidget(), first);
    QVERIFY(shell.isAncestorOf(first));
    const int titleHeight = part(&shell, "widgetTitle")->height();
    QCOMPARE(shell.size(), QSize(500, 400 + titleHeight));

    QWidget second;
    second.resize(200, 100);
    shell.setMainWidget(&second);
    QCOMPARE(shell.getMainWidget(), first);
    QVERIFY(!shell.isAncestorOf(&second));
    QCOMPARE(shell.size(), QSize(500, 400 + titleHeight));
}

void tst_QUIWidget::iconMainReachesTheDialogs()
{
    QUIWidget shell;
    const QChar glyph(0xf015);
    shell.setIconMain(glyph, 15);
    QCOMPARE(g_iconMain, 0xf015);
    const QList<QWidget *> boxes = {&shell, QUIMessageBox::Instance(), QUIInputBox::Instance(),
                                    QUIDateSelect::Instance()};
    for (QWidget *box : boxes) {
        auto *label = part<QLabel>(box, "labIco");
        QCOMPARE(label->text(), QString(glyph));
        QCOMPARE(label->font().pixelSize(), 15);
    }
}

void tst_QUIWidget::setIconStoresTheGlyph_data()
{
    QTest::addColumn<int>("widget");
    QTest::addColumn<QString>("button");
    QTest::newRow("menu") << int(QUIWidget::BtnMenu) << "btnMenu";
    QTest::newRow("minimise") << int(QUIWidget::BtnMenu_Min) << "btnMenu_Min";
    QTest::newRow("maximise") << int(QUIWidget::BtnMenu_Max) << "btnMenu_Max";
    QTest::newRow("restore") << int(QUIWidget::BtnMenu_Normal) << "btnMenu_Max";
    QTest::newRow("close") << int(QUIWidget::BtnMenu_Close) << "btnMenu_Close";
}

void tst_QUIWidget::setIconStoresTheGlyph()
{
    QFETCH(int, widget);
    QFETCH(QString, button);
    int *const settings[] = {&g_iconMain, &g_iconMenu,   &g_iconMin,
                             &g_iconMax,  &g_iconNormal, &g_iconClose};
    int *setting = settings[widget];
    QUIWidget shell;
    shell.setIcon(QUIWidget::Widget(widget), QChar(0xf0c9), 14);
    QCOMPARE(*setting, 0xf0c9);
    auto *target = part<QAbstractButton>(&shell, button.toLatin1().constData());
    QCOMPARE(target->text(), QString(QChar(0xf0c9)));
    QCOMPARE(target->font().pixelSize(), 14);

    // Unknown parts are ignored.
    shell.setIcon(QUIWidget::Widget(9), QChar(0xf000));
    QCOMPARE(*setting, 0xf0c9);
}

void tst_QUIWidget::visibilityOfParts()
{
    QUIWidget shell;
    shell.show();
    shell.setVisible(QUIWidget::BtnMenu);
    QVERIFY(part(&shell, "btnMenu")->isVisible());
    shell.setVisible(QUIWidget::Lab_Ico, false);
    QVERIFY(!part(&shell, "labIco")->isVisible());
    shell.setVisible(QUIWidget::BtnMenu_Normal, false);
    QVERIFY(part(&shell, "btnMenu_Max")->isVisible());

    shell.setOnlyCloseBtn();
    QVERIFY(!part(&shell, "btnMenu")->isVisible());
    QVERIFY(!part(&shell, "btnMenu_Min")->isVisible());
    QVERIFY(!part(&shell, "btnMenu_Max")->isVisible());
    QVERIFY(part(&shell, "btnMenu_Close")->isVisible());
}

void tst_QUIWidget::dragsByTheTitleBar()
{
    QUIWidget shell;
    shell.setGeometry(50, 50, 400, 300);
    shell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shell));
    QWidget *title = part(&shell, "widgetTitle");

    drag(title, QPoint(100, 10), QPoint(30, 20));
    QCOMPARE(shell.pos(), QPoint(80, 70));

    // Maximised, the shell stays where it is.
    auto *max = part<QPushButton>(&shell, "btnMenu_Max");
    max->click();
    const QPoint maximised = shell.pos();
    drag(title, QPoint(100, 10), QPoint(30, 20));
    QCOMPARE(shell.pos(), maximised);
    max->click();
}

QTEST_MAIN(tst_QUIWidget)
#include "tst_quiwidget.moc"
