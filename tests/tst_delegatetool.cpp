#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QProgressBar>
#include <QSpinBox>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QStyleOptionProgressBar>
#include <QTableView>
#include <QTimeEdit>
#include <QTreeView>
#include <QtTest>

#include "widgets/delegatetool.h"

namespace {

const QColor paper(Qt::white);

QStyleOptionViewItem cellOption(const QRect &rect)
{
    QStyleOptionViewItem option;
    option.rect = rect;
    option.state = QStyle::State_Enabled;
    option.palette = QApplication::palette();
    option.font = QApplication::font();
    option.fontMetrics = QFontMetrics(option.font);
    return option;
}

// Paints one cell of the model into an image of the cell's size on white.
QImage paintCell(const DelegateTool &delegate, const QModelIndex &index, const QSize &size,
                 QStyle::State extra = {})
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(paper);
    QPainter painter(&image);
    QStyleOptionViewItem option = cellOption(QRect(QPoint(0, 0), size));
    option.state |= extra;
    delegate.paint(&painter, option, index);
    painter.end();
    return image;
}

QPixmap solid(const QColor &color)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(color);
    return pixmap;
}

// Runs of dark pixels along one row of an image.
int darkRuns(const QImage &image, int y)
{
    int runs = 0;
    bool inRun = false;
    for (int x = 0; x < image.width(); ++x) {
        const bool dark = qGray(image.pixel(x, y)) < 128;
        if (dark && !inRun)
            ++runs;
        inRun = dark;
    }
    return runs;
}

int countColor(const QImage &image, const QRect &area, QRgb color)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == color;
    return count;
}

// Records the controls drawn through the application style.
class RecordingStyle : public QProxyStyle
{
public:
    RecordingStyle() : QProxyStyle(QStyleFactory::create("Fusion")) {}
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        calls.append({element, option->rect, widget ? widget->objectName() : QString()});
        QProxyStyle::drawControl(element, option, painter, widget);
    }
    struct Call
    {
        ControlElement element;
        QRect rect;
        QString widget;
    };
    mutable QList<Call> calls;
};

void sendMouse(DelegateTool &delegate, QAbstractItemModel *model, const QModelIndex &index,
               const QRect &cell, QEvent::Type type, const QPoint &pos)
{
    QMouseEvent event(type, pos, Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    delegate.editorEvent(&event, model, cellOption(cell), index);
}

} // namespace

class tst_DelegateTool : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void buttonHitTest_data();
    void buttonHitTest();
    void doubleClickReportsOnce();
    void keyPressHandledSilently();
    void emptyButtonCellTakesNoEvents();
    void buttonsInView();
    void iconsOnlyWhenOnePerCaption();
    void pressedButtonDrawnSunken();

    void checkBoxToggles();
    void checkBoxInView();

    void valueCheck_data();
    void valueCheck();
    void keyValueMapping();

    void colorCell_data();
    void colorCell();
    void passwordCell();
    void progressCell();
    void stateImagesWithoutDigits();
    void stateImagesWithDigits();
    void drawsThroughApplicationStyle();
    void backgroundAndBasePainting();
    void belowLevelGetsBasePainting();

    void editorsByType();
    void editorShowsCell_data();
    void editorShowsCell();
    void editorCommitsOnlyChanges_data();
    void editorCommitsOnlyChanges();
    void editorMouseActions();

private:
    QStandardItemModel m_model;
};

void tst_DelegateTool::init()
{
    m_model.clear();
    m_model.setRowCount(1);
    m_model.setColumnCount(1);
}

void tst_DelegateTool::buttonHitTest_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("button");
    QTest::newRow("first pixel") << 0 << 0;
    QTest::newRow("last pixel of the first") << 32 << 0;
    QTest::newRow("first pixel of the second") << 33 << 1;
    QTest::newRow("third") << 66 << 2;
    QTest::newRow("unassigned right edge") << 99 << -1;
}

void tst_DelegateTool::buttonHitTest()
{
    QFETCH(int, offset);
    QFETCH(int, button);
    DelegateTool delegate;
    delegate.setDelegateType("QPushButton");
    delegate.setDelegateColumn(0);
    m_model.setData(m_model.index(0, 0), "a|b|c");
    // The cell sits away from the view-port origin, as it does in a real table.
    const QRect cell(40, 20, 100, 30);
    QSignalSpy clicked(&delegate, &DelegateTool::buttonClicked);
    QMouseEvent press(QEvent::MouseButtonPress, QPoint(40 + offset, 30), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QVERIFY(delegate.editorEvent(&press, &m_model, cellOption(cell), m_model.index(0, 0)));
    if (button < 0) {
        QCOMPARE(clicked.count(), 0);
        return;
    }
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0).at(0).toInt(), button);
    QCOMPARE(clicked.at(0).at(1).value<QModelIndex>(), m_model.index(0, 0));
}

