#include <QtTest>

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "widgets/appearance.h"
#include "widgets/quimessagebox.h"

namespace {
QLabel *label(QWidget *box, const char *name)
{
    return box->findChild<QLabel *>(QLatin1String(name));
}

QPushButton *button(QWidget *box, const char *name)
{
    return box->findChild<QPushButton *>(QLatin1String(name));
}

void sendMouse(QWidget *target, QEvent::Type type, QPoint local, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, local, target->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

struct FilterOpenBox : QUIMessageBox
{
    using QUIMessageBox::eventFilter;
};
} // namespace

class tst_QUIMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void sharedFrame();
    void centredAtConstruction();
    void kinds_data();
    void kinds();
    void otherKindKeepsIconAndTitle();
    void questionAfterInformationKeepsCancelHidden();
    void results_data();
    void results();
    void noCountDown();
    void countDownText();
    void countDownClosesExec();
    void negativeCountDownClosesAtOnce();
    void sizeRule_data();
    void sizeRule();
    void dragByMouse();
    void rightButtonStartsNoDrag();
};

void tst_QUIMessageBox::sharedFrame()
{
    QUIMessageBox box;
    const Qt::WindowFlags flags = box.windowFlags();
    QVERIFY(flags & Qt::FramelessWindowHint);
    QVERIFY(flags & Qt::WindowStaysOnTopHint);
    QCOMPARE(box.property("form").toBool(), true);
    QWidget *title = box.findChild<QWidget *>("widgetTitle");
    QVERIFY(title);
    QCOMPARE(title->property("form").toString(), QStringLiteral("title"));
    QCOMPARE(box.size(), QSize(280, 150));
    QCOMPARE(label(&box, "labIco")->text(), QString(QChar(g_iconMain)));
    QCOMPARE(button(&box, "btnMenu_Close")->text(), QString(QChar(g_iconClose)));
    QCOMPARE(button(&box, "btnOk")->minimumWidth(), 80);
}

void tst_QUIMessageBox::centredAtConstruction()
{
    QUIMessageBox box;
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(box.pos(),
             QPoint(area.x() + area.width() / 2 - 140, area.y() + area.height() / 2 - 75));
}

void tst_QUIMessageBox::kinds_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("cancelShown");
    QTest::addColumn<QString>("image");

    QTest::newRow("information") << 0 << "提示" << false << ":/image/msg_info.png";
    QTest::newRow("question") << 1 << "询问" << true << ":/image/msg_question.png";
    QTest::newRow("error") << 2 << "错误" << false << ":/image/msg_error.png";
}

void tst_QUIMessageBox::kinds()
{
    QFETCH(int, type);
    QFETCH(QString, title);
    QFETCH(bool, cancelShown);
    QFETCH(QString, image);

    QUIMessageBox box;
    box.setMessage(QStringLiteral("文本"), type, 0);
    QVERIFY(!box.isVisible());
    box.show();
    QCOMPARE(label(&box, "labTitle")->text(), title);
    QCOMPARE(box.windowTitle(), title);
    QCOMPARE(label(&box, "labInfo")->text(), QStringLiteral("文本"));
    QCOMPARE(button(&box, "btnCancel")->isVisible(), cancelShown);
    QVERIFY(button(&box, "btnOk")->isVisible());

    // The program carries the message images, so the icon is the kind's own image.
    QVERIFY(QFile::exists(image));
    QCOMPARE(label(&box, "labIcoMain")->styleSheet(),
             QStringLiteral("border-image: url(%1);").arg(image));
}

void tst_QUIMessageBox::otherKindKeepsIconAndTitle()
{
    QUIMessageBox box;
    box.setMessage("first", 2, 0);
    QLabel *icon = label(&box, "labIcoMain");
    const QString iconText = icon->text();
    const QString iconSheet = icon->styleSheet();

    box.setMessage("second", 3, 0);
    QCOMPARE(label(&box, "labTitle")->text(), QStringLiteral("错误"));
    QCOMPARE(label(&box, "labInfo")->text(), QStringLiteral("second"));
    QCOMPARE(icon->text(), iconText);
    QCOMPARE(icon->styleSheet(), iconSheet);
}

void tst_QUIMessageBox::questionAfterInformationKeepsCancelHidden()
{
    QUIMessageBox box;
    box.setMessage("info", 0, 0);
    box.setMessage("question", 1, 0);
    box.show();
    QVERIFY(!button(&box, "btnCancel")->isVisible());

    QTimer::singleShot(
        0, &box, [&box] { QTest::mouseClick(button(&box, "btnMenu_Close"), Qt::LeftButton); });
    QCOMPARE(box.exec(), int(QMessageBox::No));
}

void tst_QUIMessageBox::results_data()
{
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<int>("result");

    QTest::newRow("ok") << "btnOk" << int(QMessageBox::Yes);
    QTest::newRow("cancel") << "btnCancel" << int(QMessageBox::No);
    QTest::newRow("title close") << "btnMenu_Close" << int(QMessageBox::No);
    QTest::newRow("escape") << "" << 0;
}

