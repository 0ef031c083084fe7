#include <QtTest>

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRawFont>
#include <QRegularExpression>
#include <QResource>
#include <QStyleOptionToolButton>
#include <QTabBar>
#include <QTableWidget>
#include <QToolButton>
#include <QTranslator>

#include <array>

#include "app/appinit.h"
#include "support/contrast.h"
#include "support/filebytes.h"
#include "support/messagecapture.h"

namespace {

struct ThemeColours
{
    const char *name;
    const char *colours[8]; // in the order of the closing comment lines
};

// The theme table as the program expects to read it back.
const ThemeColours themes[] = {
    {"silvery",
     {"#000000", "#F5F5F5", "#B2B6B9", "#E1E4E6", "#CCD3D9", "#F2F3F4", "#E7E9EB", "#00BB9E"}},
    {"blue",
     {"#324C6C", "#CFDDEE", "#7F9AB8", "#C0D3EB", "#BCCFE7", "#D2E3F5", "#CADDF3", "#00BB9E"}},
    {"lightblue",
     {"#386487", "#EAF7FF", "#C0DCF2", "#DEF0FE", "#C0DEF6", "#F2F9FF", "#DAEFFF", "#00BB9E"}},
    {"darkblue",
     {"#7AAFE3", "#0E1A32", "#132743", "#133050", "#133050", "#033967", "#033967", "#00BB9E"}},
    {"gray",
     {"#000000", "#F0F0F0", "#A9A9A9", "#E4E4E4", "#A2A2A2", "#DBDBDB", "#C1C1C1", "#00BB9E"}},
    {"lightgray",
     {"#6F6F6F", "#F0F0F0", "#D4D0C8", "#EEEEEE", "#E5E5E5", "#FCFCFC", "#F7F7F7", "#00BB9E"}},
    {"darkgray",
     {"#5D5C6C", "#EBECF0", "#A9ACB5", "#D8D9DE", "#C8C8D0", "#EFF0F4", "#DDE0E7", "#00BB9E"}},
    {"black",
     {"#F0F0F0", "#464646", "#353535", "#4D4D4D", "#383838", "#636363", "#575757", "#00BB9E"}},
    {"lightblack",
     {"#E7ECF0", "#616F76", "#738393", "#667481", "#566373", "#778899", "#708090", "#00BB9E"}},
    {"darkblack",
     {"#D7E2E9", "#1F2026", "#111214", "#242629", "#141518", "#007DC4", "#0074BF", "#00BB9E"}},
    {"psblack",
     {"#DCDCDC", "#444444", "#242424", "#484848", "#383838", "#646464", "#525252", "#00BB9E"}},
    {"flatblack",
     {"#BEC0C2", "#2E2F30", "#67696B", "#404244", "#404244", "#262829", "#262829", "#00BB9E"}},
    {"flatwhite",
     {"#57595B", "#FFFFFF", "#B6B6B6", "#E4E4E4", "#E4E4E4", "#F6F6F6", "#F6F6F6", "#00BB9E"}},
    {"flatblue",
     {"#386487", "#EAF7FF", "#C0DCF2", "#DEF0FE", "#DEF0FE", "#C0DEF5", "#C0DEF5", "#00BB9E"}},
    {"purple",
     {"#9290C6", "#23253E", "#1A1E30", "#2D2E4D", "#2D2E4D", "#413E6A", "#413E6A", "#75548B"}},
    {"blackblue",
     {"#4894C6", "#1B3149", "#0F1F2F", "#243D5B", "#243D5B", "#265687", "#265687", "#00BB9E"}},
    {"blackvideo",
     {"#FAF6F7", "#44494F", "#32363F", "#40444D", "#343841", "#5DA2CB", "#478CB6", "#00FFFF"}},
};

const char *const colourKeys[] = {"TextColor",        "PanelColor",     "BorderColor",
                                  "NormalColorStart", "NormalColorEnd", "DarkColorStart",
                                  "DarkColorEnd",     "HighColor"};

const char *const indicatorNames[] = {"add_bottom",
                                      "add_left",
                                      "add_right",
                                      "add_top",
                                      "branch_close",
                                      "branch_open",
                                      "calendar_nextmonth",
                                      "calendar_prevmonth",
                                      "checkbox_checked",
                                      "checkbox_checked_disable",
                                      "checkbox_parcial",
                                      "checkbox_parcial_disable",
                                      "checkbox_unchecked",
                                      "checkbox_unchecked_disable",
                                      "radiobutton_checked",
                                      "radiobutton_checked_disable",
                                      "radiobutton_unchecked",
                                      "radiobutton_unchecked_disable"};

QString readSheet(const QString &name)
{
    return QString::fromLatin1(FileBytes::read(QStringLiteral(":/qss/%1.css").arg(name)));
}

int opaquePixels(const QImage &image)
{
    int count = 0;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            count += qAlpha(argb.pixel(x, y)) > 128 ? 1 : 0;
    return count;
}

bool near(QRgb pixel, const QColor &expected, int tolerance = 6)
{
    return qAbs(qRed(pixel) - expected.red()) <= tolerance &&
           qAbs(qGreen(pixel) - expected.green()) <= tolerance &&
           qAbs(qBlue(pixel) - expected.blue()) <= tolerance && qAlpha(pixel) == 255;
}

bool containsColour(const QImage &image, const QColor &expected)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            if (near(argb.pixel(x, y), expected))
                return true;
    return false;
}