void tst_DelegateTool::doubleClickReportsOnce()
{
    DelegateTool delegate;
    delegate.setDelegateType("QPushButton");
    delegate.setDelegateColumn(0);
    m_model.setData(m_model.index(0, 0), "a|b");
    const QRect cell(0, 0, 100, 30);
    QSignalSpy clicked(&delegate, &DelegateTool::buttonClicked);
    const QModelIndex index = m_model.index(0, 0);
    sendMouse(delegate, &m_model, index, cell, QEvent::MouseButtonPress, {70, 10});
    sendMouse(delegate, &m_model, index, cell, QEvent::MouseButtonRelease, {70, 10});
    sendMouse(delegate, &m_model, index, cell, QEvent::MouseButtonDblClick, {70, 10});
    sendMouse(delegate, &m_model, index, cell, QEvent::MouseButtonRelease, {70, 10});
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0).at(0).toInt(), 1);
}

void tst_DelegateTool::keyPressHandledSilently()
{
    DelegateTool delegate;
    delegate.setDelegateType("QPushButton");
    m_model.setData(m_model.index(0, 0), "a|b");
    QSignalSpy clicked(&delegate, &DelegateTool::buttonClicked);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
    QVERIFY(delegate.editorEvent(&key, &m_model, cellOption({0, 0, 100, 30}), m_model.index(0, 0)));
    QCOMPARE(clicked.count(), 0);
    // Mouse moves are never taken.
    QMouseEvent move(QEvent::MouseMove, QPoint(5, 5), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QVERIFY(
        !delegate.editorEvent(&move, &m_model, cellOption({0, 0, 100, 30}), m_model.index(0, 0)));
}

void tst_DelegateTool::emptyButtonCellTakesNoEvents()
{
    DelegateTool delegate;
    delegate.setDelegateType("QPushButton");
    QSignalSpy clicked(&delegate, &DelegateTool::buttonClicked);
    QMouseEvent press(QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QVERIFY(
        !delegate.editorEvent(&press, &m_model, cellOption({0, 0, 100, 30}), m_model.index(0, 0)));
    QCOMPARE(clicked.count(), 0);
    QVERIFY(DelegateTool::buttonRects({0, 0, 100, 30}, QString()).isEmpty());
}

void tst_DelegateTool::buttonsInView()
{
    QStandardItemModel model(3, 2);
    for (int row = 0; row < 3; ++row)
        model.setData(model.index(row, 1), QStringLiteral("修改|删除|绘制"));
    QTableView view;
    view.setModel(&model);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    DelegateTool delegate;
    delegate.setDelegateType("QPushButton");
    delegate.setDelegateColumn(1);
    view.setItemDelegateForColumn(1, &delegate);
    view.setColumnWidth(1, 150);
    view.resize(400, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy clicked(&delegate, &DelegateTool::buttonClicked);
    const QRect cell = view.visualRect(model.index(2, 1));
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, cell.topLeft() + QPoint(120, 5));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0).at(0).toInt(), 2);
    QCOMPARE(clicked.at(0).at(1).value<QModelIndex>(), model.index(2, 1));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell.topLeft() + QPoint(60, 5));
    QCOMPARE(clicked.count(), 2);
    QCOMPARE(clicked.at(1).at(0).toInt(), 1);
}

void tst_DelegateTool::iconsOnlyWhenOnePerCaption()
{
    DelegateTool delegate;
    delegate.setDelegateType("QPushButton");
    delegate.setDelegateColumn(0);
    m_model.setData(m_model.index(0, 0), "a|b|c");
    const QSize size(150, 30);
    const QImage plain = paintCell(delegate, m_model.index(0, 0), size);
    const QIcon icon(solid(Qt::red));
    delegate.setPushButtonIcons({icon, icon});
    QCOMPARE(paintCell(delegate, m_model.index(0, 0), size), plain);
    delegate.setPushButtonIcons({icon, icon, icon});
    const QImage withIcons = paintCell(delegate, m_model.index(0, 0), size);
    QVERIFY(withIcons != plain);
    // One 20-pixel red face in each button.
    for (int i = 0; i < 3; ++i)
        QCOMPARE(countColor(withIcons, QRect(i * 50, 0, 50, 30), qRgb(255, 0, 0)), 400);
}

