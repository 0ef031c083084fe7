#include <QtTest>

#include <QAction>
#include <QElapsedTimer>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTextEdit>
#include <QWindow>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <sys/stat.h>

#include "app/frmmain.h"
#include "app/startup.h"
#include "common/appstate.h"
#include "common/easyini.h"
#include "common/savelog.h"
#include "support/filebytes.h"
#include "support/filesizelimit.h"
#include "support/logfiles.h"
#include "support/modalbox.h"
#include "support/packedbytes.h"
#include "support/peakmemory.h"
#include "support/xserver.h"
#include "widgets/trayicon.h"

namespace {

// The child runs the program's own start-up with a driver scheduled from the application
// object's construction, as an operator would use it.
const char kDriveFlag[] = "--drive";
QString g_scenario;
int g_questions = 0;

QString marker(const QString &scenario)
{
    return QStringLiteral("last entry before exit: ") + scenario;
}

void say(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

using PackedBytes::crc32;
using PackedBytes::word;

QByteArray pngChunk(const QByteArray &type, const QByteArray &data)
{
    return word(data.size()) + type + data + word(crc32(type + data));
}

// A square PNG of zeros, grey or RGBA, at 8 or 16 bits; Adam7's passes have 15/8 as many rows.
QByteArray blankPng(int side, int depth, int colourType, int interlace, const QByteArray &more = {})
{
    const int rows = interlace ? side * 15 / 8 : side;
    const QByteArray scanlines(side * side * (colourType == 6 ? 4 : 1) * depth / 8 + rows, 0);
    const char header[] = {char(depth), char(colourType), 0, 0, char(interlace)};
    return "\x89PNG\r\n\x1a\n" + pngChunk("IHDR", word(side) + word(side) + QByteArray(header, 5)) +
           more + pngChunk("IDAT", qCompress(scanlines).mid(4)) + pngChunk("IEND", {});
}

// A grey progressive JPEG of 2896 x 2896 whose AC scan of a few bytes (four runs of empty
// blocks cover the picture) is repeated to fill 4 MB.
QByteArray manyScanJpeg()
{
    const QByteArray head = QByteArray("\xff\xd8\xff\xdb\0\x43\0", 7) + QByteArray(64, 1) +
                            QByteArray("\xff\xc2\0\x0b\x08\x0b\x50\x0b\x50\x01\x01\x11\0", 13) +
                            QByteArray("\xff\xc4\0\x14\x10\x01", 6) + QByteArray(15, 0) + "\xe0";
    const QByteArray scan(
        "\xff\xda\0\x08\x01\x01\0\x01\x3f\0\x7f\xfe\xff\0\xfd\xff\0\xfb\xff\0\xff\0", 22);
    return head + scan.repeated((4 << 20) / scan.size() - 10) + "\xff\xd9";
}

// A few kilobytes each, hundreds of megabytes once inflated or decoded whole, or 4 MB costing
// minutes of decoding: "svgz", "ico", "ztxt", "bomb", "scans", "over 4 MiB", or
// "png <side> <depth> <colour type> <interlace>".
QByteArray heavyLogo(const QString &kind)
{
    const QStringList png = kind.split(QLatin1Char(' '));
    if (png.size() == 5)
        return blankPng(png[1].toInt(), png[2].toInt(), png[3].toInt(), png[4].toInt());
    if (kind == QLatin1String("bomb")) { // 60 x 60 RGBA: 14,460 bytes of rows; 64 MiB inflated
        const char header[] = {8, 6, 0, 0, 0};
        return "\x89PNG\r\n\x1a\n" + pngChunk("IHDR", word(60) + word(60) + QByteArray(header, 5)) +
               pngChunk("IDAT", qCompress(QByteArray(64 << 20, '\0')).mid(4)) +
               pngChunk("IEND", {});
    }
    if (kind == QLatin1String("scans"))
        return manyScanJpeg();
    if (kind == QLatin1String("over 4 MiB"))
        return blankPng(60, 8, 6, 0).leftJustified((4 << 20) + 1, '\0');
    if (kind == QLatin1String("ztxt")) {
        const QByteArray text = qCompress(QByteArray(1 << 20, 'a')).mid(4);
        return blankPng(60, 8, 6, 0,
                        pngChunk("zTXt", QByteArray("Comment\0\0", 9) + text).repeated(100));
    }
    if (kind == QLatin1String("ico")) { // listed as 16 x 16
        const QByteArray inner = blankPng(8192, 8, 0, 0);
        return QByteArray("\0\0\1\0\1\0\x10\x10\0\0\1\0\x20\0", 14) + word(inner.size(), true) +
               word(22, true) + inner;
    }
    const QByteArray svg =
        R"(<svg xmlns="http://www.w3.org/2000/svg" width="60" height="60"><!--)" +
        QByteArray(32 << 20, 'x') + "--></svg>";
    return PackedBytes::gzip(svg);
}

quint32 peakKb(const QString &out)
{
    return out.section(QStringLiteral("peak kB "), 1).section(QLatin1Char('\n'), 0, 0).toUInt();
}

frmMain *shownMainWindow()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *window = qobject_cast<frmMain *>(widget);
        if (window && window->isVisible())
            return window;
    }
    return nullptr;
}

