#include "appinit.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QMouseEvent>
#include <QPalette>
#include <QWidget>

#include "common/appstate.h"
#include "common/programfolder.h"
#include "common/singleinstance.h"
#include "widgets/appearance.h"
#include "widgets/placeholdertint.h"
#include "widgets/quihelper.h"

namespace {

// The sheets name a Windows font; on other systems map it to a Simplified Chinese
// font that is installed, or Han text falls back to Japanese shapes.
void substituteChineseFont()
{
    const QStringList candidates{QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans SC"),
                                 QStringLiteral("Source Han Sans SC"),
                                 QStringLiteral("WenQuanYi Micro Hei")};
    const QStringList families = QFontDatabase().families();
    for (const QString &family : candidates) {
        if (families.contains(family)) {
            QFont::insertSubstitution(g_fontName, family);
            return;
        }
    }
}

} // namespace

AppInit *AppInit::Instance()
{
    return KitInstance<AppInit, InstanceRegistry::RankAppInit>::get();
}

AppInit::AppInit(QObject *parent) : QObject(parent) {}

QString AppInit::settingsPath(const QString &appDirPath, const QString &appFilePath)
{
    return QStringLiteral("%1/%2.ini").arg(appDirPath, programBaseName(appFilePath));
}

void AppInit::initSettingsPath()
{
    g_iniFilePath = settingsPath(QCoreApplication::applicationDirPath(),
                                 QCoreApplication::applicationFilePath());
}

void AppInit::start()
{
    g_iconMain = 0xf108;
    g_fontSize = 12;

    substituteChineseFont();
    QFont font(g_fontName);
    font.setPixelSize(g_fontSize);
    QApplication::setFont(font);

    QUIHelper::setLocaleCodecUtf8();
    // A missing translation leaves the framework's texts in English.
    QUIHelper::installTranslatorFile(QStringLiteral(":/image/qt_zh_CN.qm"));
    QUIHelper::seedRandom();
}

QString AppInit::generatedRules(bool darkSheet)
{
    const int f = g_fontSize;
    QStringList rules;
    rules << QStringLiteral("QWidget#widgetMain{background:%1;}").arg(g_borderColor);
    rules << QStringLiteral("#labLogoCn{font-size:%1px;}#labLogoEn{font-size:%2px;}")
                 .arg(f + 13)
                 .arg(f + 4);
    rules << QStringLiteral("QWidget#widgetMenu>QPushButton{border-radius:0px;padding:0px;"
                            "margin:1px 1px 2px 1px;}");
    rules << QStringLiteral("QWidget#widgetVideo>QLabel{font-size:%1px;border:2px solid "
                            "%2;background:%3;}")
                 .arg(f + 10)
                 .arg(g_borderColor, g_normalColorStart);
    rules << QStringLiteral("QWidget#widgetVideo>QLabel:focus{border:2px solid %1;background:%2;}")
                 .arg(g_highColor, darkSheet ? g_normalColorEnd : g_darkColorStart);
    rules << QStringLiteral(
        "QWidget#widgetSplite>QPushButton{background:transparent;border:none;}");
    rules << QStringLiteral("QWidget#widgetBtn>QPushButton{font-size:%1px;background:transparent;"
                            "border:none;border-radius:%2px;}")
                 .arg(f + 3)
                 .arg(20);
    rules << QStringLiteral("QWidget#widgetBtn>QPushButton:checked,QWidget#widgetBtn>QPushButton:"
                            "hover{background:%1;border:2px solid %2;}")
                 .arg(g_darkColorEnd, g_borderColor);
    rules << QStringLiteral("QWidget[flag=\"btn\"]>QPushButton{min-height:%1px;max-height:%1px;}")
                 .arg(30);
    rules << QStringLiteral("QWidget[flag=\"btn\"]>QPushButton{font-size:%1px;background:"
                            "transparent;border:none;border-radius:%2px;}")
                 .arg(f + 3)
                 .arg(5);
    rules << QStringLiteral("QWidget[flag=\"btn\"]>QPushButton:checked,QWidget[flag=\"btn\"]>"
                            "QPushButton:hover{background:%1;border:2px solid %2;}")
                 .arg(g_darkColorEnd, g_borderColor);
    rules << QStringLiteral("QFrame[flag=\"btn\"]{background:%1;}").arg(g_borderColor);
    rules << QStringLiteral("QFrame[flag=\"btn\"]>QPushButton{font-size:%1px;font-weight:bold;}")
                 .arg(f + 3);
    rules << QStringLiteral("QFrame[flag=\"navlab\"] QLabel{min-height:%1px;max-height:%1px;"
                            "font:%2px;}")
                 .arg(30)
                 .arg(f + 3);
    rules << QStringLiteral("#widgetControl>QLabel{font-size:%1px;}").arg(f + 12);
    rules << QStringLiteral("#widgetControl>QCheckBox::indicator{width:%1px;height:%1px;}").arg(30);
    rules << QStringLiteral("QLineEdit#txtCard,QLabel#labTip,QLabel#labCard,QLabel#labTime{"
                            "font-weight:bold;font-size:%1px;min-height:%2px;"
                            "qproperty-alignment:AlignCenter;}")
                 .arg(f + 2)
                 .arg(28);
    rules << QStringLiteral("QWidget[flag=\"navbtn\"] QPushButton,QFrame[flag=\"navbtn\"] "
                            "QPushButton{qproperty-iconSize:%1px;min-width:%2px;}")
                 .arg(18)
                 .arg(80);
    rules << QStringLiteral("QLCDNumber{background-color:rgb(0,0,0);color:%1;}")
                 .arg(QStringLiteral("yellow"));
    rules << QStringLiteral("QTabWidget::pane{border:0px;}QTabBar::tab{min-width:%1px;"
                            "min-height:%2px;}")
                 .arg(64)
                 .arg(20);
    rules << QStringLiteral("QListView,QTreeView,#widgetLeft>QTableView{border-width:0px;}");
    rules << QStringLiteral("QTreeView{padding:5px 0px 0px 0px;}");
    rules << QStringLiteral("NavTitle{qproperty-bgColor:%1;qproperty-textColor:%2;"
                            "qproperty-borderColor:%3;}")
                 .arg(g_normalColorStart, g_textColor, g_borderColor);
    rules << QStringLiteral("SwitchButton{min-width:62px;max-height:25px;}");
    return rules.join(QString());
}

void AppInit::initStyle(const QString &styleName)
{
    QString qss;
    if (!QUIHelper::loadThemeSheet(styleName, qss))
        return;

    const bool dark = styleName.contains(QLatin1String("black")) ||
                      styleName.contains(QLatin1String("darkblue")) ||
                      styleName.contains(QLatin1String("purple"));
    qss += generatedRules(dark);

    QApplication::setPalette(QPalette(QColor(g_panelColor)));
    // Sheets cannot style placeholder text; without this it looks typed.
    PlaceholderTint::install();
    qApp->setStyleSheet(qss);
}

bool AppInit::eventFilter(QObject *watched, QEvent *event)
{
    static bool pressed = false;
    static QPoint offset;

    auto *widget = qobject_cast<QWidget *>(watched);
    if (widget && widget->property("canMove").toBool()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton) {
                pressed = true;
                offset = mouse->globalPos() - widget->pos();
            }
            break;
        }
        case QEvent::MouseButtonRelease:
            pressed = false;
            break;
        case QEvent::MouseMove: {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (pressed && mouse->buttons() != Qt::NoButton) {
                widget->move(mouse->globalPos() - offset);
                return true;
            }
            break;
        }
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}