const double textFloor = 4.5;
const double edgeFloor = 3.0;

// What an edge must reach on `back`: 3:1, or as much as the theme's text colour has there.
double edgeFloorOn(const QColor &themeText, const QColor &back)
{
    return qMin(edgeFloor, Contrast::ratio(themeText, back)) - 0.005;
}

QString pair(const QColor &front, const QColor &back)
{
    return QStringLiteral("%1 on %2: %3:1")
        .arg(front.name(), back.name())
        .arg(Contrast::ratio(front, back), 0, 'f', 2);
}

// A translucent colour as it shows over an opaque one.
QColor over(const QColor &top, const QColor &below)
{
    const qreal a = top.alphaF();
    auto channel = [a](int t, int b) { return qRound(t * a + b * (1 - a)); };
    return QColor(channel(top.red(), below.red()), channel(top.green(), below.green()),
                  channel(top.blue(), below.blue()));
}

// The declarations of the first rule whose selector ends with `selector` ("...{").
QString ruleBody(const QString &sheet, const QString &selector)
{
    const int open = sheet.indexOf(selector);
    if (open < 0)
        return {};
    const int from = open + selector.size();
    return sheet.mid(from, sheet.indexOf(QLatin1Char('}'), from) - from);
}

// The "#RRGGBB" or "#AARRGGBB" value of a declaration such as "color:" in a rule body.
QString declaredColour(const QString &body, const QString &property)
{
    const QRegularExpression value(QStringLiteral("(?:^|[{;])") +
                                   QRegularExpression::escape(property) +
                                   QStringLiteral("(#[0-9A-Fa-f]{6}(?:[0-9A-Fa-f]{2})?)"));
    return value.match(body).captured(1);
}

// Every rule of a sheet as selector and declarations.
QVector<QPair<QString, QString>> rules(const QString &sheet)
{
    QVector<QPair<QString, QString>> result;
    const QRegularExpression rule(QStringLiteral("([^{}]+)\\{([^}]*)\\}"));
    for (auto it = rule.globalMatch(sheet); it.hasNext();) {
        const auto match = it.next();
        result.append({match.captured(1).trimmed(), match.captured(2)});
    }
    return result;
}