// Once the question box is up: runs next, then clicks the named button.
void answer(const QString &buttonName, std::function<void()> next)
{
    ModalBox::whenShown([=](QWidget *box) {
        ++g_questions;
        next();
        box->findChild<QPushButton *>(buttonName)->click();
    });
}

void triggerTrayExit()
{
    QMenu *menu = TrayIcon::Instance()->findChild<QSystemTrayIcon *>()->contextMenu();
    for (QAction *action : menu->actions()) {
        if (action->text() == QStringLiteral("退出")) {
            qWarning().noquote() << marker(g_scenario);
            action->trigger();
        }
    }
}

void drive()
{
    frmMain *window = shownMainWindow();
    if (!window) {
        QTimer::singleShot(10, drive);
        return;
    }
    auto *close = window->findChild<QPushButton *>(QStringLiteral("btnMenu_Close"));
    if (g_scenario == QLatin1String("tray")) {
        triggerTrayExit();
    } else if (g_scenario == QLatin1String("look")) {
        // The logo shown and how often the panel tells of refused settings.
        const QLabel *label = window->findChild<QLabel *>(QStringLiteral("labLogoBg"));
        const QPixmap logo = label->pixmap(Qt::ReturnByValue);
        say(!logo.isNull() ? QStringLiteral("logo %1x%2").arg(logo.width()).arg(logo.height())
                           : QStringLiteral("logo ") + label->text());
        const QString panel =
            window->findChild<QTextEdit *>(QStringLiteral("txtMain"))->toPlainText();
        say(QStringLiteral("panel %1")
                .arg(panel.count(QStringLiteral("设置文件未读取")) +
                     panel.count(QStringLiteral("图标未显示"))));
        say(QStringLiteral("peak kB %1").arg(PeakMemory::kib()));
        triggerTrayExit();
    } else if (g_scenario == QLatin1String("display")) {
        // The parent takes the display away now.
        qWarning().noquote() << marker(g_scenario);
        say(QStringLiteral("shown"));
    } else if (g_scenario == QLatin1String("window")) {
        answer(QStringLiteral("btnOk"), [] { qWarning().noquote() << marker(g_scenario); });
        window->windowHandle()->close();
    } else if (g_scenario == QLatin1String("confirm")) {
        // A settings change not yet saved: it must reach the file on the way out.
        EasyIni::Instance()->load(g_iniFilePath, EasyIni::ReadWrite);
        EasyIni::Instance()->setValue(QStringLiteral("Exit"), QStringLiteral("pending"),
                                      QStringLiteral("written"));
        answer(QStringLiteral("btnOk"), [] { qWarning().noquote() << marker(g_scenario); });
        close->click();
    } else {
        answer(QStringLiteral("btnCancel"), [] {});
        close->click();
        if (window->isVisible())
            say(QStringLiteral("shown after decline"));
        qWarning().noquote() << marker(g_scenario);
        QCoreApplication::quit();
    }
}

