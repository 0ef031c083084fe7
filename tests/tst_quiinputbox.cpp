#include <QtTest>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "widgets/quiinputbox.h"

namespace {
QLineEdit *lineEdit(QWidget *box)
{
    return box->findChild<QLineEdit *>("txtValue");
}

QComboBox *combo(QWidget *box)
{
    return box->findChild<QComboBox *>("cboxValue");
}

QStringList items(QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}
} // namespace

class tst_QUIInputBox : public QObject
{
    Q_OBJECT

private slots:
    void onlyTitle();
    void choices_data();
    void choices();
    void password();
    void bothEntries();
    void results_data();
    void results();
    void countDownKeepsValue();
    void focusOnShow();
    void reusedBoxStartsClean();
};

void tst_QUIInputBox::onlyTitle()
{
    QUIInputBox box;
    box.setParameter(QStringLiteral("名称"));
    box.show();
    QCOMPARE(box.findChild<QLabel *>("labInfo")->text(), QStringLiteral("名称"));
    QCOMPARE(box.windowTitle(), QStringLiteral("输入框"));
    QVERIFY(lineEdit(&box)->isVisible());
    QVERIFY(!combo(&box)->isVisible());
    QVERIFY(lineEdit(&box)->placeholderText().isEmpty());
    QVERIFY(lineEdit(&box)->text().isEmpty());
    QVERIFY(box.findChild<QLabel *>("labTime")->text().isEmpty());
    QCOMPARE(box.closeSeconds(), 0);
}

void tst_QUIInputBox::choices_data()
{
    QTest::addColumn<QString>("defaultValue");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("three, middle empty")
        << "ZXB_LC03M||车厢2" << QStringList{"ZXB_LC03M", "", "车厢2"};
    QTest::newRow("empty") << "" << QStringList{""};
    QTest::newRow("one") << "1" << QStringList{"1"};
}

void tst_QUIInputBox::choices()
{
    QFETCH(QString, defaultValue);
    QFETCH(QStringList, expected);

    QUIInputBox box;
    box.setParameter("选择", 1, 0, "ignored", true, defaultValue);
    box.show();
    QVERIFY(!lineEdit(&box)->isVisible());
    QVERIFY(combo(&box)->isVisible());
    QVERIFY(!combo(&box)->isEditable());
    QCOMPARE(items(combo(&box)), expected);

    QTest::mouseClick(box.findChild<QPushButton *>("btnOk"), Qt::LeftButton);
    QCOMPARE(box.getValue(), expected.first());
    QCOMPARE(box.result(), int(QMessageBox::Ok));
}

void tst_QUIInputBox::password()
{
    QUIInputBox box;
    box.setParameter("密码", 0, 0, "请输入密码", true, QString());
    box.show();
    QCOMPARE(lineEdit(&box)->echoMode(), QLineEdit::Password);
    QCOMPARE(lineEdit(&box)->placeholderText(), QStringLiteral("请输入密码"));
    QTest::keyClicks(lineEdit(&box), "s3cret");
    QTest::mouseClick(box.findChild<QPushButton *>("btnOk"), Qt::LeftButton);
    QCOMPARE(box.getValue(), QStringLiteral("s3cret"));
}

void tst_QUIInputBox::bothEntries()
{
    QUIInputBox box;
    box.setParameter("both", 2, 0, QString(), false, "a|b");
    box.show();
    QVERIFY(lineEdit(&box)->isVisible());
    QVERIFY(combo(&box)->isVisible());
    QCOMPARE(combo(&box)->count(), 0);
    QTest::keyClicks(lineEdit(&box), "typed");
    QTest::mouseClick(box.findChild<QPushButton *>("btnOk"), Qt::LeftButton);
    QCOMPARE(box.getValue(), QStringLiteral("typed"));
}

void tst_QUIInputBox::results_data()
{
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("value");

    QTest::newRow("ok") << "btnOk" << int(QMessageBox::Ok) << "default";
    QTest::newRow("cancel") << "btnCancel" << int(QMessageBox::Cancel) << "";
    QTest::newRow("title close") << "btnMenu_Close" << int(QMessageBox::Cancel) << "";
    QTest::newRow("escape") << "" << 0 << "";
}

void tst_QUIInputBox::results()
{
    QFETCH(QString, buttonName);
    QFETCH(int, result);
    QFETCH(QString, value);

    QUIInputBox box;
    box.setParameter("name", 0, 0, QString(), false, "default");
    QTimer::singleShot(0, &box, [&box, buttonName] {
        if (buttonName.isEmpty())
            QTest::keyClick(&box, Qt::Key_Escape);
        else
            QTest::mouseClick(box.findChild<QPushButton *>(buttonName), Qt::LeftButton);
    });
    QCOMPARE(box.exec(), result);
    QCOMPARE(box.getValue(), value);
}

void tst_QUIInputBox::countDownKeepsValue()
{
    QUIInputBox box;
    box.setParameter("name", 0, 1, QString(), false, "default");
    QCOMPARE(box.findChild<QLabel *>("labTime")->text(), QStringLiteral("关闭倒计时 1 s"));
    QCOMPARE(box.exec(), 0);
    QVERIFY(box.getValue().isEmpty());
    QCOMPARE(box.closeSeconds(), 0);
}

void tst_QUIInputBox::focusOnShow()
{
    QUIInputBox box;
    box.setParameter("name");
    box.show();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    QTRY_VERIFY(lineEdit(&box)->hasFocus());
    QTest::keyClicks(QApplication::focusWidget(), "abc");
    QCOMPARE(lineEdit(&box)->text(), QStringLiteral("abc"));
}

void tst_QUIInputBox::reusedBoxStartsClean()
{
    QUIInputBox box;
    box.setParameter("pick", 1, 0, QString(), false, "x|y");
    box.setParameter("pick again", 1, 0, QString(), false, "p|q");
    QCOMPARE(items(combo(&box)), QStringList({"p", "q"}));

    box.setParameter("secret", 0, 0, QString(), true, QString());
    box.show();
    QVERIFY(lineEdit(&box)->isVisible());
    QVERIFY(!combo(&box)->isVisible());

    box.setParameter("plain", 0, 0, QString(), false, "shown");
    QCOMPARE(lineEdit(&box)->echoMode(), QLineEdit::Normal);
    QTest::mouseClick(box.findChild<QPushButton *>("btnOk"), Qt::LeftButton);
    QCOMPARE(box.getValue(), QStringLiteral("shown"));
}

QTEST_MAIN(tst_QUIInputBox)
#include "tst_quiinputbox.moc"