void tst_QUIMessageBox::results()
{
    QFETCH(QString, buttonName);
    QFETCH(int, result);

    QUIMessageBox box;
    box.setMessage(QStringLiteral("继续吗？"), 1, 0);
    QTimer::singleShot(0, &box, [&box, buttonName] {
        if (buttonName.isEmpty())
            QTest::keyClick(&box, Qt::Key_Escape);
        else
            QTest::mouseClick(box.findChild<QPushButton *>(buttonName), Qt::LeftButton);
    });
    QCOMPARE(box.exec(), result);
    QVERIFY(!box.isVisible());
}

void tst_QUIMessageBox::noCountDown()
{
    QUIMessageBox box;
    box.setMessage("stays", 0, 0);
    box.show();
    QMetaObject::invokeMethod(&box, "checkSec");
    QMetaObject::invokeMethod(&box, "checkSec");
    QVERIFY(label(&box, "labTime")->text().isEmpty());
    QVERIFY(box.isVisible());
}

void tst_QUIMessageBox::countDownText()
{
    QUIMessageBox box;
    box.show();
    box.setMessage("closing", 0, 3);
    QLabel *time = label(&box, "labTime");
    QCOMPARE(time->text(), QStringLiteral("关闭倒计时 3 s"));
    QMetaObject::invokeMethod(&box, "checkSec");
    QCOMPARE(time->text(), QStringLiteral("关闭倒计时 2 s"));
    QMetaObject::invokeMethod(&box, "checkSec");
    QCOMPARE(time->text(), QStringLiteral("关闭倒计时 1 s"));
    QVERIFY(box.isVisible());
    QMetaObject::invokeMethod(&box, "checkSec");
    QVERIFY(!box.isVisible());
    QCOMPARE(box.closeSeconds(), 0);
    QCOMPARE(box.currentSeconds(), 0);
    QCOMPARE(time->text(), QStringLiteral("关闭倒计时 1 s"));

    // A later message clears the old count-down text.
    box.setMessage("again", 0, 0);
    QVERIFY(time->text().isEmpty());
}

void tst_QUIMessageBox::countDownClosesExec()
{
    QUIMessageBox box;
    box.setMessage("closes itself", 0, 1);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(box.exec(), 0);
    QVERIFY(clock.elapsed() < 2500);
    QVERIFY(!box.isVisible());
}

void tst_QUIMessageBox::negativeCountDownClosesAtOnce()
{
    QUIMessageBox box;
    box.show();
    box.setMessage("gone", 0, -1);
    QVERIFY(!box.isVisible());
    QCOMPARE(box.closeSeconds(), 0);

    // Shown again, it has no count-down.
    box.show();
    QMetaObject::invokeMethod(&box, "checkSec");
    QVERIFY(box.isVisible());
}

void tst_QUIMessageBox::sizeRule_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("grows");

    QTest::newRow("69") << 69 << false;
    QTest::newRow("70") << 70 << true;
    QTest::newRow("200") << 200 << true;
}

void tst_QUIMessageBox::sizeRule()
{
    QFETCH(int, length);
    QFETCH(bool, grows);

    QUIMessageBox box;
    QString text;
    for (int i = 0; i < length; ++i)
        text += (i % 6 == 5) ? QChar(' ') : QChar(0x6a21);
    box.setMessage(text, 0, 0);
    box.show();
    QCOMPARE(box.layout()->sizeConstraint(),
             grows ? QLayout::SetFixedSize : QLayout::SetMinimumSize);
    if (grows) {
        QTRY_COMPARE(box.size(), box.sizeHint());
        QVERIFY(box.height() > 150 || box.width() > 280);
    } else {
        QCOMPARE(box.size(), QSize(280, 150));
    }

    // A short message afterwards brings the fixed size back.
    box.setMessage("short", 0, 0);
    QCOMPARE(box.layout()->sizeConstraint(), QLayout::SetMinimumSize);
    QCOMPARE(box.size(), QSize(280, 150));
}

void tst_QUIMessageBox::dragByMouse()
{
    QUIMessageBox box;
    box.setMessage("drag me", 0, 0);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const QPoint start = box.pos();

    // Pressed on the message text: the label passes the press on to the box.
    QLabel *info = label(&box, "labInfo");
    const QPoint local(5, 5);
    sendMouse(info, QEvent::MouseButtonPress, local, Qt::LeftButton, Qt::LeftButton);
    sendMouse(info, QEvent::MouseMove, local + QPoint(30, 20), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(box.pos(), start + QPoint(30, 20));
    sendMouse(info, QEvent::MouseButtonRelease, local + QPoint(30, 20), Qt::LeftButton,
              Qt::NoButton);

    // Released: moves no longer drag.
    sendMouse(info, QEvent::MouseMove, local + QPoint(60, 60), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(box.pos(), start + QPoint(30, 20));
}

void tst_QUIMessageBox::rightButtonStartsNoDrag()
{
    FilterOpenBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const QPoint start = box.pos();

    QMouseEvent press(QEvent::MouseButtonPress, QPoint(50, 10), box.mapToGlobal(QPoint(50, 10)),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QVERIFY(!box.eventFilter(&box, &press));
    sendMouse(&box, QEvent::MouseMove, QPoint(90, 40), Qt::NoButton, Qt::RightButton);
    QCOMPARE(box.pos(), start);
}

QTEST_MAIN(tst_QUIMessageBox)
#include "tst_quimessagebox.moc"