int runDrivenProgram(int argc, char **argv)
{
    g_scenario = QString::fromLatin1(argv[2]);
    std::unique_ptr<FileSizeLimit> limit;
    if (argc >= 4) {
        limit = std::make_unique<FileSizeLimit>(std::strtoull(argv[3], nullptr, 10));
        // Back at its default the signal kills: only the program itself may keep it from that.
        std::signal(SIGXFSZ, SIG_DFL);
    }
    qAddPreRoutine([] { QTimer::singleShot(0, drive); });
    const int code = startKestrane(argc, argv);
    const int left = (frmMain::Instance() ? 1 : 0) + (SaveLog::Instance() ? 1 : 0) +
                     (EasyIni::Instance() ? 1 : 0) + (TrayIcon::Instance() ? 1 : 0);
    say(QStringLiteral("questions %1, instances left %2").arg(g_questions).arg(left));
    return code;
}

} // namespace

class tst_Startup : public QObject
{
    Q_OBJECT

private slots:
    void everyExitEndsCleanly_data();
    void everyExitEndsCleanly();
};

void tst_Startup::everyExitEndsCleanly_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QStringList>("output");
    QTest::addColumn<bool>("settingsWritten");
    QTest::addColumn<int>("fileLimit");   // bytes per file the child may write; 0: no limit
    QTest::addColumn<QString>("planted"); // what lies in the program's folder as it starts
    QTest::addColumn<QString>("told");    // once on stderr and in the log; %1 the folder
    const QString asked = QStringLiteral("questions 1, instances left 0");
    const QString trayExit = QStringLiteral("questions 0, instances left 0");
    const QString noLogo = QStringLiteral("logo \ue513");
    const QString today = QStringLiteral("%1/logs/Kestrane_log_") +
                          QDate::currentDate().toString("yyyy-MM-dd") + QStringLiteral(".log");
    const auto row = [](const char *name, const char *scenario, const QStringList &output,
                        const QString &planted = {}, const QString &told = {}, int fileLimit = 0,
                        bool settingsWritten = false) {
        QTest::newRow(name) << scenario << output << settingsWritten << fileLimit << planted
                            << told;
    };
    // The logo shown, with icon.png planted as described; a refused one named with its cause.
    const auto logo = [&](const char *name, const QString &shown, const QString &planted,
                          const QString &cause = {}) {
        row(name, "look", {shown, cause.isEmpty() ? "panel 0" : "panel 1", trayExit},
            "icon " + planted, cause.isEmpty() ? cause : "图标未显示：%1/icon.png：" + cause);
    };
    const auto tooLarge = [](const char *format) {
        return QStringLiteral("%1 图片的尺寸超出限度").arg(QLatin1String(format));
    };
    row("close button, 确定", "confirm", {asked}, {}, {}, 0, true);
    row("tray 退出", "tray", {trayExit});
    row("取消, then quit", "decline", {"shown after decline", asked});
    // Below the size of the first log entry and of the saved settings: both writes fail, and
    // the log holds no torn entry.
    row("file-size limit, 确定", "confirm", {asked}, {}, "日志写入失败，日志不会保存：" + today,
        30);
    // Qt ends the process with exit(1) under the live application: no window is destroyed.
    row("display goes away", "display", {"shown"});
    row("window system close, 确定", "window", {asked});
    logo("icon.png a picture", "logo 60x30", "120x60");
    logo("icon.png too large", noLogo, "5000x5000", tooLarge("PNG"));
    // Peak memory within 50 MB, start-up within seconds of a start without the file.
    const QString neither = QStringLiteral("既不是 PNG 也不是 JPEG");
    logo("icon.png a gzip-compressed SVG", noLogo, "svgz", neither);
    logo("icon.png an ICO holding a large PNG", noLogo, "ico", neither);
    logo("icon.png 16-bit 4096 x 4096", noLogo, "png 4096 16 0 0", tooLarge("PNG"));
    logo("icon.png interlaced 4096 x 4096", noLogo, "png 4096 8 6 1", tooLarge("PNG"));
    logo("icon.png with 100 MB of compressed text", "logo 60x60", "ztxt");
    logo("icon.png a FIFO", noLogo, "fifo", "不是普通文件");
    logo("icon.png over 4 MiB", noLogo, "over 4 MiB", "超过 4194304 字节");
    logo("icon.png a JPEG of 190,000 scans", noLogo, "scans", "JPEG 的扫描多于 100 个");
    logo("icon.png a PNG inflating past its rows", noLogo, "bomb",
         "PNG 的图像数据解压后超出其尺寸所需");
    // Refused without waiting for a reader; the program goes on to its ordinary end.
    row("FIFO as today's log file, tray 退出", "tray", {trayExit}, "log fifo",
        "日志文件无法打开，日志不会保存：" + today);
    // Told on stderr at once, in the panel and the log once the logger runs.
    row("settings file a folder", "look", {noLogo, "panel 1", trayExit}, "ini folder",
        "设置文件未读取：%1/Kestrane.ini");
}

