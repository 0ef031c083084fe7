#include <QtTest>

#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <functional>

#include "widgets/quidateselect.h"
#include "widgets/quimessagebox.h"

namespace {

// Dates and editors must not depend on the machine's language.
const bool g_localePinned = [] {
    qputenv("LC_ALL", "C.UTF-8");
    qputenv("LANG", "C.UTF-8");
    return true;
}();

const QString DateFormat = QStringLiteral("yyyy-MM-dd");

template <typename T> T *part(QWidget *box, const char *name)
{
    T *child = box->findChild<T *>(QLatin1String(name));
    if (!child)
        qFatal("missing %s", name);
    return child;
}

// Runs the box modally; `whileOpen` acts on it from inside the event loop.
int execWith(QUIDateSelect &box, std::function<void()> whileOpen)
{
    QTimer::singleShot(0, &box, std::move(whileOpen));
    return box.exec();
}

} // namespace

class tst_QUIDateSelect : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void calendarsAreChinese();
    void acceptedAtOnceGivesTodayAndTomorrow();
    void okChecksTheOrder_data();
    void okChecksTheOrder();
    void formatWithHoursAndMinutes();
    void closeGivesCancelAndKeepsTexts_data();
    void closeGivesCancelAndKeepsTexts();
    void escapeRejects();
};

void tst_QUIDateSelect::initTestCase()
{
    QVERIFY(g_localePinned);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void tst_QUIDateSelect::cleanup()
{
    // The error box is shared: leave it closed for the next case.
    QUIMessageBox::Instance()->close();
}

void tst_QUIDateSelect::calendarsAreChinese()
{
    QUIDateSelect box;
    for (const char *name : {"dateStart", "dateEnd"}) {
        auto *editor = part<QDateTimeEdit>(&box, name);
        // Chinese month and day names whatever the machine's language.
        QCOMPARE(editor->calendarWidget()->locale().language(), QLocale::Chinese);
        QCOMPARE(editor->time(), QTime(0, 0));
    }
}

void tst_QUIDateSelect::acceptedAtOnceGivesTodayAndTomorrow()
{
    const QDate today = QDate::currentDate();
    QUIDateSelect box;
    QVERIFY(box.getStartDateTime().isEmpty());
    const int result = execWith(box, [&] { part<QPushButton>(&box, "btnOk")->click(); });
    QCOMPARE(result, int(QMessageBox::Ok));
    QCOMPARE(box.getStartDateTime(), today.toString(DateFormat));
    QCOMPARE(box.getEndDateTime(), today.addDays(1).toString(DateFormat));
}

void tst_QUIDateSelect::okChecksTheOrder_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QDateTime>("end");
    QTest::addColumn<bool>("accepted");

    const QDateTime noon(QDate(2026, 5, 10), QTime(12, 0));
    QTest::newRow("equal") << DateFormat << noon << noon << true;
    QTest::newRow("end a day later") << DateFormat << noon << noon.addDays(1) << true;
    QTest::newRow("end a day before") << DateFormat << noon << noon.addDays(-1) << false;
    QTest::newRow("end a minute before")
        << QStringLiteral("yyyy-MM-dd HH:mm") << noon << noon.addSecs(-60) << false;
}

