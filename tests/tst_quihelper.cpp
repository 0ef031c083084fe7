#include <QtTest>

#include <QMessageBox>
#include <QScreen>
#include <QPushButton>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QTranslator>
#include <QWidget>

#include "common/programfolder.h"
#include "support/filebytes.h"
#include "support/modalbox.h"
#include "widgets/appearance.h"
#include "widgets/quiinputbox.h"
#include "widgets/quihelper.h"
#include "widgets/quimessagebox.h"

class tst_QUIHelper : public QObject
{
    Q_OBJECT

private slots:
    void ensureDir_data();
    void ensureDir();
    void ensureDirKeepsExisting();
    void folderRule_data();
    void folderRule();
    void clearDir();
    void clearDirMissingFolder();
    void clearDirEmptyPathLeavesWorkingFolder();
    void clearDirLeavesLinkTargets();
    void copyFileWritable();
    void copyFileWritableKeepsExistingTarget();
    void copyFileWritableWithoutTarget();
    void utf8ToGb2312();
    void startUpSettings();
    void centeredPos_data();
    void centeredPos();
    void centerOnScreen();
    void readQssColors_data();
    void readQssColors();
    void setStyleByNumber_data();
    void setStyleByNumber();
    void askQuestion_data();
    void askQuestion();
    void askInput_data();
    void askInput();

private:
    QTemporaryDir m_tmp;
};

void tst_QUIHelper::ensureDir_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<bool>("underAppDir");

    const QString tag = QString::number(QCoreApplication::applicationPid());
    QTest::newRow("bare name") << QStringLiteral("ensure_%1/a/b").arg(tag) << true;
    QTest::newRow("absolute") << QStringLiteral("abs/x/y") << false;
}

void tst_QUIHelper::ensureDir()
{
    QFETCH(QString, relative);
    QFETCH(bool, underAppDir);

    const QString given = underAppDir ? relative : m_tmp.filePath(relative);
    const QString expected = underAppDir ? QUIHelper::appDirPath() + "/" + relative : given;
    QVERIFY(!QFileInfo::exists(expected));

    QUIHelper::ensureDir(given);
    QVERIFY(QFileInfo(expected).isDir());
    QVERIFY(QUIHelper::dirExists(expected));

    if (underAppDir)
        QDir(QUIHelper::appDirPath() + "/" + relative.section('/', 0, 0)).removeRecursively();
}

void tst_QUIHelper::ensureDirKeepsExisting()
{
    const QString dir = m_tmp.filePath("existing");
    QVERIFY(QDir().mkpath(dir));
    FileBytes::write(dir + "/keep.txt", "x");

    QUIHelper::ensureDir(dir);
    QVERIFY(QUIHelper::fileExists(dir + "/keep.txt"));
}

void tst_QUIHelper::folderRule_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("underAppDir");

    QTest::newRow("name") << "logs" << true;
    QTest::newRow("relative with slashes") << "data/logs" << true;
    QTest::newRow("relative with backslashes") << "data\\logs" << true;
    QTest::newRow("dot") << "./logs" << true;
    QTest::newRow("unix absolute") << "/data/logs" << false;
    QTest::newRow("drive, backslash") << "D:\\logs" << false;
    QTest::newRow("drive, slash") << "d:/logs" << false;
    QTest::newRow("UNC") << "\\\\server\\share\\logs" << false;
    QTest::newRow("UNC with slashes") << "//server/share/logs" << false;
    QTest::newRow("resource") << ":/qss/blue.css" << false;
    QTest::newRow("colon inside a name") << "a:b" << true;
}

void tst_QUIHelper::folderRule()
{
    QFETCH(QString, path);
    QFETCH(bool, underAppDir);
    // One rule for ensureDir and the logger's folder.
    QCOMPARE(underProgramFolder(path), underAppDir ? QUIHelper::appDirPath() + "/" + path : path);
}

