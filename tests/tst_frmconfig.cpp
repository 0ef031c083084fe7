#include <QtTest>

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>

#include "app/appinit.h"
#include "app/frmconfig.h"
#include "app/frmconfigbasic.h"
#include "common/appstate.h"
#include "config/frmexcelshow.h"
#include "support/filebytes.h"
#include "support/filesizelimit.h"
#include "support/messagecapture.h"
#include "support/themesheets.h"

#include <sys/stat.h>

namespace {

QString editText(QWidget *page, const char *name)
{
    auto *edit = page->findChild<QLineEdit *>(QLatin1String(name));
    return edit ? edit->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

} // namespace

class tst_FrmConfig : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void loadFillsPageAndState();
    void logFolderMadeWhereTheLoggerWrites();
    void missingFileGivesEmptyValues();
    void saveWritesExactlyEightKeys();
    void pastedLineBreakStaysInItsField();
    void failedSaveIsReported_data();
    void failedSaveIsReported();
    void logBoxSendsItsState();
    void sectionSwitchesWithoutGuards();
    void setButtonKeepsFormSize_data();
    void setButtonKeepsFormSize();

private:
    QTemporaryDir *m_dir = nullptr;
    QStringList m_appFolders; // relative folders the page creates under the program's folder
};

void tst_FrmConfig::init()
{
    m_dir = new QTemporaryDir;
    g_iniFilePath = m_dir->filePath(QStringLiteral("Kestrane.ini"));
    g_httpBaseUrl.clear();
    g_minioEndpoint.clear();
    g_tmpDir.clear();
    g_logFileDir.clear();
}

void tst_FrmConfig::cleanup()
{
    for (const QString &folder : qAsConst(m_appFolders))
        QDir(QCoreApplication::applicationDirPath() + QLatin1Char('/') + folder)
            .removeRecursively();
    m_appFolders.clear();
    // A theme one test applied must not style the next, also after a failure.
    qApp->setStyleSheet(QString());
    m_dir->setAutoRemove(!QTest::currentTestFailed());
    delete m_dir;
}

void tst_FrmConfig::loadFillsPageAndState()
{
    const QString craft = m_dir->filePath(QStringLiteral("craft/data"));
    const QString tmp = m_dir->filePath(QStringLiteral("tmp"));
    m_appFolders << QStringLiteral("tst_cfg_logs");
    FileBytes::write(g_iniFilePath, "; operator notes\n[Http]\nip = 10.0.0.5\nport=8080\n"
                                    "[Path]\ncraftDataDir=" +
                                        craft.toUtf8() + "\ntmpDir=" + tmp.toUtf8() +
                                        "\nlogFileDir=tst_cfg_logs\n"
                                        "[Minio]\nip=10.0.0.6\nport=\nbukeName=zaravazez\n");
    const QString oldCwd = QDir::currentPath();
    QDir::setCurrent(m_dir->path());
    FrmConfigBasic page;
    QDir::setCurrent(oldCwd);

    QCOMPARE(editText(&page, "le_http_ip"), QStringLiteral("10.0.0.5"));
    QCOMPARE(editText(&page, "le_http_port"), QStringLiteral("8080"));
    QCOMPARE(editText(&page, "le_craftdata_dir"), craft);
    QCOMPARE(editText(&page, "le_tmp_dir"), tmp);
    QCOMPARE(editText(&page, "le_log_dir"), QStringLiteral("tst_cfg_logs"));
    QCOMPARE(editText(&page, "le_minio_ip"), QStringLiteral("10.0.0.6"));
    // A key with nothing after "=" reads as missing.
    QCOMPARE(editText(&page, "le_minio_port"), QString());
    QCOMPARE(editText(&page, "le_minio_bukeName"), QStringLiteral("zaravazez"));

    QCOMPARE(g_httpBaseUrl, QStringLiteral("http://10.0.0.5:8080"));
    QCOMPARE(g_minioEndpoint, QStringLiteral("10.0.0.6:"));
    QCOMPARE(g_tmpDir, tmp);
    QCOMPARE(g_logFileDir, QStringLiteral("tst_cfg_logs"));
    // The relative log folder goes under the program's folder, not the working folder.
    QVERIFY(
        QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/tst_cfg_logs")).exists());
    QVERIFY(!QDir(m_dir->filePath(QStringLiteral("tst_cfg_logs"))).exists());
    QVERIFY(QDir(craft).exists());
    QVERIFY(!QDir(tmp).exists());
}

void tst_FrmConfig::logFolderMadeWhereTheLoggerWrites()
{
    // The working folder already holds a folder of that name; the program's does not.
    m_appFolders << QStringLiteral("tst_cfg_logs2");
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("tst_cfg_logs2")));
    FileBytes::write(g_iniFilePath, "[Path]\nlogFileDir=tst_cfg_logs2\n");
    const QString oldCwd = QDir::currentPath();
    QDir::setCurrent(m_dir->path());
    FrmConfigBasic page;
    QDir::setCurrent(oldCwd);
    QCOMPARE(g_logFileDir, QStringLiteral("tst_cfg_logs2"));
    QVERIFY(
        QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/tst_cfg_logs2")).exists());
}

