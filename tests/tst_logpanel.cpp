#include <QtTest>

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTemporaryDir>
#include <QTextEdit>

#include "app/frmmain.h"
#include "common/appstate.h"
#include "common/savelog.h"
#include "support/filebytes.h"
#include "support/logfiles.h"

// The main window's log panel driving the file logger, from the settings file's log folder
// to the lines in the file and in the panel.
class tst_LogPanel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void settingsFolderReceivesEntries();
    void limitBoxesRotate();
    void levelBoxTogglesOnce();

private:
    QStringList logFiles() const { return LogFiles::list(m_logDir); }
    QStringList entries(const QString &name) const
    {
        return LogFiles::entries(QDir(m_logDir).filePath(name));
    }
    void clearLogs()
    {
        SaveLog::Instance()->Clear();
        for (const QString &name : logFiles())
            QFile::remove(QDir(m_logDir).filePath(name));
    }

    QTemporaryDir m_dir;
    QString m_logDir;
    frmMain *m_window = nullptr;
};

void tst_LogPanel::initTestCase()
{
    m_logDir = m_dir.filePath(QStringLiteral("deep/logs"));
    g_iniFilePath = m_dir.filePath(QStringLiteral("Kestrane.ini"));
    FileBytes::write(g_iniFilePath, "[Http]\nip=127.0.0.1\nport=1\n[Path]\nlogFileDir=" +
                                        m_logDir.toUtf8() + "\n");
    m_window = frmMain::Instance();
    QVERIFY(m_window);
}

void tst_LogPanel::cleanupTestCase()
{
    SaveLog::Instance()->Stop();
    m_dir.setAutoRemove(!QTest::currentTestFailed());
}

void tst_LogPanel::settingsFolderReceivesEntries()
{
    // The settings page created the folder and handed it on; both limits start off.
    QVERIFY(QDir(m_logDir).exists());
    QCOMPARE(g_logFileDir, m_logDir);
    auto *text = m_window->findChild<QTextEdit *>(QStringLiteral("txtMain"));
    text->clear();
    clearLogs();

    qWarning("磁盘已满");
    qDebug("调试");
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    QCOMPARE(logFiles(), QStringList{QStringLiteral("tst_logpanel_log_%1.log").arg(today)});
    const QStringList lines = entries(logFiles().first());
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines.at(0).startsWith(QStringLiteral("Warnx 当前时间：")));
    QVERIFY(lines.at(0).endsWith(QStringLiteral(" 磁盘已满")));
    QVERIFY(lines.at(1).startsWith(QStringLiteral("Debug 当前时间：")));

    // The same lines in the panel, each in its level's colour.
    QCOMPARE(text->toPlainText().split(QLatin1Char('\n')), lines);
    const QString html = text->toHtml();
    QVERIFY(html.contains(QStringLiteral("#fcaf3e")));
    QVERIFY(html.contains(QStringLiteral("#000000")));
}

void tst_LogPanel::limitBoxesRotate()
{
    auto *rows = m_window->findChild<QComboBox *>(QStringLiteral("cboxRow"));
    auto *sizes = m_window->findChild<QComboBox *>(QStringLiteral("cboxSize"));
    clearLogs();
    rows->setCurrentIndex(rows->findText(QStringLiteral("100条")));
    for (int i = 0; i < 100; ++i)
        qInfo("entry %d", i);
    const qint64 second = QDateTime::currentSecsSinceEpoch();
    QTRY_VERIFY(QDateTime::currentSecsSinceEpoch() != second);
    qInfo("entry 100");
    QStringList files = logFiles();
    QCOMPARE(files.size(), 2);
    QCOMPARE(entries(files.at(0)).size(), 100);
    QCOMPARE(entries(files.at(1)).size(), 1);

    // Back to "不启用" in both: one file per day.
    clearLogs();
    rows->setCurrentIndex(0);
    sizes->setCurrentIndex(sizes->findText(QStringLiteral("5kb")));
    sizes->setCurrentIndex(0);
    qInfo("daily");
    files = logFiles();
    QCOMPARE(files.size(), 1);
    QVERIFY(files.first().endsWith(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")) +
                                   QStringLiteral(".log")));
}

void tst_LogPanel::levelBoxTogglesOnce()
{
    // A press on the check box of a level, not only on its text, toggles it exactly once
    // and the logger's mask follows what the box shows.
    auto *list = m_window->findChild<QListWidget *>(QStringLiteral("listType"));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QListWidgetItem *debug = list->item(0);
    QStyleOptionViewItem option;
    option.initFrom(list->viewport());
    option.rect = list->visualItemRect(debug);
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QPoint box = list->style()
                           ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list)
                           .center();
    QVERIFY(option.rect.contains(box));

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box);
    QCOMPARE(debug->checkState(), Qt::Unchecked);
    QCOMPARE(int(SaveLog::Instance()->GetMsgType()), 30);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box);
    QCOMPARE(debug->checkState(), Qt::Checked);
    QCOMPARE(int(SaveLog::Instance()->GetMsgType()), 31);
    // Keyboard toggling would bypass the mask: the space bar must not change the box alone.
    list->setCurrentItem(debug);
    QTest::keyClick(list, Qt::Key_Space);
    QCOMPARE(int(SaveLog::Instance()->GetMsgType()) == 31, debug->checkState() == Qt::Checked);
}

QTEST_MAIN(tst_LogPanel)
#include "tst_logpanel.moc"