void tst_QUIHelper::clearDir()
{
    const QString root = m_tmp.filePath("clear");
    QVERIFY(QDir().mkpath(root + "/sub/deeper"));
    QVERIFY(QDir().mkpath(root + "/keeper"));
    FileBytes::write(root + "/a.txt", "x");
    FileBytes::write(root + "/sub/b.txt", "x");
    FileBytes::write(root + "/sub/deeper/c.txt", "x");
    FileBytes::write(root + "/keeper/.hidden", "x");

    QUIHelper::clearDir(root);

    QVERIFY(QFileInfo(root).isDir());
    QCOMPARE(QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{"keeper"});
    // Hidden entries are not listed, so they and the folder holding them stay.
    QVERIFY(QFileInfo::exists(root + "/keeper/.hidden"));
}

void tst_QUIHelper::clearDirMissingFolder()
{
    const QString missing = m_tmp.filePath("missing");
    QUIHelper::clearDir(missing);
    QVERIFY(!QFileInfo::exists(missing));
}

void tst_QUIHelper::clearDirEmptyPathLeavesWorkingFolder()
{
    const QString work = m_tmp.filePath("work");
    QVERIFY(QDir().mkpath(work + "/sub"));
    FileBytes::write(work + "/keep.txt", "x");
    const QString oldCwd = QDir::currentPath();
    QVERIFY(QDir::setCurrent(work));
    QUIHelper::clearDir(QString());
    QUIHelper::clearDir(QStringLiteral(""));
    QDir::setCurrent(oldCwd);
    QCOMPARE(QDir(work).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             (QStringList{"keep.txt", "sub"}));
}

void tst_QUIHelper::clearDirLeavesLinkTargets()
{
    const QString outside = m_tmp.filePath("outside");
    const QString root = m_tmp.filePath("withlink");
    QVERIFY(QDir().mkpath(outside));
    QVERIFY(QDir().mkpath(root));
    FileBytes::write(outside + "/precious.txt", "x");
    QVERIFY(QFile::link(outside, root + "/link"));

    QUIHelper::clearDir(root);

    // The link goes; what it points to is not the folder's to empty.
    QVERIFY(!QFileInfo(root + "/link").isSymLink());
    QVERIFY(QFileInfo::exists(outside + "/precious.txt"));
}

void tst_QUIHelper::copyFileWritable()
{
    const QString source = m_tmp.filePath("ro-source.txt");
    const QString target = m_tmp.filePath("ro-target.txt");
    FileBytes::write(source, "content");
    QVERIFY(QFile::setPermissions(source, QFileDevice::ReadOwner | QFileDevice::ReadUser));

    QVERIFY(QUIHelper::copyFileWritable(source, target));

    const QFileDevice::Permissions perms = QFile::permissions(target);
    QVERIFY(perms & QFileDevice::WriteOwner);
    QVERIFY(perms & QFileDevice::ReadOwner);
    QFile copy(target);
    QVERIFY(copy.open(QFile::ReadWrite));
    QCOMPARE(copy.readAll(), QByteArray("content"));
}

void tst_QUIHelper::copyFileWritableKeepsExistingTarget()
{
    const QString source = m_tmp.filePath("new.txt");
    const QString target = m_tmp.filePath("old.txt");
    FileBytes::write(source, "new");
    FileBytes::write(target, "old");

    QVERIFY(QUIHelper::copyFileWritable(source, target));
    QCOMPARE(FileBytes::read(target), QByteArray("old"));
}

void tst_QUIHelper::copyFileWritableWithoutTarget()
{
    QVERIFY(!QUIHelper::copyFileWritable(m_tmp.filePath("nothing"), m_tmp.filePath("none")));
    QVERIFY(!QFileInfo::exists(m_tmp.filePath("none")));
}

void tst_QUIHelper::utf8ToGb2312()
{
    QCOMPARE(QUIHelper::utf8ToGb2312(QStringLiteral("模板").toUtf8()),
             QByteArray::fromHex("c4a3b0e5"));
    QCOMPARE(QUIHelper::utf8ToGb2312("D:/data/a.jpg"), QByteArray("D:/data/a.jpg"));
}