// A window in the theme applied as the program applies it, with one column on the panel
// and one on the border colour, as the main window's pages are.
class ThemedScene
{
public:
    explicit ThemedScene(const QString &name)
    {
        AppInit::Instance()->initStyle(QStringLiteral(":/qss/%1.css").arg(name));
        auto *layout = new QHBoxLayout(&m_window);
        m_onPanel = new QWidget;
        m_onBorder = new QWidget;
        m_onBorder->setObjectName(QStringLiteral("widgetMain"));
        for (QWidget *column : {m_onPanel, m_onBorder}) {
            new QVBoxLayout(column);
            layout->addWidget(column);
        }
    }
    ~ThemedScene() { qApp->setStyleSheet(QString()); }

    // Adds a widget made by `make` to both columns: the one on the panel first.
    template <typename W, typename Make> std::array<W *, 2> add(Make make)
    {
        std::array<W *, 2> made{make(), make()};
        m_onPanel->layout()->addWidget(made[0]);
        m_onBorder->layout()->addWidget(made[1]);
        return made;
    }

    bool showAndGrab()
    {
        m_window.resize(520, 10);
        m_window.show();
        if (!QTest::qWaitForWindowExposed(&m_window))
            return false;
        m_image = m_window.grab().toImage();
        return true;
    }
    // The colour shown at `point` of `widget`.
    QColor at(const QWidget *widget, QPoint point) const
    {
        return QColor(m_image.pixel(widget->mapTo(&m_window, point)));
    }

private:
    QWidget m_window;
    QWidget *m_onPanel = nullptr;
    QWidget *m_onBorder = nullptr;
    QImage m_image;
};

} // namespace

class tst_Resources : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sheetLayout_data();
    void sheetLayout();
    void sheetStylesProgramSelectors_data();
    void sheetStylesProgramSelectors();
    void sheetParsesAndImagesResolve_data();
    void sheetParsesAndImagesResolve();
    void disabledRule_data();
    void disabledRule();
    void selectedTextReads_data();
    void selectedTextReads();
    void edgesShowOnBackground_data();
    void edgesShowOnBackground();
    void themedWidgetsRead_data();
    void themedWidgetsRead();
    void indicatorImages_data();
    void indicatorImages();
    void stateImages_data();
    void stateImages();
    void sharedImages_data();
    void sharedImages();
    void fontGlyphs_data();
    void fontGlyphs();
    void translation();
};

void tst_Resources::initTestCase()
{
    // Also makes sure this binary links the library that carries the resources.
    Q_INIT_RESOURCE(kestrane);
}

static void addThemeRows()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("colours");
    for (const ThemeColours &theme : themes) {
        QStringList colours;
        for (const char *colour : theme.colours)
            colours << QLatin1String(colour);
        QTest::newRow(theme.name) << QString::fromLatin1(theme.name) << colours;
    }
}

void tst_Resources::sheetLayout_data()
{
    addThemeRows();
}

// The program reads the palette from index 20 and the colours from the closing comments.
void tst_Resources::sheetLayout()
{
    QFETCH(QString, name);
    QFETCH(QStringList, colours);
    const QString sheet = readSheet(name);
    QVERIFY2(!sheet.isEmpty(), qPrintable(name));

    QCOMPARE(QResource(QStringLiteral(":/qss/%1.css").arg(name)).compressionAlgorithm(),
             QResource::ZlibCompression);
    QVERIFY(sheet.startsWith(QStringLiteral("QPalette{background:") + colours.at(1)));
    QCOMPARE(sheet.mid(20, 7), colours.at(1));

    const QStringList lines = sheet.split(QLatin1Char('\n'));
    QVERIFY(lines.size() > 8);
    for (int i = 0; i < 8; ++i) {
        const QString expected = QStringLiteral("/*%1:%2*/").arg(colourKeys[i], colours.at(i));
        QCOMPARE(lines.at(lines.size() - 8 + i), expected);
        // The first occurrence of each key is the one read back.
        const QString key = QLatin1String(colourKeys[i]) + QLatin1Char(':');
        QCOMPARE(sheet.mid(sheet.indexOf(key) + key.size(), 7), colours.at(i));
    }
    QVERIFY(sheet.endsWith(QStringLiteral("/*HighColor:") + colours.at(7) + QStringLiteral("*/")));
    QVERIFY2(!sheet.contains(QLatin1Char('@')), "a template placeholder was left unfilled");
    QVERIFY(!sheet.contains(QLatin1Char('\0')));

    const int rules = sheet.count(QLatin1Char('{'));
    QVERIFY2(rules >= 110 && rules <= 150, qPrintable(QString::number(rules)));
}