void tst_DelegateTool::pressedButtonDrawnSunken()
{
    DelegateTool delegate;
    delegate.setDelegateType("QPushButton");
    delegate.setDelegateColumn(0);
    const QModelIndex index = m_model.index(0, 0);
    m_model.setData(index, "a|b");
    const QRect cell(0, 0, 100, 30);
    const QImage before = paintCell(delegate, index, cell.size());
    sendMouse(delegate, &m_model, index, cell, QEvent::MouseButtonPress, {70, 10});
    const QImage pressed = paintCell(delegate, index, cell.size());
    QCOMPARE(pressed.copy(0, 0, 50, 30), before.copy(0, 0, 50, 30));
    QVERIFY(pressed.copy(50, 0, 50, 30) != before.copy(50, 0, 50, 30));
    sendMouse(delegate, &m_model, index, cell, QEvent::MouseButtonRelease, {70, 10});
    QCOMPARE(paintCell(delegate, index, cell.size()), before);
}

void tst_DelegateTool::checkBoxToggles()
{
    DelegateTool delegate;
    delegate.setDelegateType("QCheckBox");
    delegate.setCheckBoxText("yes", "no");
    const QModelIndex index = m_model.index(0, 0);
    m_model.setData(index, "yes");
    const QRect cell(0, 0, 60, 30);
    QSignalSpy changed(&delegate, &DelegateTool::valueChanged);

    sendMouse(delegate, &m_model, index, cell, QEvent::MouseButtonPress, {30, 10});
    QCOMPARE(index.data().toString(), QStringLiteral("no"));
    sendMouse(delegate, &m_model, index, cell, QEvent::MouseButtonRelease, {30, 10});
    QCOMPARE(index.data().toString(), QStringLiteral("no"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("no"));

    // A double-click is a press and a double-click event: two toggles.
    sendMouse(delegate, &m_model, index, cell, QEvent::MouseButtonPress, {30, 10});
    sendMouse(delegate, &m_model, index, cell, QEvent::MouseButtonRelease, {30, 10});
    sendMouse(delegate, &m_model, index, cell, QEvent::MouseButtonDblClick, {30, 10});
    sendMouse(delegate, &m_model, index, cell, QEvent::MouseButtonRelease, {30, 10});
    QCOMPARE(index.data().toString(), QStringLiteral("no"));
    QCOMPARE(changed.count(), 3);

    // Any text but the checked one counts as unchecked.
    m_model.setData(index, "maybe");
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
    delegate.editorEvent(&key, &m_model, cellOption(cell), index);
    QCOMPARE(index.data().toString(), QStringLiteral("yes"));
    QSignalSpy slotChanged(&delegate, &DelegateTool::valueChanged);
    delegate.slot_valueChanged();
    QCOMPARE(slotChanged.at(0).at(0).toString(), QStringLiteral("yes"));

    // Painted checked and unchecked differently.
    delegate.setDelegateColumn(0);
    const QImage checked = paintCell(delegate, index, cell.size());
    m_model.setData(index, "no");
    QVERIFY(paintCell(delegate, index, cell.size()) != checked);
}

void tst_DelegateTool::checkBoxInView()
{
    QStandardItemModel model(2, 1);
    model.setData(model.index(1, 0), "false");
    QTableView view;
    view.setModel(&model);
    DelegateTool delegate;
    delegate.setDelegateType("QCheckBox");
    delegate.setDelegateColumn(0);
    view.setItemDelegateForColumn(0, &delegate);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QPoint centre = view.visualRect(model.index(1, 0)).center();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centre);
    QCOMPARE(model.index(1, 0).data().toString(), QStringLiteral("true"));
    QVERIFY(!view.indexWidget(model.index(1, 0)));
    QVERIFY(!view.isPersistentEditorOpen(model.index(1, 0)));
}