void tst_QUIDateSelect::okChecksTheOrder()
{
    QFETCH(QString, format);
    QFETCH(QDateTime, start);
    QFETCH(QDateTime, end);
    QFETCH(bool, accepted);

    QUIDateSelect box;
    box.setFormat(format);
    QUIMessageBox *error = QUIMessageBox::Instance();
    bool stillOpen = false;
    bool errorShown = false;
    const int result = execWith(box, [&] {
        part<QDateTimeEdit>(&box, "dateStart")->setDateTime(start);
        part<QDateTimeEdit>(&box, "dateEnd")->setDateTime(end);
        part<QPushButton>(&box, "btnOk")->click();
        stillOpen = box.isVisible();
        errorShown = error->isVisible();
        if (stillOpen)
            part<QPushButton>(&box, "btnClose")->click();
    });

    QCOMPARE(stillOpen, !accepted);
    QCOMPARE(errorShown, !accepted);
    if (accepted) {
        QCOMPARE(result, int(QMessageBox::Ok));
        QCOMPARE(box.getStartDateTime(), start.toString(format));
        QCOMPARE(box.getEndDateTime(), end.toString(format));
    } else {
        QCOMPARE(result, int(QMessageBox::Cancel));
        QVERIFY(box.getStartDateTime().isEmpty());
        QVERIFY(box.getEndDateTime().isEmpty());
        QCOMPARE(part<QLabel>(error, "labInfo")->text(),
                 QStringLiteral("开始时间不能大于结束时间!"));
        QCOMPARE(part<QLabel>(error, "labTitle")->text(), QStringLiteral("错误"));
        QCOMPARE(error->closeSeconds(), 3);
    }
}

void tst_QUIDateSelect::formatWithHoursAndMinutes()
{
    QUIDateSelect box;
    box.setFormat(QStringLiteral("yyyy-MM-dd HH:mm"));
    auto *start = part<QDateTimeEdit>(&box, "dateStart");
    auto *end = part<QDateTimeEdit>(&box, "dateEnd");
    QCOMPARE(end->displayFormat(), QStringLiteral("yyyy-MM-dd HH:mm"));
    QVERIFY(end->displayedSections() & QDateTimeEdit::HourSection);
    QVERIFY(end->displayedSections() & QDateTimeEdit::MinuteSection);

    start->setDateTime(QDateTime(QDate(2026, 3, 4), QTime(8, 30)));
    end->setDateTime(QDateTime(QDate(2026, 3, 4), QTime(9, 15)));
    // The operator can step the hour in the editor.
    end->setCurrentSection(QDateTimeEdit::HourSection);
    QTest::keyClick(end, Qt::Key_Up);
    QCOMPARE(end->text(), QStringLiteral("2026-03-04 10:15"));

    const int result = execWith(box, [&] { part<QPushButton>(&box, "btnOk")->click(); });
    QCOMPARE(result, int(QMessageBox::Ok));
    QCOMPARE(box.getStartDateTime(), QStringLiteral("2026-03-04 08:30"));
    QCOMPARE(box.getEndDateTime(), QStringLiteral("2026-03-04 10:15"));
}

void tst_QUIDateSelect::closeGivesCancelAndKeepsTexts_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("close button") << "btnClose";
    QTest::newRow("title bar close") << "btnMenu_Close";
}

void tst_QUIDateSelect::closeGivesCancelAndKeepsTexts()
{
    QFETCH(QString, button);
    QUIDateSelect box;
    execWith(box, [&] { part<QPushButton>(&box, "btnOk")->click(); });
    const QString start = box.getStartDateTime();
    const QString end = box.getEndDateTime();

    const int result = execWith(box, [&] {
        part<QDateTimeEdit>(&box, "dateStart")->setDate(QDate(2020, 1, 1));
        part<QDateTimeEdit>(&box, "dateEnd")->setDate(QDate(2020, 1, 2));
        part<QPushButton>(&box, button.toLatin1().constData())->click();
    });
    QCOMPARE(result, int(QMessageBox::Cancel));
    QCOMPARE(box.getStartDateTime(), start);
    QCOMPARE(box.getEndDateTime(), end);
    QVERIFY(!box.isVisible());
}

void tst_QUIDateSelect::escapeRejects()
{
    QUIDateSelect box;
    const int result = execWith(box, [&] { QTest::keyClick(&box, Qt::Key_Escape); });
    QCOMPARE(result, 0);
    QVERIFY(box.getStartDateTime().isEmpty());
}

QTEST_MAIN(tst_QUIDateSelect)
#include "tst_quidateselect.moc"