void tst_QUIHelper::startUpSettings()
{
    QUIHelper::setLocaleCodecUtf8();
    QCOMPARE(QTextCodec::codecForLocale()->name(), QByteArray("UTF-8"));

    // A file that does not load installs a translator that translates nothing.
    QUIHelper::installTranslatorFile(":/image/missing.qm");
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    QUIHelper::installTranslatorFile(":/image/qt_zh_CN.qm");
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
    QCOMPARE(qApp->findChildren<QTranslator *>().size(), 2);
}

void tst_QUIHelper::centeredPos_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("expected");

    QTest::newRow("origin") << QRect(0, 0, 800, 600) << QSize(200, 101) << QPoint(300, 250);
    QTest::newRow("task bar left") << QRect(60, 0, 740, 600) << QSize(200, 100) << QPoint(330, 250);
    QTest::newRow("task bar top") << QRect(0, 40, 800, 560) << QSize(200, 100) << QPoint(300, 270);
    QTest::newRow("larger than area")
        << QRect(0, 0, 800, 600) << QSize(1000, 700) << QPoint(-100, -50);
}

void tst_QUIHelper::centeredPos()
{
    QFETCH(QRect, area);
    QFETCH(QSize, size);
    QFETCH(QPoint, expected);
    QCOMPARE(QUIHelper::centeredPos(area, size), expected);
}

void tst_QUIHelper::centerOnScreen()
{
    QWidget widget;
    widget.resize(300, 200);
    QUIHelper::centerOnScreen(&widget);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(widget.pos(),
             QPoint(area.x() + area.width() / 2 - 150, area.y() + area.height() / 2 - 100));
}

void tst_QUIHelper::readQssColors_data()
{
    QTest::addColumn<QString>("qss");
    QTest::addColumn<QStringList>("expected");

    const QString full = "QPalette{background:#CFDDEE;}\n/*TextColor:#324C6C*/\n"
                         "/*PanelColor:#CFDDEE*/\n/*BorderColor:#7F9AB8*/\n"
                         "/*NormalColorStart:#C0D3EB*/\n/*NormalColorEnd:#BCCFE7*/\n"
                         "/*DarkColorStart:#D2E3F5*/\n/*DarkColorEnd:#CADDF3*/\n"
                         "/*HighColor:#00BB9E*/\n";
    const QStringList fullColors = {"#324C6C", "#CFDDEE", "#7F9AB8", "#C0D3EB",
                                    "#BCCFE7", "#D2E3F5", "#CADDF3", "#00BB9E"};
    QTest::newRow("all keys") << full << fullColors;

    QStringList noHigh = fullColors;
    noHigh[7] = "old7";
    QTest::newRow("no high colour") << QString(full).remove("/*HighColor:#00BB9E*/") << noHigh;

    QStringList atEnd = QStringList{"old0", "old1", "old2", "old3", "old4", "old5", "old6"};
    QTest::newRow("key at the end") << "HighColor:#00B" << (atEnd << "#00B");
    QTest::newRow("key as the last text")
        << "x/*HighColor:"
        << QStringList{"old0", "old1", "old2", "old3", "old4", "old5", "old6", ""};

    QStringList twice = fullColors;
    twice[0] = "#111111";
    QTest::newRow("first occurrence wins") << "TextColor:#111111 " + full << twice;

    QTest::newRow("lower case key")
        << "textcolor:#123456"
        << QStringList{"old0", "old1", "old2", "old3", "old4", "old5", "old6", "old7"};
}

void tst_QUIHelper::readQssColors()
{
    QFETCH(QString, qss);
    QFETCH(QStringList, expected);

    QStringList out;
    for (int i = 0; i < 8; ++i)
        out << QStringLiteral("old%1").arg(i);
    QUIHelper::readQssColors(qss, out[0], out[1], out[2], out[3], out[4], out[5], out[6], out[7]);
    QCOMPARE(out, expected);
}