void tst_Resources::sheetStylesProgramSelectors_data()
{
    addThemeRows();
}

void tst_Resources::sheetStylesProgramSelectors()
{
    QFETCH(QString, name);
    QFETCH(QStringList, colours);
    const QString sheet = readSheet(name);
    const QString gradient =
        QStringLiteral("stop:0 %1,stop:1 %2").arg(colours.at(3), colours.at(4));
    const struct
    {
        QString selector;
        QString declaration;
    } expected[] = {
        {QStringLiteral("QWidget[form=\"true\"]"),
         QStringLiteral("border:1px solid ") + colours.at(2)},
        {QStringLiteral("QWidget[form=\"title\"]{"), gradient},
        {QStringLiteral("QWidget[form=\"title\"]{"), QStringLiteral("color:") + colours.at(0)},
        {QStringLiteral("QWidget[form=\"bottom\"]{"),
         QStringLiteral("background:") + colours.at(3)},
        {QStringLiteral("QWidget[nav=\"top\"] QAbstractButton:checked"),
         QStringLiteral("border-width:0px 0px 2px 0px")},
        {QStringLiteral("QWidget[nav=\"top\"] QAbstractButton:checked"), colours.at(7)},
        {QStringLiteral("QWidget[nav=\"left\"]"), QString()},
        {QStringLiteral("#btnMenu_Min"), QString()},
        {QStringLiteral("#btnMenu_Max"), QString()},
        {QStringLiteral("#btnMenu_Close"), QString()},
    };
    for (const auto &rule : expected) {
        const int at = sheet.indexOf(rule.selector);
        QVERIFY2(at >= 0, qPrintable(rule.selector));
        const int open = sheet.indexOf(QLatin1Char('{'), at);
        const QString body = sheet.mid(open, sheet.indexOf(QLatin1Char('}'), open) - open);
        QVERIFY2(body.contains(rule.declaration), qPrintable(rule.selector + body));
    }
}

void tst_Resources::sheetParsesAndImagesResolve_data()
{
    addThemeRows();
}

// A typo in the template shows up only as a warning at run time, and a wrong image name
// only as a missing picture: both are looked for here.
void tst_Resources::sheetParsesAndImagesResolve()
{
    QFETCH(QString, name);
    const QString sheet = readSheet(name);

    const QRegularExpression url(QStringLiteral("url\\(([^)]*)\\)"));
    int urls = 0;
    for (auto it = url.globalMatch(sheet); it.hasNext(); ++urls) {
        const QString path = it.next().captured(1);
        QVERIFY2(path.startsWith(QStringLiteral(":/qss/") + name + QLatin1Char('/')),
                 qPrintable(path));
        QVERIFY2(!QImage(path).isNull(), qPrintable(path));
    }
    QVERIFY(urls >= 18);

    QStringList parseWarnings;
    {
        MessageCapture capture;
        QWidget window;
        window.setStyleSheet(sheet);
        QCheckBox box(&window);
        box.ensurePolished();
        window.ensurePolished();
        parseWarnings = capture.texts(QtWarningMsg);
    }
    QVERIFY2(parseWarnings.isEmpty(), qPrintable(parseWarnings.join(QLatin1Char('\n'))));
}