void tst_DelegateTool::valueCheck_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("passes");
    QTest::newRow("== same") << "=="
                             << "ab"
                             << "ab" << true;
    QTest::newRow("== other case") << "=="
                                   << "ab"
                                   << "AB" << false;
    QTest::newRow("!= differs") << "!="
                                << "ab"
                                << "abc" << true;
    QTest::newRow("> ten and a half") << ">"
                                      << "10"
                                      << "10.5" << true;
    QTest::newRow("> equal") << ">"
                             << "10"
                             << "10" << false;
    QTest::newRow("> not a number") << ">"
                                    << "10"
                                    << "abc" << false;
    QTest::newRow("> not a number vs negative") << ">"
                                                << "-1"
                                                << "abc" << true;
    QTest::newRow(">= equal") << ">="
                              << "10"
                              << "10" << true;
    QTest::newRow("< smaller") << "<"
                               << "10"
                               << "9.9" << true;
    QTest::newRow("<= larger") << "<="
                               << "10"
                               << "11" << false;
    QTest::newRow("contains one word")
        << "contains" << QStringLiteral("报警|故障") << QStringLiteral("有故障") << true;
    QTest::newRow("contains none") << "contains" << QStringLiteral("报警|故障") << "ok" << false;
    QTest::newRow("contains case-sensitive") << "contains"
                                             << "Alarm"
                                             << "alarm" << false;
    QTest::newRow("contains empty value") << "contains"
                                          << ""
                                          << "anything" << true;
    QTest::newRow("state missing word") << "state" << QStringLiteral("未") << "1" << true;
    QTest::newRow("state word present")
        << "state" << QStringLiteral("未") << QStringLiteral("1未") << false;
    QTest::newRow("state one of two missing") << "state"
                                              << "a|b"
                                              << "a" << true;
    QTest::newRow("state empty value") << "state"
                                       << ""
                                       << "anything" << false;
    QTest::newRow("unknown type") << "like"
                                  << "a"
                                  << "a" << false;
}

void tst_DelegateTool::valueCheck()
{
    QFETCH(QString, type);
    QFETCH(QString, value);
    QFETCH(QString, text);
    QFETCH(bool, passes);
    DelegateTool delegate;
    delegate.setCheckType(type);
    delegate.setCheckValue(value);
    QCOMPARE(delegate.checkCellValue(text), passes);
}

void tst_DelegateTool::keyValueMapping()
{
    DelegateTool delegate;
    delegate.setDelegateKey({QStringLiteral("1|男"), QStringLiteral("0|女"), "2|x", "3|x", "bad"});
    QCOMPARE(delegate.mapKeyValue("1", true), QStringLiteral("男"));
    QCOMPARE(delegate.mapKeyValue(QStringLiteral("女"), false), QStringLiteral("0"));
    QCOMPARE(delegate.mapKeyValue("x", false), QStringLiteral("2"));
    QCOMPARE(delegate.mapKeyValue(QStringLiteral("男"), true), QString());
    QCOMPARE(delegate.mapKeyValue("bad", true), QString());
    QCOMPARE(delegate.mapKeyValue("9", true), QString());
}

void tst_DelegateTool::colorCell_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("fill");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("pen");
    QTest::newRow("transparent reads as black")
        << "transparent" << QColor(Qt::black) << "#000000" << QColor(Qt::white);
    QTest::newRow("lower-case yellow")
        << "#ffff00" << QColor(Qt::yellow) << "#FFFF00" << QColor(Qt::black);
    QTest::newRow("dark blue") << "darkblue" << QColor(0, 0, 139) << "#00008B" << QColor(Qt::white);
}

void tst_DelegateTool::colorCell()
{
    QFETCH(QString, text);
    QFETCH(QColor, fill);
    QFETCH(QString, name);
    QFETCH(QColor, pen);
    DelegateTool delegate;
    delegate.setDelegateType("QColor");
    delegate.setDelegateColumn(0);
    m_model.setData(m_model.index(0, 0), text);
    const QSize size(120, 30);
    const QImage image = paintCell(delegate, m_model.index(0, 0), size);
    QCOMPARE(QColor(image.pixel(1, 1)), fill);

    QImage expected(size, QImage::Format_ARGB32_Premultiplied);
    expected.fill(fill);
    QPainter painter(&expected);
    painter.setPen(pen);
    painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, name);
    painter.end();
    QCOMPARE(image, expected);

    delegate.setDrawColorName(false);
    expected.fill(fill);
    QCOMPARE(paintCell(delegate, m_model.index(0, 0), size), expected);
}

void tst_DelegateTool::passwordCell()
{
    DelegateTool delegate;
    delegate.setDelegatePwd(true);
    delegate.setDelegateColumn(0);
    m_model.setData(m_model.index(0, 0), "abcde");
    const QImage image = paintCell(delegate, m_model.index(0, 0), {200, 30});
    // Scan the row through the bullets' middle.
    int best = 0;
    for (int y = 0; y < image.height(); ++y)
        best = qMax(best, darkRuns(image, y));
    QCOMPARE(best, 5);
    // Nothing in the two pixels kept free on the left.
    QCOMPARE(countColor(image, QRect(0, 0, 2, 30), paper.rgb()), 60);
    // Not a line-edit cell without the flag: the plain text is not drawn bulleted.
    delegate.setDelegatePwd(false);
    QVERIFY(paintCell(delegate, m_model.index(0, 0), {200, 30}) != image);
}