void tst_QUIHelper::setStyleByNumber_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("palette");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("normalEnd");

    QTest::newRow("blue") << 1 << "#CFDDEE"
                          << "#324C6C"
                          << "#BCCFE7";
    QTest::newRow("flat blue") << 13 << "#EAF7FF"
                               << "#386487"
                               << "#DEF0FE";
    QTest::newRow("17 is light blue") << 17 << "#EAF7FF"
                                      << "#386487"
                                      << "#C0DEF6";
    QTest::newRow("-1 is light blue") << -1 << "#EAF7FF"
                                      << "#386487"
                                      << "#C0DEF6";
    QTest::newRow("purple") << 14 << "#23253E"
                            << "#9290C6"
                            << "#2D2E4D";
}

void tst_QUIHelper::setStyleByNumber()
{
    QFETCH(int, number);
    QFETCH(QString, palette);
    QFETCH(QString, text);
    QFETCH(QString, normalEnd);

    QVERIFY(QFile::exists(":/qss/blue.css"));

    qApp->setStyleSheet(QString());
    g_textColor = g_normalColorEnd = QStringLiteral("#F0F0F0");
    QUIHelper::setStyleByNumber(number);

    QCOMPARE(g_textColor, text);
    QCOMPARE(g_normalColorEnd, normalEnd);
    QCOMPARE(qApp->palette().color(QPalette::Button).name().toUpper(), palette);
    QVERIFY(qApp->styleSheet().startsWith("QPalette{background:" + palette));
}

void tst_QUIHelper::askQuestion_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");

    QTest::newRow("ok") << "btnOk" << int(QMessageBox::Yes);
    QTest::newRow("cancel") << "btnCancel" << int(QMessageBox::No);
    QTest::newRow("title close") << "btnMenu_Close" << int(QMessageBox::No);
    QTest::newRow("escape") << QString() << 0;
}

void tst_QUIHelper::askQuestion()
{
    QFETCH(QString, button);
    QFETCH(int, result);

    QString shownTitle;
    ModalBox::whenShown<QUIMessageBox>([&shownTitle, button](QUIMessageBox *box) {
        shownTitle = box->windowTitle();
        if (button.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        auto *target = box->findChild<QPushButton *>(button);
        QVERIFY(target && target->isVisible());
        QTest::mouseClick(target, Qt::LeftButton);
    });
    QCOMPARE(QUIHelper::askQuestion(QStringLiteral("确认退出Kestrane？")), result);
    QCOMPARE(shownTitle, QStringLiteral("询问"));
}

void tst_QUIHelper::askInput_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("defaultValue");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("expected");

    QTest::newRow("line ok") << 0 << "abc"
                             << "btnOk"
                             << "abc";
    QTest::newRow("line cancel") << 0 << "abc"
                                 << "btnCancel"
                                 << "";
    QTest::newRow("line title close") << 0 << "abc"
                                      << "btnMenu_Close"
                                      << "";
    QTest::newRow("line escape") << 0 << "abc"
                                 << ""
                                 << "";
    QTest::newRow("combo ok") << 1 << "1号车厢|2号车厢"
                              << "btnOk"
                              << "1号车厢";
    QTest::newRow("combo cancel") << 1 << "1号车厢|2号车厢"
                                  << "btnCancel"
                                  << "";
}

void tst_QUIHelper::askInput()
{
    QFETCH(int, type);
    QFETCH(QString, defaultValue);
    QFETCH(QString, button);
    QFETCH(QString, expected);

    bool shown = false;
    ModalBox::whenShown<QUIInputBox>([&shown, button](QUIInputBox *box) {
        shown = true;
        if (button.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        QTest::mouseClick(box->findChild<QPushButton *>(button), Qt::LeftButton);
    });
    QCOMPARE(QUIHelper::askInput("请选择", type, 0, QString(), false, defaultValue), expected);
    QVERIFY(shown);
}

QTEST_MAIN(tst_QUIHelper)
#include "tst_quihelper.moc"