void tst_Resources::disabledRule_data()
{
    addThemeRows();
}

// The last rule styles disabled widgets and menu items in the border colour: as their text
// colour, except light black, which gives it as their border.
void tst_Resources::disabledRule()
{
    QFETCH(QString, name);
    QFETCH(QStringList, colours);
    const QString sheet = readSheet(name);
    const int end = sheet.lastIndexOf(QLatin1Char('}'));
    const int start = sheet.lastIndexOf(QLatin1Char('}'), end - 1) + 1;
    const QString rule = sheet.mid(start, end + 1 - start).trimmed();
    QVERIFY2(rule.startsWith(QStringLiteral("QWidget:disabled,QMenu::item:disabled{")),
             qPrintable(rule));
    const bool lightBlack = name == QLatin1String("lightblack");
    QCOMPARE(rule.contains(QStringLiteral("border-color:") + colours.at(2)), lightBlack);
    QCOMPARE(rule.contains(QStringLiteral("{color:") + colours.at(2)), !lightBlack);
}

void tst_Resources::selectedTextReads_data()
{
    addThemeRows();
}

// Selected rows, menu items and text lie on a translucent highlight over the panel (over the
// tint of alternate rows too): their text must read there at 4.5:1.
void tst_Resources::selectedTextReads()
{
    QFETCH(QString, name);
    QFETCH(QStringList, colours);
    const QString sheet = readSheet(name);
    const QColor panel(colours.at(1));
    int checked = 0;
    for (const auto &rule : rules(sheet)) {
        QColor text(declaredColour(rule.second, QStringLiteral("selection-color:")));
        QColor fill(declaredColour(rule.second, QStringLiteral("selection-background-color:")));
        if (rule.first == QLatin1String("QMenu::item:selected")) {
            text = QColor(declaredColour(rule.second, QStringLiteral("color:")));
            fill = QColor(declaredColour(rule.second, QStringLiteral("background:")));
        }
        if (!text.isValid() || !fill.isValid())
            continue;
        ++checked;
        QVector<QColor> below{over(fill, panel)};
        // Calendar cells fill the selection twice.
        if (rule.first.contains(QLatin1String("QCalendarWidget")))
            below = {over(fill, over(fill, panel))};
        const QColor alternate(declaredColour(rule.second, "alternate-background-color:"));
        if (alternate.isValid())
            below << over(fill, over(alternate, panel));
        for (const QColor &back : below)
            QVERIFY2(Contrast::ratio(text, back) >= textFloor,
                     qPrintable(rule.first + ": " + pair(text, back)));
    }
    QCOMPARE(checked, 5);
}

void tst_Resources::edgesShowOnBackground_data()
{
    addThemeRows();
}

// Empty input fields, frames and group boxes are found by their edges alone, on the panel and
// on the border colour: 3:1, or as much as the theme's own text colour has there.
void tst_Resources::edgesShowOnBackground()
{
    QFETCH(QString, name);
    QFETCH(QStringList, colours);
    const QString sheet = readSheet(name);
    for (const QString &selector : {QStringLiteral("QDateTimeEdit{"), QStringLiteral(".QGroupBox{"),
                                    QStringLiteral(".QFrame{")}) {
        const QColor edge(
            declaredColour(ruleBody(sheet, selector), QStringLiteral("border:1px solid ")));
        QVERIFY2(edge.isValid(), qPrintable(selector));
        for (int i : {1, 2}) {
            const QColor back(colours.at(i));
            QVERIFY2(Contrast::ratio(edge, back) >= edgeFloorOn(QColor(colours.at(0)), back),
                     qPrintable(selector + pair(edge, back)));
        }
    }
}

void tst_Resources::themedWidgetsRead_data()
{
    addThemeRows();
}