void tst_DelegateTool::progressCell()
{
    DelegateTool delegate;
    delegate.setDelegateType("QProgressBar");
    delegate.setDelegateColumn(0);
    delegate.setDelegateMin(50);
    delegate.setDelegateMax(60);
    m_model.setData(m_model.index(0, 0), "42");
    const QSize size(200, 24);
    const QImage image = paintCell(delegate, m_model.index(0, 0), size);

    // The same bar drawn by the style directly: 42 of 100 with the text "42%".
    auto reference = [&](const QString &text, int progress) {
        QImage expected(size, QImage::Format_ARGB32_Premultiplied);
        expected.fill(paper);
        QProgressBar bar;
        QStyleOptionProgressBar option;
        option.initFrom(&bar);
        option.rect = QRect(QPoint(0, 0), size);
        option.minimum = 0;
        option.maximum = 100;
        option.progress = progress;
        option.state |= QStyle::State_Enabled | QStyle::State_Horizontal;
        option.text = text;
        option.textAlignment = Qt::AlignCenter;
        option.textVisible = true;
        QPainter painter(&expected);
        QApplication::style()->drawControl(QStyle::CE_ProgressBar, &option, &painter, &bar);
        return expected;
    };
    QCOMPARE(image, reference("42%", 42));
    QVERIFY(image != reference("", 42));
    QVERIFY(image != reference("42%", 43));
}

void tst_DelegateTool::stateImagesWithoutDigits()
{
    DelegateTool delegate;
    delegate.setDelegateType("QPixmap");
    delegate.setCheckColumn(3);
    delegate.setDelegateColumn(0);
    delegate.setCheckType("state");
    delegate.setCheckValue(QStringLiteral("未"));
    delegate.setCheckOkImage(solid(Qt::green));
    delegate.setCheckNoImage(solid(Qt::red));
    const QModelIndex index = m_model.index(0, 0);

    m_model.setData(index, QString());
    QImage image = paintCell(delegate, index, {90, 40});
    QCOMPARE(QColor(image.pixel(45, 20)), QColor(Qt::red));
    QCOMPARE(QColor(image.pixel(5, 20)), paper);

    // Three segments of 30 pixels; the empty middle one has no "未" and passes.
    m_model.setData(index, QStringLiteral("a||b"));
    image = paintCell(delegate, index, {90, 40});
    for (int x : {15, 45, 75})
        QCOMPARE(QColor(image.pixel(x, 20)), QColor(Qt::green));
    // Images are scaled into the 32-pixel box, keeping their aspect, within 30-pixel slices.
    QCOMPARE(QColor(image.pixel(15, 2)), paper);

    delegate.setCheckImageWidth(10);
    delegate.setCheckImageHeight(10);
    image = paintCell(delegate, index, {90, 40});
    QCOMPARE(QColor(image.pixel(15, 20)), QColor(Qt::green));
    QCOMPARE(QColor(image.pixel(15, 12)), paper);

    // A segment that fails shows the normal image, never the passing one.
    m_model.setData(index, QStringLiteral("未"));
    QVERIFY(delegate.segmentImage(QStringLiteral("未")).toImage() != solid(Qt::green).toImage());
    QCOMPARE(delegate.segmentImage("x").toImage(), solid(Qt::green).toImage());
}

void tst_DelegateTool::stateImagesWithDigits()
{
    const QPixmap ok1(":/image/1_ok.png"), normal1(":/image/1_normal.png"), ok2(":/image/2_ok.png");
    QVERIFY(!ok1.isNull() && !normal1.isNull() && !ok2.isNull());
    DelegateTool delegate;
    delegate.setCheckType("state");
    delegate.setCheckValue(QStringLiteral("未"));
    QCOMPARE(delegate.segmentImage(QStringLiteral("1未")).toImage(), normal1.toImage());
    QCOMPARE(delegate.segmentImage(QStringLiteral("2")).toImage(), ok2.toImage());
    QCOMPARE(delegate.segmentImage(QStringLiteral("21")).toImage(), ok1.toImage());
    QCOMPARE(delegate.segmentImage(QString()).toImage(), QPixmap(":/image/ok.png").toImage());
    QCOMPARE(delegate.segmentImage(QStringLiteral("未")).toImage(),
             QPixmap(":/image/normal.png").toImage());
}