void tst_FrmConfig::missingFileGivesEmptyValues()
{
    const QStringList before = QDir(QCoreApplication::applicationDirPath()).entryList();
    FrmConfigBasic page;
    for (const char *name : {"le_http_ip", "le_http_port", "le_craftdata_dir", "le_tmp_dir",
                             "le_log_dir", "le_minio_ip", "le_minio_port", "le_minio_bukeName"})
        QCOMPARE(editText(&page, name), QString());
    QCOMPARE(g_httpBaseUrl, QStringLiteral("http://:"));
    QCOMPARE(g_minioEndpoint, QStringLiteral(":"));
    QCOMPARE(QDir(QCoreApplication::applicationDirPath()).entryList(), before);
}

void tst_FrmConfig::saveWritesExactlyEightKeys()
{
    FileBytes::write(g_iniFilePath,
                     "; dropped\n[Http]\nip=1.2.3.4\nport=80\nextra=gone\n"
                     "[Other]\nk=v\n[Minio]\nip=@String( 5.6.7.8 )\nport=9005\nbukeName=b\n");
    FrmConfigBasic page;
    page.findChild<QLineEdit *>(QStringLiteral("le_http_port"))->setText(QStringLiteral("8081"));
    page.findChild<QLineEdit *>(QStringLiteral("le_minio_bukeName"))->clear();
    const QString before = g_httpBaseUrl;
    QTest::mouseClick(page.findChild<QPushButton *>(QStringLiteral("pb_set")), Qt::LeftButton);

    const QByteArray expected = "[Http]\nip=1.2.3.4\nport=8081\n"
                                "[Path]\ncraftDataDir=\ntmpDir=\nlogFileDir=\n"
                                "[Minio]\nip=@String( 5.6.7.8 )\nport=9005\nbukeName=\n";
    QCOMPARE(FileBytes::read(g_iniFilePath), expected);
    // Takes effect at the next start only.
    QCOMPARE(g_httpBaseUrl, before);

    page.saveIniFile();
    QCOMPARE(FileBytes::read(g_iniFilePath), expected);

    // Read back at the next start: the emptied value stays empty.
    FrmConfigBasic next;
    QCOMPARE(editText(&next, "le_http_port"), QStringLiteral("8081"));
    QCOMPARE(editText(&next, "le_minio_bukeName"), QString());
    QCOMPARE(editText(&next, "le_minio_ip"), QStringLiteral(" 5.6.7.8 "));
}

void tst_FrmConfig::pastedLineBreakStaysInItsField()
{
    const QString logs = m_dir->filePath(QStringLiteral("logs"));
    FileBytes::write(g_iniFilePath, "[Http]\nip=1.2.3.4\nport=80\n[Path]\ncraftDataDir=\n"
                                    "tmpDir=/data/t1\nlogFileDir=" +
                                        logs.toUtf8() + "\n[Minio]\nip=5.6.7.8\n");
    FrmConfigBasic page;
    page.show();
    auto *tmp = page.findChild<QLineEdit *>(QStringLiteral("le_tmp_dir"));
    const QString pasted = QStringLiteral("/data/t2\nlogFileDir=/data/injected");
    tmp->selectAll();
    QGuiApplication::clipboard()->setText(pasted);
    tmp->setFocus();
    QTest::keyClick(tmp, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(tmp->text(), pasted);
    QTest::mouseClick(page.findChild<QPushButton *>(QStringLiteral("pb_set")), Qt::LeftButton);

    // One line per key: the pasted text stays inside its value.
    QCOMPARE(FileBytes::read(g_iniFilePath).count('\n'), 11);
    FrmConfigBasic next;
    QCOMPARE(editText(&next, "le_tmp_dir"), pasted);
    QCOMPARE(editText(&next, "le_log_dir"), logs);
    QCOMPARE(editText(&next, "le_http_ip"), QStringLiteral("1.2.3.4"));
    QCOMPARE(editText(&next, "le_minio_ip"), QStringLiteral("5.6.7.8"));
    QCOMPARE(g_logFileDir, logs);
    QCOMPARE(g_tmpDir, pasted);
}

void tst_FrmConfig::failedSaveIsReported_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason"); // in the one critical message, unless "written"
    const char *const rows[][2] = {{"written", ""},
                                   {"folder is a file", "无法创建文件夹"},
                                   {"directory", "不是普通文件"},
                                   {"fifo", "不是普通文件"},
                                   {"disk full", ""}};
    for (const auto &row : rows)
        QTest::newRow(row[0]) << QString::fromUtf8(row[0]) << QString::fromUtf8(row[1]);
}