// What the themed widgets really paint, on the panel and on the border colour that the main
// window's pages sit on.
void tst_Resources::themedWidgetsRead()
{
    QFETCH(QString, name);
    QFETCH(QStringList, colours);
    const QString sheet = readSheet(name);
    const QColor selectedText(declaredColour(
        ruleBody(sheet, QStringLiteral("QAbstractItemView::item:selected{")), "color:"));
    const QColor progressText(
        declaredColour(ruleBody(sheet, QStringLiteral("QProgressBar{")), "color:"));
    QVERIFY(selectedText.isValid() && progressText.isValid());

    ThemedScene scene(name);
    const auto lists = scene.add<QListWidget>([] {
        auto *list = new QListWidget;
        list->addItems({QStringLiteral("a"), QStringLiteral("b")});
        list->setCurrentRow(1);
        return list;
    });
    const auto tables = scene.add<QTableWidget>([] {
        auto *table = new QTableWidget(2, 1);
        table->setItem(1, 0, new QTableWidgetItem(QStringLiteral("b")));
        table->selectRow(1);
        return table;
    });
    const auto bars = scene.add<QProgressBar>([] {
        auto *progress = new QProgressBar;
        progress->setValue(30);
        return progress;
    });
    const auto edits = scene.add<QLineEdit>([] {
        auto *edit = new QLineEdit;
        edit->setFocusPolicy(Qt::NoFocus); // a focused field takes the highlight as its edge
        return edit;
    });
    const auto boxes = scene.add<QGroupBox>([] {
        auto *box = new QGroupBox(QStringLiteral("g"));
        box->setMinimumHeight(40);
        return box;
    });
    const auto frames = scene.add<QFrame>([] {
        auto *frame = new QFrame;
        frame->setFrameShape(QFrame::StyledPanel);
        frame->setMinimumHeight(30);
        return frame;
    });
    QMenu menu;
    menu.addAction(QStringLiteral("a"));
    const auto splits = scene.add<QToolButton>([&menu] {
        auto *button = new QToolButton;
        button->setText(QStringLiteral("split"));
        button->setMenu(&menu);
        button->setPopupMode(QToolButton::MenuButtonPopup);
        return button;
    });
    const auto tabBars = scene.add<QTabBar>([] {
        auto *bar = new QTabBar;
        for (int i = 0; i < 3; ++i)
            bar->addTab(QStringLiteral("WWW"));
        bar->setTabEnabled(2, false);
        return bar;
    });
    QVERIFY(scene.showAndGrab());

    // The fill behind a selected list row and table cell, just inside its right end.
    for (QAbstractItemView *view :
         std::initializer_list<QAbstractItemView *>{lists[0], lists[1], tables[0], tables[1]}) {
        const QRect cell = view->visualRect(view->model()->index(1, 0));
        const QColor fill = scene.at(view->viewport(), QPoint(cell.right() - 3, cell.center().y()));
        QVERIFY2(Contrast::ratio(selectedText, fill) >= textFloor,
                 qPrintable(QLatin1String(view->metaObject()->className()) + ": " +
                            pair(selectedText, fill)));
    }

    // The percentage is written across groove and chunk in one colour.
    for (QProgressBar *progress : bars) {
        const int y = progress->height() / 2;
        const int chunkEnd = progress->width() * 30 / 100;
        for (int x : {4, chunkEnd - 4, progress->width() - 6}) {
            const QColor back = scene.at(progress, QPoint(x, y));
            QVERIFY2(Contrast::ratio(progressText, back) >= textFloor,
                     qPrintable(QStringLiteral("x %1: ").arg(x) + pair(progressText, back)));
        }
    }

    // The left edge of each field, box and frame against what lies just outside it.
    const QVector<QColor> backgrounds{QColor(colours.at(1)), QColor(colours.at(2))};
    const QVector<QWidget *> outlined{edits[0], edits[1], boxes[0], boxes[1], frames[0], frames[1]};
    for (QWidget *widget : outlined) {
        const int y = widget->height() * 2 / 3;
        const QColor edge = scene.at(widget, QPoint(0, y));
        const QColor back = scene.at(widget, QPoint(-3, y));
        QVERIFY2(backgrounds.contains(back), qPrintable(back.name()));
        QVERIFY2(
            Contrast::ratio(edge, back) >= edgeFloorOn(QColor(colours.at(0)), back),
            qPrintable(QLatin1String(widget->metaObject()->className()) + ": " + pair(edge, back)));
    }

    // The menu part of a split tool button is drawn like the rest of the button.
    QToolButton *button = splits[0];
    QStyleOptionToolButton option;
    option.initFrom(button);
    option.subControls = QStyle::SC_ToolButton | QStyle::SC_ToolButtonMenu;
    option.features = QStyleOptionToolButton::MenuButtonPopup | QStyleOptionToolButton::HasMenu;
    const QRect part = button->style()->subControlRect(QStyle::CC_ToolButton, &option,
                                                       QStyle::SC_ToolButtonMenu, button);
    QVERIFY(part.width() > 8);
    const int y = button->height() / 4;
    const QColor face = scene.at(button, QPoint(4, y));
    const QColor menuPart = scene.at(button, QPoint(part.right() - 3, y));
    QVERIFY2(Contrast::ratio(face, menuPart) < 1.2, qPrintable(pair(menuPart, face)));

    // A disabled tab's caption stands out less than an enabled one's, yet shows.
    QTabBar *bar = tabBars[0];
    auto captionContrast = [&](int index) {
        const QRect tab = bar->tabRect(index);
        const QColor tabFace = scene.at(bar, QPoint(tab.left() + 3, tab.center().y()));
        double strongest = 1.0;
        for (int x = tab.left() + 3; x < tab.right() - 3; ++x)
            strongest = qMax(strongest,
                             Contrast::ratio(tabFace, scene.at(bar, QPoint(x, tab.center().y()))));
        return strongest;
    };
    const double enabled = captionContrast(1);
    const double disabled = captionContrast(2);
    QVERIFY2(disabled < enabled * 0.8,
             qPrintable(QStringLiteral("%1 vs %2").arg(disabled).arg(enabled)));
    QVERIFY(disabled > 1.3);
}

