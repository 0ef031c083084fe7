#include <QtTest>

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QTextCodec>

#include "app/appinit.h"
#include "support/filebytes.h"
#include "widgets/appearance.h"

namespace {

const char kSheetBody[] = "QPalette{background:#CFDDEE;}QWidget{color:#324C6C;}\n"
                          "/*TextColor:#101010*/\n/*PanelColor:#202020*/\n"
                          "/*BorderColor:#303030*/\n/*NormalColorStart:#404040*/\n"
                          "/*NormalColorEnd:#505050*/\n/*DarkColorStart:#606060*/\n"
                          "/*DarkColorEnd:#707070*/\n/*HighColor:#808080*/\n";

QString writeSheet(const QTemporaryDir &dir, const QString &name, const QByteArray &body)
{
    const QString path = dir.filePath(name);
    QDir().mkpath(QFileInfo(path).path());
    FileBytes::write(path, body);
    return path;
}

} // namespace

class tst_AppInit : public QObject
{
    Q_OBJECT

private slots:
    void settingsPath_data();
    void settingsPath();
    void start();
    void initStyleMissingFileChangesNothing();
    void initStyleReadsColoursAndAppendsRules();
    void darkSheetFocusRule_data();
    void darkSheetFocusRule();
    void initStyleStopsAtNul();
    void logoRulesFollowFontSize();
    void dragMovesOnlyMovableWidgets_data();
    void dragMovesOnlyMovableWidgets();
};

void tst_AppInit::settingsPath_data()
{
    QTest::addColumn<QString>("dir");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "/opt/k"
                           << "/opt/k/Kestrane"
                           << "/opt/k/Kestrane.ini";
    QTest::newRow("extension") << "/opt/k"
                               << "/opt/k/Kestrane.exe"
                               << "/opt/k/Kestrane.ini";
    QTest::newRow("several dots") << "/opt/k"
                                  << "/opt/k/a.b.exe"
                                  << "/opt/k/a.ini";
    QTest::newRow("dot in folder") << "/opt/k.d"
                                   << "/opt/k.d/app"
                                   << "/opt/k.d/app.ini";
    QTest::newRow("drive") << "D:/bin"
                           << "D:/bin/a.b"
                           << "D:/bin/a.ini";
}

void tst_AppInit::settingsPath()
{
    QFETCH(QString, dir);
    QFETCH(QString, file);
    QFETCH(QString, expected);
    QCOMPARE(AppInit::settingsPath(dir, file), expected);
}

void tst_AppInit::start()
{
    AppInit::Instance()->start();
    QCOMPARE(g_iconMain, 0xf108);
    QCOMPARE(QApplication::font().pixelSize(), 12);
    QCOMPARE(QTextCodec::codecForLocale()->name(), QByteArray("UTF-8"));
    // The framework's own buttons come out in Chinese.
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
    // The Windows font name resolves to a Simplified Chinese font where one is installed.
    if (QFontDatabase().families().contains(QStringLiteral("Noto Sans CJK SC")))
        QCOMPARE(QFontInfo(QApplication::font()).family(), QStringLiteral("Noto Sans CJK SC"));
}

void tst_AppInit::initStyleMissingFileChangesNothing()
{
    qApp->setStyleSheet(QStringLiteral("QLabel{color:red;}"));
    const QPalette palette = QApplication::palette();
    g_textColor = QStringLiteral("#ABCDEF");
    AppInit::Instance()->initStyle(QStringLiteral(":/qss/no-such-sheet.css"));
    AppInit::Instance()->initStyle(QStringLiteral("/nonexistent/blue.css"));
    QCOMPARE(qApp->styleSheet(), QStringLiteral("QLabel{color:red;}"));
    QCOMPARE(QApplication::palette(), palette);
    QCOMPARE(g_textColor, QStringLiteral("#ABCDEF"));
}

void tst_AppInit::initStyleReadsColoursAndAppendsRules()
{
    QTemporaryDir dir;
    const QString path = writeSheet(dir, QStringLiteral("blue.css"), kSheetBody);
    QVERIFY(!path.isEmpty());
    AppInit::Instance()->initStyle(path);

    QCOMPARE(g_textColor, QStringLiteral("#101010"));
    QCOMPARE(g_panelColor, QStringLiteral("#202020"));
    QCOMPARE(g_borderColor, QStringLiteral("#303030"));
    QCOMPARE(g_normalColorStart, QStringLiteral("#404040"));
    QCOMPARE(g_normalColorEnd, QStringLiteral("#505050"));
    QCOMPARE(g_darkColorStart, QStringLiteral("#606060"));
    QCOMPARE(g_darkColorEnd, QStringLiteral("#707070"));
    QCOMPARE(g_highColor, QStringLiteral("#808080"));

    const QString qss = qApp->styleSheet();
    QVERIFY(qss.startsWith(QLatin1String(kSheetBody)));
    QVERIFY(qss.endsWith(AppInit::generatedRules(false)));
    QVERIFY(qss.contains(QLatin1String("QWidget#widgetMain{background:#303030;}")));
    QVERIFY(
        qss.contains(QLatin1String("NavTitle{qproperty-bgColor:#404040;"
                                   "qproperty-textColor:#101010;qproperty-borderColor:#303030;}")));
    QCOMPARE(QApplication::palette().color(QPalette::Button), QColor("#202020"));
    // The whole rule set still parses: a widget picks up a generated rule.
    QWidget widgetMain;
    widgetMain.setObjectName(QStringLiteral("widgetMain"));
    widgetMain.ensurePolished();
    QCOMPARE(widgetMain.palette().color(QPalette::Window), QColor("#303030"));
}

