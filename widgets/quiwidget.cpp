#include "quiwidget.h"

#include <QAction>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include "widgets/appearance.h"
#include "widgets/iconhelper.h"
#include "widgets/quidateselect.h"
#include "widgets/quihelper.h"
#include "widgets/quiinputbox.h"
#include "widgets/quimessagebox.h"

namespace {

QWidget *newLayoutHolder(QWidget *parent, const QString &name)
{
    auto *holder = new QWidget(parent);
    holder->setObjectName(name);
    return holder;
}

template <typename Layout> Layout *newTightLayout(QWidget *on, const QString &name, int margin)
{
    auto *layout = new Layout(on);
    layout->setObjectName(name);
    layout->setSpacing(0);
    layout->setContentsMargins(margin, margin, margin, margin);
    return layout;
}

} // namespace

QUIWidget::QUIWidget(QWidget *parent) : QDialog(parent)
{
    initControl();
    initForm();
}

const QStringList &QUIWidget::themeCaptions()
{
    static const QStringList captions = {
        QStringLiteral("银色"),     QStringLiteral("蓝色"),     QStringLiteral("浅蓝色"),
        QStringLiteral("深蓝色"),   QStringLiteral("灰色"),     QStringLiteral("浅灰色"),
        QStringLiteral("深灰色"),   QStringLiteral("黑色"),     QStringLiteral("浅黑色"),
        QStringLiteral("深黑色"),   QStringLiteral("PS黑色"),   QStringLiteral("黑色扁平"),
        QStringLiteral("白色扁平"), QStringLiteral("蓝色扁平"), QStringLiteral("紫色"),
        QStringLiteral("黑蓝色"),   QStringLiteral("视频黑"),
    };
    return captions;
}

void QUIWidget::initControl()
{
    setObjectName(QStringLiteral("QUIWidget"));
    resize(900, 750);
    verticalLayout1 = newTightLayout<QVBoxLayout>(this, QStringLiteral("verticalLayout1"), 1);

    widgetMainQUI = newLayoutHolder(this, QStringLiteral("widgetMainQUI"));
    verticalLayout2 =
        newTightLayout<QVBoxLayout>(widgetMainQUI, QStringLiteral("verticalLayout2"), 0);
    verticalLayout1->addWidget(widgetMainQUI);

    widgetTitle = newLayoutHolder(widgetMainQUI, QStringLiteral("widgetTitle"));
    widgetTitle->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    widgetTitle->setMinimumHeight(30);
    horizontalLayout4 =
        newTightLayout<QHBoxLayout>(widgetTitle, QStringLiteral("horizontalLayout4"), 0);

    labIco = new QLabel(widgetTitle);
    labIco->setObjectName(QStringLiteral("labIco"));
    labIco->setMinimumWidth(30);
    labIco->setAlignment(Qt::AlignCenter);
    horizontalLayout4->addWidget(labIco);

    labTitle = new QLabel(widgetTitle);
    labTitle->setObjectName(QStringLiteral("labTitle"));
    labTitle->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    labTitle->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalLayout4->addWidget(labTitle);

    widgetMenu = newLayoutHolder(widgetTitle, QStringLiteral("widgetMenu"));
    horizontalLayout =
        newTightLayout<QHBoxLayout>(widgetMenu, QStringLiteral("horizontalLayout"), 0);
    btnMenu = new QToolButton(widgetMenu);
    btnMenu->setObjectName(QStringLiteral("btnMenu"));
    btnMenu->setMinimumWidth(30);
    btnMenu->setMaximumWidth(30);
    btnMenu->setFocusPolicy(Qt::NoFocus);
    btnMenu->setPopupMode(QToolButton::InstantPopup);
    // Its glyph is the arrow already; the style's own menu arrow would repeat it.
    btnMenu->setStyleSheet(QStringLiteral("QToolButton::menu-indicator{image:none;}"));
    horizontalLayout->addWidget(btnMenu);
    btnMenu_Min = addTitleButton(QStringLiteral("btnMenu_Min"));
    btnMenu_Max = addTitleButton(QStringLiteral("btnMenu_Max"));
    btnMenu_Close = addTitleButton(QStringLiteral("btnMenu_Close"));
    horizontalLayout4->addWidget(widgetMenu);
    verticalLayout2->addWidget(widgetTitle);

    widget = newLayoutHolder(widgetMainQUI, QStringLiteral("widget"));
    verticalLayout3 = newTightLayout<QVBoxLayout>(widget, QStringLiteral("verticalLayout3"), 0);
    verticalLayout2->addWidget(widget);

    connect(btnMenu_Min, &QPushButton::clicked, this, &QUIWidget::on_btnMenu_Min_clicked);
    connect(btnMenu_Max, &QPushButton::clicked, this, &QUIWidget::on_btnMenu_Max_clicked);
    connect(btnMenu_Close, &QPushButton::clicked, this, &QUIWidget::on_btnMenu_Close_clicked);
}