void tst_Resources::indicatorImages_data()
{
    addThemeRows();
}

void tst_Resources::indicatorImages()
{
    QFETCH(QString, name);
    QFETCH(QStringList, colours);
    const QString folder = QStringLiteral(":/qss/") + name;
    QCOMPARE(QDir(folder).entryList().size(), int(std::size(indicatorNames)));
    for (const char *image : indicatorNames) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(image) + ".png";
        const QImage picture(path);
        QVERIFY2(!picture.isNull(), qPrintable(path));
        QCOMPARE(picture.size(), QSize(20, 20));
        QVERIFY2(opaquePixels(picture) > 5, qPrintable(path));
        QCOMPARE(qAlpha(picture.pixel(0, 0)), 0);
    }
    // Checked boxes and radio buttons carry the theme's highlight colour.
    QVERIFY(containsColour(QImage(folder + "/checkbox_checked.png"), QColor(colours.at(7))));
    QVERIFY(containsColour(QImage(folder + "/radiobutton_checked.png"), QColor(colours.at(7))));
    QVERIFY(
        !containsColour(QImage(folder + "/checkbox_checked_disable.png"), QColor(colours.at(7))));
    // Arrows are drawn in the text colour, which reads on the theme's panel.
    QVERIFY(containsColour(QImage(folder + "/add_bottom.png"), QColor(colours.at(0))));
}