void tst_DelegateTool::drawsThroughApplicationStyle()
{
    auto *style = new RecordingStyle;
    QApplication::setStyle(style); // the application owns it from here
    QTableView view;
    view.setObjectName("records");
    const QModelIndex index = m_model.index(0, 0);
    m_model.setData(index, "a|b|c");
    QImage image(90, 30, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    QStyleOptionViewItem option = cellOption({0, 0, 90, 30});
    option.widget = &view;

    DelegateTool lights;
    lights.setDelegateType("LightPoint");
    lights.setDelegateColumn(0);
    lights.paint(&painter, option, index);
    const auto glow = QStyle::ControlElement(QStyle::CE_CustomBase + 1);
    QCOMPARE(style->calls.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(style->calls.at(i).element, glow);
        QCOMPARE(style->calls.at(i).rect, QRect(i * 30, 0, 30, 30));
        QCOMPARE(style->calls.at(i).widget, QStringLiteral("records"));
    }

    style->calls.clear();
    DelegateTool buttons;
    buttons.setDelegateType("QPushButton");
    buttons.setDelegateColumn(0);
    buttons.paint(&painter, option, index);
    // The style draws each button's bevel and label through itself as well.
    int pushButtons = 0;
    for (const auto &call : style->calls) {
        if (call.element != QStyle::CE_PushButton)
            continue;
        QCOMPARE(call.rect, QRect(pushButtons++ * 30, 0, 30, 30));
        QCOMPARE(call.widget, QStringLiteral("DeleteTool_pushButton"));
    }
    QCOMPARE(pushButtons, 3);
    painter.end();
    QApplication::setStyle(QStyleFactory::create("Fusion"));
}

void tst_DelegateTool::backgroundAndBasePainting()
{
    DelegateTool delegate; // delegateColumn -1: every cell gets the base painting
    delegate.setHoverBgColor(Qt::blue);
    delegate.setSelectBgColor(Qt::green);
    m_model.setData(m_model.index(0, 0), "");
    const QModelIndex index = m_model.index(0, 0);
    const QSize size(40, 20);
    QCOMPARE(QColor(paintCell(delegate, index, size).pixel(1, 1)), paper);
    QCOMPARE(QColor(paintCell(delegate, index, size, QStyle::State_MouseOver).pixel(1, 1)),
             QColor(Qt::blue));
    // The base painting draws its own selection over the fill.
    const QImage selected = paintCell(delegate, index, size, QStyle::State_Selected);
    QStyledItemDelegate base;
    QImage expected(size, QImage::Format_ARGB32_Premultiplied);
    expected.fill(Qt::green);
    QPainter painter(&expected);
    QStyleOptionViewItem option = cellOption(QRect(QPoint(0, 0), size));
    option.state |= QStyle::State_Selected;
    base.paint(&painter, option, index);
    painter.end();
    QCOMPARE(selected, expected);

    // Which colour wins when the cell is both hovered and selected.
    delegate.setDelegateColumn(0);
    delegate.setDelegateType("LightPoint"); // empty text: nothing over the fill
    const QStyle::State both = QStyle::State_MouseOver | QStyle::State_Selected;
    QCOMPARE(QColor(paintCell(delegate, index, size, both).pixel(1, 1)), QColor(Qt::blue));
    delegate.setHoverCoverSelected(false);
    QCOMPARE(QColor(paintCell(delegate, index, size, both).pixel(1, 1)), QColor(Qt::green));
}

void tst_DelegateTool::belowLevelGetsBasePainting()
{
    QStandardItemModel tree;
    auto *top = new QStandardItem("top");
    auto *child = new QStandardItem("true");
    top->appendRow(child);
    tree.appendRow(top);
    DelegateTool delegate;
    delegate.setDelegateType("QLineEdit");
    delegate.setDelegateColumn(0);
    delegate.setDelegateLevel(2);
    QWidget parent;
    QVERIFY(!delegate.createEditor(&parent, cellOption({0, 0, 50, 20}), child->index()));
    delegate.setDelegatePwd(true);
    QStyledItemDelegate base;
    QImage expected(50, 20, QImage::Format_ARGB32_Premultiplied);
    expected.fill(paper);
    QPainter painter(&expected);
    base.paint(&painter, cellOption({0, 0, 50, 20}), child->index());
    painter.end();
    QCOMPARE(paintCell(delegate, child->index(), {50, 20}), expected);

    delegate.setDelegateLevel(1);
    QVERIFY(paintCell(delegate, child->index(), {50, 20}) != expected);
    std::unique_ptr<QWidget> editor(
        delegate.createEditor(&parent, cellOption({0, 0, 50, 20}), child->index()));
    QVERIFY(qobject_cast<QLineEdit *>(editor.get()));
}

void tst_DelegateTool::editorsByType()
{
    QWidget parent;
    const QModelIndex index = m_model.index(0, 0);
    const QStyleOptionViewItem option = cellOption({0, 0, 80, 20});
    DelegateTool delegate;
    delegate.setDelegateType("QCheckBox");
    QCOMPARE(delegate.createEditor(&parent, option, index), nullptr);
    delegate.setDelegateType("QPushButton");
    std::unique_ptr<QWidget> plain(delegate.createEditor(&parent, option, index));
    QVERIFY(plain->metaObject() == &QWidget::staticMetaObject);

    delegate.setDelegateType("QLineEdit");
    delegate.setDelegatePwd(true);
    std::unique_ptr<QWidget> edit(delegate.createEditor(&parent, option, index));
    QCOMPARE(static_cast<QLineEdit *>(edit.get())->echoMode(), QLineEdit::Password);
    QCOMPARE(edit->parentWidget(), &parent);
    // A check column takes no editor; column 0 does not count as one.
    delegate.setCheckColumn(1);
    QCOMPARE(delegate.createEditor(&parent, option, index), nullptr);
    delegate.setCheckColumn(0);
    std::unique_ptr<QWidget> again(delegate.createEditor(&parent, option, index));
    QVERIFY(again);
    delegate.setDelegateEnable(false);
    QCOMPARE(delegate.createEditor(&parent, option, index), nullptr);

    delegate.updateEditorGeometry(edit.get(), cellOption({10, 20, 80, 25}), index);
    QCOMPARE(edit->geometry(), QRect(10, 20, 80, 25));
}

void tst_DelegateTool::editorShowsCell_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("changed");
    QTest::newRow("line edit") << "QLineEdit"
                               << "abc"
                               << "abc"
                               << "abc";
    QTest::newRow("line edit mapped") << "QLineEdit"
                                      << "1" << QStringLiteral("男") << QStringLiteral("男");
    QTest::newRow("combo box mapped") << "QComboBox"
                                      << "0" << QStringLiteral("女") << QStringLiteral("女");
    QTest::newRow("combo box unknown") << "QComboBox"
                                       << "zz"
                                       << ""
                                       << "";
    QTest::newRow("spin box") << "QSpinBox"
                              << "7"
                              << "7"
                              << "7";
    QTest::newRow("spin box not a number") << "QSpinBox"
                                           << "x"
                                           << "3"
                                           << "";
    QTest::newRow("date time") << "QDateTimeEdit"
                               << "2024-02-29 13:14:15"
                               << "2024-02-29 13:14:15"
                               << "";
    QTest::newRow("date") << "QDateEdit"
                          << "2024-02-29"
                          << "2024-02-29"
                          << "";
    QTest::newRow("time") << "QTimeEdit"
                          << "13:14:15"
                          << "13:14:15"
                          << "";
}

