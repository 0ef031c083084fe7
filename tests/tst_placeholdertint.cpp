#include <QtTest>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/appinit.h"
#include "support/contrast.h"
#include "support/themesheets.h"
#include "widgets/placeholdertint.h"

namespace {

// The strongest contrast between any pixel of the edit's text line and its background.
double strongestInk(const QImage &image, const QRect &field)
{
    const QColor base(image.pixel(field.right() - 4, field.center().y()));
    double strongest = 1.0;
    for (int x = field.left() + 2; x < field.left() + 60; ++x)
        for (int y = field.top() + 4; y < field.bottom() - 4; ++y)
            strongest = qMax(strongest, Contrast::ratio(base, QColor(image.pixel(x, y))));
    return strongest;
}

} // namespace

class tst_PlaceholderTint : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void placeholderDimmerThanTyped_data();
    void placeholderDimmerThanTyped();
    void followsSkinChange();
    void textEditsToo();
};

void tst_PlaceholderTint::cleanup()
{
    qApp->setStyleSheet(QString());
}

void tst_PlaceholderTint::placeholderDimmerThanTyped_data()
{
    ThemeSheets::addRows();
}

// As drawn: an empty field's hint stands out less than the same text typed, yet shows.
void tst_PlaceholderTint::placeholderDimmerThanTyped()
{
    QFETCH(QString, sheet);
    AppInit::Instance()->initStyle(sheet);
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *hint = new QLineEdit;
    hint->setPlaceholderText(QStringLiteral("WWWW"));
    auto *typed = new QLineEdit(QStringLiteral("WWWW"));
    for (QLineEdit *edit : {hint, typed}) {
        edit->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(edit);
    }
    window.resize(240, 80);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage image = window.grab().toImage();
    const double hintInk = strongestInk(image, hint->geometry());
    const double typedInk = strongestInk(image, typed->geometry());
    QVERIFY2(hintInk < typedInk * 0.85,
             qPrintable(QStringLiteral("%1 vs %2").arg(hintInk).arg(typedInk)));
    QVERIFY2(hintInk > 1.5, qPrintable(QString::number(hintInk)));
}

void tst_PlaceholderTint::followsSkinChange()
{
    QLineEdit edit;
    edit.setPlaceholderText(QStringLiteral("hint"));
    AppInit::Instance()->initStyle(QStringLiteral(":/qss/psblack.css"));
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    const QColor dark = edit.palette().color(QPalette::PlaceholderText);
    AppInit::Instance()->initStyle(QStringLiteral(":/qss/lightgray.css"));
    const QPalette light = edit.palette();
    QCOMPARE(light.color(QPalette::Text), QColor(QStringLiteral("#6F6F6F")));
    QCOMPARE(light.color(QPalette::PlaceholderText),
             PlaceholderTint::tint(light.color(QPalette::Text), light.color(QPalette::Base)));
    QVERIFY(light.color(QPalette::PlaceholderText) != dark);
}

void tst_PlaceholderTint::textEditsToo()
{
    AppInit::Instance()->initStyle(QStringLiteral(":/qss/blue.css"));
    QTextEdit text;
    QPlainTextEdit plain;
    for (QWidget *edit : {static_cast<QWidget *>(&text), static_cast<QWidget *>(&plain)}) {
        edit->ensurePolished();
        const QPalette palette = edit->palette();
        QCOMPARE(palette.color(QPalette::Text), QColor(QStringLiteral("#324C6C")));
        QCOMPARE(
            palette.color(QPalette::PlaceholderText),
            PlaceholderTint::tint(palette.color(QPalette::Text), palette.color(QPalette::Base)));
    }
}

QTEST_MAIN(tst_PlaceholderTint)
#include "tst_placeholdertint.moc"