void tst_FrmConfig::failedSaveIsReported()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    const QByteArray old("[Http]\nip=1.2.3.4\n");
    if (kind == QLatin1String("folder is a file")) {
        FileBytes::write(m_dir->filePath(QStringLiteral("file")), "x");
        g_iniFilePath = m_dir->filePath(QStringLiteral("file/Kestrane.ini"));
    } else if (kind == QLatin1String("directory")) {
        QVERIFY(QDir().mkpath(g_iniFilePath));
    } else if (kind == QLatin1String("fifo")) {
        QCOMPARE(mkfifo(QFile::encodeName(g_iniFilePath).constData(), 0600), 0);
    } else {
        FileBytes::write(g_iniFilePath, old);
    }
    FrmConfigBasic page;
    auto *ip = page.findChild<QLineEdit *>(QStringLiteral("le_http_ip"));
    ip->setText(QStringLiteral("10.9.8.7"));
    const QString before = g_httpBaseUrl;
    MessageCapture capture;
    {
        const FileSizeLimit full(kind == QLatin1String("disk full") ? 20 : RLIM_INFINITY);
        QTest::mouseClick(page.findChild<QPushButton *>(QStringLiteral("pb_set")), Qt::LeftButton);
    }
    const QStringList criticals = capture.texts(QtCriticalMsg);
    const bool written = kind == QLatin1String("written");
    QCOMPARE(criticals.size(), int(!written));
    for (const QString &text : criticals)
        QVERIFY2(text.startsWith(QStringLiteral("设置文件保存失败：") + g_iniFilePath + "：") &&
                     text.contains(reason),
                 qPrintable(text));
    if (written)
        QVERIFY(FileBytes::read(g_iniFilePath).startsWith("[Http]\nip=10.9.8.7\n"));
    else if (kind == QLatin1String("disk full"))
        QCOMPARE(FileBytes::read(g_iniFilePath), old);
    else
        QVERIFY(!QFileInfo(g_iniFilePath).isFile());
    // The page keeps what was typed, nothing else changes and no box comes up.
    QCOMPARE(ip->text(), QStringLiteral("10.9.8.7"));
    QCOMPARE(g_httpBaseUrl, before);
    QVERIFY(!QApplication::activeModalWidget());
}

void tst_FrmConfig::logBoxSendsItsState()
{
    FrmConfigBasic page;
    auto *box = page.findChild<QCheckBox *>(QStringLiteral("ck_log"));
    QVERIFY(box->isChecked());
    QSignalSpy spy(&page, &FrmConfigBasic::showhideLog);
    box->click();
    box->click();
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).toInt(), 0);
    QCOMPARE(spy.at(1).at(0).toInt(), 2);
}

void tst_FrmConfig::sectionSwitchesWithoutGuards()
{
    g_isLoggedIn = false;
    g_allowLeave = false;
    frmConfig *section = frmConfig::Instance();
    QVERIFY(section);
    const QList<QPushButton *> buttons = section->buttons();
    QCOMPARE(buttons.size(), 2);
    QCOMPARE(buttons.at(0)->text(), QStringLiteral("基 本 设 置  "));
    QCOMPARE(buttons.at(1)->text(), QStringLiteral("八 级 编 码  "));
    QCOMPARE(section->currentPage(), FrmConfigBasic::Instance());
    QVERIFY(buttons.at(0)->isChecked());

    section->show();
    for (QPushButton *b : buttons)
        QVERIFY(b->isVisible());
    QTest::mouseClick(buttons.at(1), Qt::LeftButton);
    QCOMPARE(section->currentPage(), FrmExcelShow::Instance());
    QVERIFY(buttons.at(1)->isChecked());
    QVERIFY(!buttons.at(0)->isChecked());
    QTest::mouseClick(buttons.at(0), Qt::LeftButton);
    QCOMPARE(section->currentPage(), FrmConfigBasic::Instance());
    QVERIFY(!buttons.at(1)->isChecked());
    QVERIFY(!buttons.at(0)->icon().isNull());
    g_allowLeave = true;
}

void tst_FrmConfig::setButtonKeepsFormSize_data()
{
    ThemeSheets::addRows();
}

// The themes style every button, but the form's minimum size of 设置 stays.
void tst_FrmConfig::setButtonKeepsFormSize()
{
    QFETCH(QString, sheet);
    AppInit::Instance()->initStyle(sheet);
    FrmConfigBasic page;
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    auto *button = page.findChild<QPushButton *>(QStringLiteral("pb_set"));
    QVERIFY(button);
    QCOMPARE(button->minimumSize(), QSize(111, 91));
    QVERIFY2(button->height() >= 91, qPrintable(QString::number(button->height())));
}

QTEST_MAIN(tst_FrmConfig)
#include "tst_frmconfig.moc"