void tst_DelegateTool::editorShowsCell()
{
    QFETCH(QString, type);
    QFETCH(QString, cell);
    QFETCH(QString, shown);
    QFETCH(QString, changed);
    DelegateTool delegate;
    delegate.setDelegateType(type);
    delegate.setDelegateKey({QStringLiteral("1|男"), QStringLiteral("0|女")});
    delegate.setDelegateValue({QStringLiteral("男"), QStringLiteral("女")});
    delegate.setDelegateMin(3);
    const QModelIndex index = m_model.index(0, 0);
    m_model.setData(index, cell);
    QWidget parent;
    std::unique_ptr<QWidget> editor(
        delegate.createEditor(&parent, cellOption({0, 0, 80, 20}), index));
    QVERIFY(editor);
    QSignalSpy valueChanged(&delegate, &DelegateTool::valueChanged);
    delegate.setEditorData(editor.get(), index);
    if (!changed.isEmpty())
        QCOMPARE(valueChanged.last().at(0).toString(), changed);
    if (auto *edit = qobject_cast<QLineEdit *>(editor.get()))
        QCOMPARE(edit->text(), shown);
    else if (auto *comboBox = qobject_cast<QComboBox *>(editor.get()))
        QCOMPARE(comboBox->currentText(), shown);
    else
        QCOMPARE(qobject_cast<QAbstractSpinBox *>(editor.get())->text(), shown);
}