QPushButton *QUIWidget::addTitleButton(const QString &name)
{
    auto *button = new QPushButton(widgetMenu);
    button->setObjectName(name);
    button->setMinimumWidth(30);
    button->setMaximumWidth(30);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::ArrowCursor);
    horizontalLayout->addWidget(button);
    return button;
}

void QUIWidget::initForm()
{
    setIconMain(QChar(g_iconMain), 11);
    IconHelper *icons = IconHelper::Instance();
    icons->setButtonGlyph(btnMenu, QChar(g_iconMenu), 12);
    icons->setButtonGlyph(btnMenu_Min, QChar(g_iconMin), 12);
    icons->setButtonGlyph(btnMenu_Max, QChar(g_iconNormal), 12);
    icons->setButtonGlyph(btnMenu_Close, QChar(g_iconClose), 12);

    setProperty("form", true);
    setProperty("canMove", true);
    widgetTitle->setProperty("form", "title");
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowMinMaxButtonsHint);

    title = QStringLiteral("QUI Demo");
    alignment = Qt::AlignLeft | Qt::AlignVCenter;
    minHide = false;
    exitAll = true;
    mainWidget = nullptr;

    btnMenu->setVisible(false);
    installEventFilter(this);
    widgetTitle->installEventFilter(this);

    for (const QString &caption : themeCaptions()) {
        auto *action = new QAction(caption, this);
        connect(action, &QAction::triggered, this, qOverload<>(&QUIWidget::changeStyle));
        btnMenu->addAction(action);
    }
}

void QUIWidget::changeStyle()
{
    auto *action = qobject_cast<QAction *>(sender());
    const int number = action ? themeCaptions().indexOf(action->text()) : -1;
    QString qssFile = QStringLiteral(":/qss/lightblue.css");
    if (number >= 0) {
        QUIHelper::setStyleByNumber(number);
        qssFile = QUIHelper::styleSheetPath(number);
    }
    emit changeStyle(qssFile);
}

void QUIWidget::on_btnMenu_Min_clicked()
{
    if (minHide)
        hide();
    else
        showMinimized();
}

void QUIWidget::on_btnMenu_Max_clicked()
{
    // Shared by every shell, like the one screen they maximise to.
    static bool max = false;
    static QRect location;

    if (max) {
        setGeometry(location);
        IconHelper::Instance()->setButtonGlyph(btnMenu_Max, QChar(g_iconNormal), 12);
    } else {
        location = geometry();
        setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
        IconHelper::Instance()->setButtonGlyph(btnMenu_Max, QChar(g_iconMax), 12);
    }
    setProperty("canMove", max);
    max = !max;
}

void QUIWidget::on_btnMenu_Close_clicked()
{
    emit closing();
    if (mainWidget)
        mainWidget->close();
    if (exitAll)
        close();
}

QWidget *QUIWidget::part(Widget widget) const
{
    switch (widget) {
    case Lab_Ico:
        return labIco;
    case BtnMenu:
        return btnMenu;
    case BtnMenu_Min:
        return btnMenu_Min;
    case BtnMenu_Max:
    case BtnMenu_Normal:
        return btnMenu_Max;
    case BtnMenu_Close:
        return btnMenu_Close;
    }
    return nullptr;
}