void tst_Startup::everyExitEndsCleanly()
{
    QFETCH(QString, scenario);
    QFETCH(QStringList, output);
    QFETCH(bool, settingsWritten);
    QFETCH(int, fileLimit);
    QFETCH(QString, planted);
    QFETCH(QString, told);

    // A copy of this binary under the program's name, with its own settings file beside it.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    dir.setAutoRemove(!QTest::currentTestFailed());
    told.replace(QLatin1String("%1"), dir.path());
    const QString program = dir.filePath(QStringLiteral("Kestrane"));
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), program));
    const QString ini = dir.filePath(QStringLiteral("Kestrane.ini"));
    const bool iniFolder = planted == QLatin1String("ini folder");
    if (iniFolder)
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Kestrane.ini")));
    else
        FileBytes::write(ini, "[Path]\r\nlogFileDir=logs\r\n");
    // Settings refused: no log folder was read, the log lies beside the program.
    const QDir logs(iniFolder ? dir.path() : dir.filePath(QStringLiteral("logs")));
    const QString iconPath = dir.filePath(QStringLiteral("icon.png"));
    const QString today = logs.filePath(
        QStringLiteral("Kestrane_log_%1.log").arg(QDate::currentDate().toString("yyyy-MM-dd")));
    // The peak memory and the time of a start without the logo, for comparison; taken once.
    static quint32 startWithoutLogo = 0;
    static qint64 msWithoutLogo = 0;
    const bool logoRow = planted.startsWith(QLatin1String("icon "));
    if (logoRow && !startWithoutLogo) {
        QProcess plain;
        QElapsedTimer timer;
        timer.start();
        plain.start(program, {QLatin1String(kDriveFlag), QStringLiteral("look")});
        QVERIFY(plain.waitForFinished(120000));
        msWithoutLogo = timer.elapsed();
        startWithoutLogo = peakKb(QString::fromUtf8(plain.readAllStandardOutput()));
        QVERIFY(startWithoutLogo > 0);
    }
    const quint32 withoutLogo = logoRow ? startWithoutLogo : 0;
    if (planted.endsWith(QLatin1String(" fifo"))) {
        QVERIFY(logs.mkpath(QStringLiteral(".")));
        const QString path = planted.startsWith(QLatin1String("icon")) ? iconPath : today;
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (planted.startsWith(QLatin1String("icon ")) && planted.at(5).isDigit()) {
        // One bit a pixel: cheap to write here, a hundred megabytes once decoded whole.
        const QStringList side = planted.mid(5).split(QLatin1Char('x'));
        QImage image(side.at(0).toInt(), side.at(1).toInt(), QImage::Format_Mono);
        image.fill(0);
        QVERIFY(image.save(iconPath, "PNG"));
    } else if (planted.startsWith(QLatin1String("icon "))) {
        FileBytes::write(iconPath, heavyLogo(planted.mid(5)));
    }

    QProcess child;
    QStringList arguments{QLatin1String(kDriveFlag), scenario};
    if (fileLimit > 0)
        arguments << QString::number(fileLimit);
    const bool display = scenario == QLatin1String("display");
    std::unique_ptr<XServer> xserver;
    if (display) {
        xserver = std::make_unique<XServer>();
        QVERIFY2(!xserver->display().isEmpty(), "Xvfb is missing (scripts/deps.sh installs it)");
        child.setProcessEnvironment(xserver->environment());
    }
    QElapsedTimer timer;
    timer.start();
    child.start(program, arguments);
    if (display) {
        QTRY_VERIFY_WITH_TIMEOUT(child.canReadLine(), 60000);
        xserver->stop();
    }
    QVERIFY(child.waitForFinished(120000));
    // A generous bound: a slow decode took minutes.
    QVERIFY2(!logoRow || timer.elapsed() < msWithoutLogo + 5000, qPrintable(planted));
    const QByteArray errors = child.readAllStandardError();
    const QString out = QString::fromUtf8(child.readAllStandardOutput());
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QVERIFY2((child.exitCode() == 0) != display, errors.constData());
    QCOMPARE(errors.count("在运行中被结束"), int(display));
    QVERIFY2(!errors.contains("runtime error"), errors.constData());
    QVERIFY2(!withoutLogo || peakKb(out) <= withoutLogo + 50 * 1024, qPrintable(out));
    QStringList lines = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    lines.removeAll(QStringLiteral("peak kB %1").arg(peakKb(out)));
    QCOMPARE(lines, output);
    if (!told.isEmpty())
        QCOMPARE(QString::fromUtf8(errors).count(told), 1);
    // A logo shown or missing is not named.
    QCOMPARE(errors.count("图标未显示"), int(told.contains(QStringLiteral("图标未显示"))));

    const QStringList logNames = LogFiles::list(logs.path());
    QCOMPARE(logNames.size(), planted == QLatin1String("log fifo") ? 0 : 1);
    if (fileLimit > 0) {
        QCOMPARE(FileBytes::read(logs.filePath(logNames.first())), QByteArray());
    } else if (!logNames.isEmpty()) {
        // Whole CRLF entries; the offscreen platform's own noise may follow, written while
        // the windows go.
        QStringList entries = LogFiles::entries(logs.filePath(logNames.first()));
        if (!told.isEmpty())
            QCOMPARE(entries.filter(told).size(), 1);
        while (!entries.isEmpty() &&
               (entries.last().contains("does not support propagateSizeHints") ||
                (display && entries.last().contains("X11 connection broke"))))
            entries.removeLast();
        QVERIFY(!entries.isEmpty());
        QVERIFY2(entries.last().contains(marker(scenario)), qPrintable(entries.last()));
    }

    // A save that failed left the settings as they were.
    if (!iniFolder) {
        const QByteArray settings = FileBytes::read(ini);
        QVERIFY2(settings.contains("logFileDir=logs"), settings.constData());
        QCOMPARE(settings.contains("pending=written"), settingsWritten);
    }
}

int main(int argc, char **argv)
{
    if (argc >= 3 && qstrcmp(argv[1], kDriveFlag) == 0)
        return runDrivenProgram(argc, argv);
    QCoreApplication app(argc, argv);
    tst_Startup test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