void tst_AppInit::darkSheetFocusRule_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("dark");
    QTest::newRow("blue") << "blue.css" << false;
    QTest::newRow("purple") << "purple.css" << true;
    QTest::newRow("darkblue") << "darkblue.css" << true;
    QTest::newRow("black") << "black.css" << true;
    QTest::newRow("lightblack") << "lightblack.css" << true;
    QTest::newRow("flatblack") << "flatblack.css" << true;
    QTest::newRow("darkgray") << "darkgray.css" << false;
    QTest::newRow("case-sensitive") << "Black.css" << false;
    QTest::newRow("folder counts") << "black/silvery.css" << true;
}

void tst_AppInit::darkSheetFocusRule()
{
    QFETCH(QString, name);
    QFETCH(bool, dark);
    QTemporaryDir dir;
    const QString path = writeSheet(dir, name, kSheetBody);
    QVERIFY(!path.isEmpty());
    AppInit::Instance()->initStyle(path);
    const QString rule = QStringLiteral("QWidget#widgetVideo>QLabel:focus{border:2px solid "
                                        "#808080;background:%1;}")
                             .arg(dark ? "#505050" : "#606060");
    QVERIFY2(qApp->styleSheet().contains(rule), qPrintable(rule));
}

void tst_AppInit::initStyleStopsAtNul()
{
    g_highColor = QStringLiteral("#F0F0F0");
    QTemporaryDir dir;
    QByteArray body("QPalette{background:#CFDDEE;}/*TextColor:#111111*/");
    body.append('\0');
    body.append("/*HighColor:#ABCDEF*/");
    const QString path = writeSheet(dir, QStringLiteral("gray.css"), body);
    QVERIFY(!path.isEmpty());
    AppInit::Instance()->initStyle(path);
    QCOMPARE(g_textColor, QStringLiteral("#111111"));
    QCOMPARE(g_highColor, QStringLiteral("#F0F0F0"));
    QVERIFY(!qApp->styleSheet().contains(QLatin1String("ABCDEF")));
}

void tst_AppInit::logoRulesFollowFontSize()
{
    const int saved = g_fontSize;
    g_fontSize = 12;
    QString rules = AppInit::generatedRules(false);
    QVERIFY(
        rules.contains(QLatin1String("#labLogoCn{font-size:25px;}#labLogoEn{font-size:16px;}")));
    QVERIFY(rules.contains(QLatin1String("#widgetControl>QLabel{font-size:24px;}")));
    g_fontSize = 14;
    rules = AppInit::generatedRules(false);
    QVERIFY(
        rules.contains(QLatin1String("#labLogoCn{font-size:27px;}#labLogoEn{font-size:18px;}")));
    g_fontSize = saved;
}

void tst_AppInit::dragMovesOnlyMovableWidgets_data()
{
    QTest::addColumn<QVariant>("canMove");
    QTest::addColumn<bool>("moves");
    QTest::newRow("movable") << QVariant(true) << true;
    QTest::newRow("fixed") << QVariant(false) << false;
    QTest::newRow("no property") << QVariant() << false;
}

void tst_AppInit::dragMovesOnlyMovableWidgets()
{
    QFETCH(QVariant, canMove);
    QFETCH(bool, moves);

    QWidget widget;
    widget.setGeometry(100, 100, 200, 150);
    widget.setProperty("canMove", canMove);
    widget.installEventFilter(AppInit::Instance());
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    const QPoint start = widget.pos();

    const QPoint local(20, 20);
    QTest::mousePress(&widget, Qt::LeftButton, {}, local);
    const QPoint globalTarget = widget.mapToGlobal(local) + QPoint(30, 40);
    QMouseEvent move(QEvent::MouseMove, local + QPoint(30, 40), globalTarget, Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
    QTest::mouseRelease(&widget, Qt::LeftButton, {}, local + QPoint(30, 40));
    QCOMPARE(widget.pos(), moves ? start + QPoint(30, 40) : start);

    // After the release a move without a button moves nothing.
    const QPoint after = widget.pos();
    QMouseEvent hover(QEvent::MouseMove, local, widget.mapToGlobal(local) + QPoint(50, 50),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &hover);
    QCOMPARE(widget.pos(), after);
}

QTEST_MAIN(tst_AppInit)
#include "tst_appinit.moc"