void QUIWidget::setIcon(QUIWidget::Widget widget, QChar str, uint size)
{
    int *glyph = nullptr;
    switch (widget) {
    case Lab_Ico:
        setIconMain(str, size);
        return;
    case BtnMenu:
        glyph = &g_iconMenu;
        break;
    case BtnMenu_Min:
        glyph = &g_iconMin;
        break;
    case BtnMenu_Max:
        glyph = &g_iconMax;
        break;
    case BtnMenu_Normal:
        glyph = &g_iconNormal;
        break;
    case BtnMenu_Close:
        glyph = &g_iconClose;
        break;
    default:
        return;
    }
    *glyph = str.unicode();
    IconHelper::Instance()->setButtonGlyph(static_cast<QAbstractButton *>(part(widget)), str, size);
}

void QUIWidget::setIconMain(QChar str, uint size)
{
    g_iconMain = str.unicode();
    IconHelper::Instance()->setLabelGlyph(labIco, str, size);
    QUIMessageBox::Instance()->setIconMain(str, size);
    QUIInputBox::Instance()->setIconMain(str, size);
    QUIDateSelect::Instance()->setIconMain(str, size);
}

void QUIWidget::setPixmap(QUIWidget::Widget widget, const QString &file, const QSize &size)
{
    if (widget == Lab_Ico) {
        const QPixmap pixmap(file);
        labIco->setPixmap(pixmap.isNull()
                              ? pixmap
                              : pixmap.scaled(size, Qt::KeepAspectRatio, Qt::FastTransformation));
    } else if (widget != BtnMenu_Normal) {
        if (auto *button = qobject_cast<QAbstractButton *>(part(widget)))
            button->setIcon(QIcon(file));
    }
}

void QUIWidget::setVisible(QUIWidget::Widget widget, bool visible)
{
    if (widget == BtnMenu_Normal)
        return;
    if (QWidget *target = part(widget))
        target->setVisible(visible);
}

void QUIWidget::setOnlyCloseBtn()
{
    btnMenu->setVisible(false);
    btnMenu_Min->setVisible(false);
    btnMenu_Max->setVisible(false);
}

void QUIWidget::setTitleHeight(int height)
{
    widgetTitle->setFixedHeight(height);
}

void QUIWidget::setBtnWidth(int width)
{
    labIco->setFixedWidth(width);
    btnMenu->setFixedWidth(width);
    btnMenu_Min->setFixedWidth(width);
    btnMenu_Max->setFixedWidth(width);
    btnMenu_Close->setFixedWidth(width);
}

void QUIWidget::setTitle(const QString &title)
{
    if (this->title == title)
        return;
    this->title = title;
    labTitle->setText(title);
    setWindowTitle(labTitle->text());
}

void QUIWidget::setAlignment(Qt::Alignment alignment)
{
    if (this->alignment == alignment)
        return;
    this->alignment = alignment;
    labTitle->setAlignment(alignment);
}

void QUIWidget::setMinHide(bool minHide)
{
    this->minHide = minHide;
}

void QUIWidget::setExitAll(bool exitAll)
{
    this->exitAll = exitAll;
}

void QUIWidget::setMainWidget(QWidget *mainWidget)
{
    if (this->mainWidget || !mainWidget)
        return;
    verticalLayout3->addWidget(mainWidget);
    resize(mainWidget->width(), mainWidget->height() + widgetTitle->height());
    this->mainWidget = mainWidget;
}

bool QUIWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != widgetTitle)
        return QDialog::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && property("canMove").toBool()) {
            m_dragging = true;
            m_dragOffset = mouse->globalPos() - pos();
            return true;
        }
        break;
    }
    case QEvent::MouseMove:
        if (m_dragging) {
            move(static_cast<QMouseEvent *>(event)->globalPos() - m_dragOffset);
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        m_dragging = false;
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}