void tst_DelegateTool::editorCommitsOnlyChanges_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QTestEventList>("edits");
    QTest::addColumn<QString>("stored");
    const QTestEventList none;
    QTestEventList up;
    up.addKeyClick(Qt::Key_Up);
    QTestEventList down;
    down.addKeyClick(Qt::Key_Down);
    QTestEventList typed;
    typed.addKeyClicks("xy");

    // Texts the editors cannot show stay as they are when the operator changes nothing.
    QTest::newRow("combo box, not an item") << "QComboBox"
                                            << "zz" << none << "zz";
    QTest::newRow("date time, no date") << "QDateTimeEdit"
                                        << "tomorrow" << none << "tomorrow";
    QTest::newRow("date, empty") << "QDateEdit"
                                 << "" << none << "";
    QTest::newRow("time, out of range") << "QTimeEdit"
                                        << "25:61:00" << none << "25:61:00";
    QTest::newRow("spin box, too long") << "QSpinBox"
                                        << "99999999999" << none << "99999999999";
    QTest::newRow("spin box, above maximum") << "QSpinBox"
                                             << "250" << none << "250";
    QTest::newRow("spin box, nan") << "QSpinBox"
                                   << "nan" << none << "nan";
    QTest::newRow("spin box, leading zeros") << "QSpinBox"
                                             << "007" << none << "007";
    QTest::newRow("line edit") << "QLineEdit"
                               << " a b " << none << " a b ";
    QTest::newRow("other type") << "QColor"
                                << "red" << none << "red";

    // What the operator changes is written, mapped back to its key.
    QTest::newRow("combo box, item chosen") << "QComboBox"
                                            << "zz" << down << "1";
    QTest::newRow("date time, stepped") << "QDateTimeEdit"
                                        << "tomorrow" << up << "2001-01-01 00:00:00";
    QTest::newRow("date, stepped") << "QDateEdit"
                                   << "" << up << "2001-01-01";
    QTest::newRow("time, stepped") << "QTimeEdit"
                                   << "25:61:00" << up << "01:00:00";
    QTest::newRow("spin box, stepped down") << "QSpinBox"
                                            << "250" << down << "99";
    QTest::newRow("spin box, stepped up") << "QSpinBox"
                                          << "nan" << up << "1";
    QTest::newRow("line edit, typed") << "QLineEdit"
                                      << "ab" << typed << "xy";
}

// The operator opens the editor with F2 in a view behind a filter, edits, and commits
// with Return.
void tst_DelegateTool::editorCommitsOnlyChanges()
{
    QFETCH(QString, type);
    QFETCH(QString, cell);
    QFETCH(QTestEventList, edits);
    QFETCH(QString, stored);
    QStandardItemModel model(3, 2);
    for (int row = 0; row < 3; ++row) {
        model.setData(model.index(row, 0), row == 1 ? "edited" : "other");
        model.setData(model.index(row, 1), "other");
    }
    const QModelIndex source = model.index(1, 1);
    model.setData(source, cell);
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&model);
    proxy.setFilterFixedString("edited");
    QTableView view;
    view.setModel(&proxy);
    DelegateTool delegate;
    delegate.setDelegateType(type);
    delegate.setDelegateKey({QStringLiteral("1|男"), QStringLiteral("0|女")});
    delegate.setDelegateValue({QStringLiteral("男"), QStringLiteral("女")});
    view.setItemDelegateForColumn(1, &delegate);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    const QModelIndex shown = proxy.mapFromSource(source);
    QCOMPARE(shown.row(), 0);
    view.setCurrentIndex(shown);
    QTest::keyClick(&view, Qt::Key_F2);
    QWidget *editor = view.indexWidget(shown);
    QVERIFY(editor);
    edits.simulate(editor);
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits and closes on Return through the event loop.
    QTRY_VERIFY(!view.indexWidget(shown));
    QCOMPARE(model.data(source).toString(), stored);
}

void tst_DelegateTool::editorMouseActions()
{
    DelegateTool delegate;
    QLineEdit edit;
    edit.installEventFilter(&delegate);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    QSignalSpy actions(&delegate, &DelegateTool::mouseAction);
    QTest::mousePress(&edit, Qt::LeftButton, {}, {5, 5});
    QTest::mouseRelease(&edit, Qt::LeftButton, {}, {5, 5});
    QTest::mouseDClick(&edit, Qt::RightButton, {}, {5, 5});
    QVERIFY(actions.count() >= 3);
    QCOMPARE(actions.at(0).at(0).toInt(), 1);
    QCOMPARE(actions.at(0).at(1).toBool(), false);
    QCOMPARE(actions.at(1).at(0).toInt(), 2);
    QCOMPARE(actions.last().at(0).toInt(), 3);
    QCOMPARE(actions.last().at(1).toBool(), true);
    // Typing does not count as a mouse action.
    const int before = actions.count();
    QTest::keyClick(&edit, Qt::Key_A);
    QCOMPARE(actions.count(), before);
    QCOMPARE(edit.text(), QStringLiteral("a"));
}

QTEST_MAIN(tst_DelegateTool)
#include "tst_delegatetool.moc"