void tst_Resources::stateImages_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QColor>("disc");
    QTest::addColumn<QColor>("ring");
    QTest::newRow("ok") << ":/image/ok.png" << QColor("#22944A") << QColor("#B9DCC6");
    QTest::newRow("normal") << ":image/normal.png" << QColor("#8A8A8A") << QColor("#CDCDCD");
    QTest::newRow("error") << ":/image/error.png" << QColor("#D81E06") << QColor("#E68376");
    for (int n = 1; n <= 8; ++n) {
        QTest::addRow("%d_ok", n) << QStringLiteral(":/image/%1_ok.png").arg(n) << QColor("#4CAF50")
                                  << QColor("#D1E5D2");
        QTest::addRow("%d_normal", n) << QStringLiteral(":image/%1_normal.png").arg(n)
                                      << QColor("#8A8A8A") << QColor("#DBDBDB");
    }
}

void tst_Resources::stateImages()
{
    QFETCH(QString, path);
    QFETCH(QColor, disc);
    QFETCH(QColor, ring);
    const QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), QSize(32, 32));
    for (const QPoint corner : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31)})
        QCOMPARE(qAlpha(image.pixel(corner)), 0);
    QVERIFY2(near(image.pixel(16, 3), ring), qPrintable(QColor(image.pixel(16, 3)).name()));
    QVERIFY2(near(image.pixel(16, 7), disc), qPrintable(QColor(image.pixel(16, 7)).name()));

    // A digit is white inside the disc; the plain dots have none.
    const bool numbered = QFileInfo(path).baseName().contains(QLatin1Char('_'));
    int white = 0;
    for (int y = 9; y < 24; ++y)
        for (int x = 9; x < 24; ++x)
            white += near(image.pixel(x, y), Qt::white, 40) ? 1 : 0;
    QCOMPARE(white > 8, numbered);
}

void tst_Resources::sharedImages_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::newRow("msg_info") << ":/image/msg_info.png" << QSize(30, 30);
    QTest::newRow("msg_question") << ":/image/msg_question.png" << QSize(30, 30);
    QTest::newRow("msg_error") << ":/image/msg_error.png" << QSize(30, 30);
    QTest::newRow("btn_ok") << ":/image/btn_ok.png" << QSize(32, 32);
    QTest::newRow("btn_close") << ":/image/btn_close.png" << QSize(32, 32);
    QTest::newRow("icon1") << ":/image/icon1.png" << QSize(64, 64);
}

void tst_Resources::sharedImages()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), size);
    QVERIFY(opaquePixels(image) > size.width());
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
}

void tst_Resources::fontGlyphs_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("glyph");
    QTest::newRow("FontAwesome cog") << ":/image/fontawesome-webfont.ttf"
                                     << "FontAwesome" << 0xF013;
    for (int glyph : {0xE513, 0xEA44, 0xEA5B, 0xEA59, 0xE6DE, 0xEA43})
        QTest::addRow("iconfont %X", glyph) << ":/image/iconfont.ttf"
                                            << "iconfont" << glyph;
}

void tst_Resources::fontGlyphs()
{
    QFETCH(QString, path);
    QFETCH(QString, family);
    QFETCH(int, glyph);
    const int id = QFontDatabase::addApplicationFont(path);
    QVERIFY2(id >= 0, qPrintable(path));
    QVERIFY(QFontDatabase::applicationFontFamilies(id).contains(family));

    QFont font(family);
    font.setPixelSize(40);
    QVERIFY(QRawFont::fromFont(font).supportsCharacter(uint(glyph)));

    QImage image(48, 48, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), Qt::AlignCenter, QString(QChar(glyph)));
    painter.end();
    QVERIFY2(opaquePixels(image) > 40, qPrintable(QString::number(opaquePixels(image))));
}

void tst_Resources::translation()
{
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(":/image/qt_zh_CN.qm")));
    QVERIFY(qApp->installTranslator(&translator));
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
    QCOMPARE(buttons.button(QDialogButtonBox::Ok)->text(), QStringLiteral("确定"));
    qApp->removeTranslator(&translator);
}

QTEST_MAIN(tst_Resources)
#include "tst_resources.moc"
