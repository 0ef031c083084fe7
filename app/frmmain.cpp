#include "frmmain.h"
#include "ui_frmmain.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDebug>
#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QListWidgetItem>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>

#include "app/appinit.h"
#include "app/frmconfig.h"
#include "app/frmconfigbasic.h"
#include "app/frmcraft.h"
#include "app/frmtemplate.h"
#include "app/logopixmap.h"
#include "app/navbuttons.h"
#include "common/appstate.h"
#include "common/easyini.h"
#include "common/savelog.h"
#include "common/singleinstance.h"
#include "common/userrights.h"
#include "net/jsonopration.h"
#include "net/logindialog.h"
#include "records/frmtemplateprolocal.h"
#include "widgets/appearance.h"
#include "widgets/framelesshelper.h"
#include "widgets/iconfont.h"
#include "widgets/iconhelper.h"
#include "widgets/quihelper.h"
#include "widgets/quiwidget.h"
#include "widgets/trayicon.h"

namespace {

struct LogEntry
{
    const char *text;
    int value;
};

const LogEntry kLevels[] = {
    {"Debug", 1}, {"Info", 2}, {"Warning", 4}, {"Critical", 8}, {"Fatal", 16}};
const LogEntry kSizes[] = {{"不启用", 0}, {"5kb", 5}, {"10kb", 10}, {"30kb", 30}, {"1mb", 1024}};
const LogEntry kRows[] = {
    {"不启用", 0}, {"100条", 100}, {"500条", 500}, {"2000条", 2000}, {"10000条", 10000}};

const int kMaxLogLines = 100;

} // namespace

frmMain *frmMain::Instance()
{
    return PageInstance<frmMain>::get();
}

frmMain::frmMain(QWidget *parent) : QWidget(parent), ui(new Ui::frmMain)
{
    ui->setupUi(this);
    initForm();
    initText();
    initNav();
    initIcon();
    initLogForm();
    initSignalSlot();
    reportRefusals();
    QUIHelper::centerOnScreen(this);

    TrayIcon::Instance()->setIcon(QStringLiteral(":/image/icon1.png"));
    TrayIcon::Instance()->setMainWidget(this);
    TrayIcon::Instance()->setVisible(true);
    TrayIcon::Instance()->setToolTip(QStringLiteral("Norvo模板软件"));

    on_btnMenu_Max_clicked();
}

frmMain::~frmMain()
{
    // The pages are single instances destroyed on their own; take them out of the
    // stack so that deleting the form does not delete them as well.
    while (QWidget *page = ui->stackedWidget->widget(0)) {
        ui->stackedWidget->removeWidget(page);
        page->setParent(nullptr);
    }
    delete ui;
}

QStringList frmMain::skinCaptions()
{
    return QUIWidget::themeCaptions();
}

QString frmMain::skinResource(const QString &caption)
{
    // An unknown caption gives -1, which the kit maps to light blue.
    return QUIHelper::styleSheetPath(skinCaptions().indexOf(caption));
}

void frmMain::initForm()
{
    ui->btn_craft->hide();
    ui->btn_template->hide();

    ui->widgetMain->setProperty("form", true);
    ui->widgetTop->setProperty("form", "title");
    ui->widgetTop->setFixedHeight(80);
    ui->bottomWidget->setFixedHeight(25);
    ui->bottomWidget->setLabAuthorVisible(false);
    ui->bottomWidget->setLabUserVisible(false);

    setProperty("form", true);
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);

    ui->widgetTop->installEventFilter(this);
    ui->labLogoBg->installEventFilter(this);

    IconHelper::Instance()->setButtonGlyph(ui->btnMenu_Min, QChar(g_iconMin), 12);
    IconHelper::Instance()->setButtonGlyph(ui->btnMenu_Max, QChar(g_iconNormal), 12);
    IconHelper::Instance()->setButtonGlyph(ui->btnMenu_Close, QChar(g_iconClose), 12);

    m_framelessHelper = new FramelessHelper(this);
    m_framelessHelper->attachWidget(this);
    FramelessHelper::setTitleBarHeight(ui->widgetTop->height());
    m_framelessHelper->setMovable(true);
    m_framelessHelper->setResizable(true);

    initStatusBar();
    initSkinMenu();
}

void frmMain::initStatusBar()
{
    ui->bottomWidget->setVersion(QStringLiteral("alpha-V1.0.2.1"));
    ui->bottomWidget->setCurrentUserName(QStringLiteral("未登录"));
    ui->bottomWidget->setCurrentUserType(QStringLiteral("普通权限"));
    ui->bottomWidget->setFontName(g_fontName);
    ui->bottomWidget->setFontSize(g_fontSize > 12 ? g_fontSize - 1 : g_fontSize);
    ui->bottomWidget->setLineFixedWidth(true);
    ui->bottomWidget->start(1000);
}

void frmMain::initSkinMenu()
{
    setContextMenuPolicy(Qt::ActionsContextMenu);
    for (const QString &caption : skinCaptions()) {
        auto *action = new QAction(caption, this);
        connect(action, &QAction::triggered, this, &frmMain::initStyle);
        addAction(action);
    }
}

void frmMain::initText()
{
    ui->labLogoCn->setText(QStringLiteral("Norvo - 模板程序"));
    ui->labLogoEn->setText(QStringLiteral("Norvo - Template Program"));
    setWindowTitle(ui->labLogoCn->text());
    ui->bottomWidget->setTitle(QStringLiteral("Norvo - 模板程序"));
    ui->bottomWidget->setAuthor(QStringLiteral("Velmora"));
}

void frmMain::initNav()
{
    ui->stackedWidget->insertWidget(0, frmCraft::Instance());
    ui->stackedWidget->insertWidget(1, Frmtemplate::Instance());
    ui->stackedWidget->insertWidget(2, frmConfig::Instance());
    ui->stackedWidget->insertWidget(3, FrmTemplateProLocal::Instance());

    m_navButtons = {ui->btn_craft, ui->btn_template, ui->btn_setparams, ui->btn_debug};
    const QStringList captions{QStringLiteral("工 艺"), QStringLiteral("模 板"),
                               QStringLiteral("设 置"), QStringLiteral("调 试")};
    NavButtons::setUp(m_navButtons, captions, QSize(25, 20), this, &frmMain::buttonClicked, 100);
    ui->btn_craft->click();

    ui->btn_login->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (const QString &text : {QStringLiteral("切换账号"), QStringLiteral("退出登录")}) {
        auto *action = new QAction(text, ui->btn_login);
        connect(action, &QAction::triggered, this, &frmMain::initMenu);
        ui->btn_login->addAction(action);
    }
}

void frmMain::initIcon()
{
    ui->labLogoBg->setAlignment(Qt::AlignCenter);
    ui->labLogoBg->setFixedWidth(80);
    const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/icon.png");
    QString refusal;
    const QPixmap logo = readLogo(path, QSize(60, 60), &refusal);
    if (!refusal.isEmpty()) {
        m_logoRefusal = QStringLiteral("图标未显示：%1：%2").arg(path, refusal);
        qCritical().noquote() << m_logoRefusal;
    }
    if (!logo.isNull())
        ui->labLogoBg->setPixmap(logo);
    else
        IconFont::Instance()->setLabelGlyph(ui->labLogoBg, QChar(0xe513), 60);

    // Drawn once in the colour of the theme at start; later skins keep these icons.
    const QColor colour(g_textColor);
    const ushort glyphs[] = {0xf0c9, 0xf02b, 0xf013, 0xf0ad};
    for (int i = 0; i < m_navButtons.size(); ++i) {
        const QPixmap pixmap = IconHelper::Instance()->glyphPixmap(colour, QChar(glyphs[i]), 20, 20,
                                                                   20, Qt::AlignCenter);
        m_navButtons.at(i)->setIcon(QIcon(pixmap));
    }
    ui->btn_login->setIcon(QIcon(
        IconHelper::Instance()->glyphPixmap(colour, QChar(0xf2be), 30, 30, 30, Qt::AlignCenter)));
}

void frmMain::initLogForm()
{
    m_logLineCount = 0;
    for (const LogEntry &level : kLevels) {
        auto *item = new QListWidgetItem(QString::fromUtf8(level.text), ui->listType);
        item->setData(Qt::UserRole, QString::number(level.value));
        item->setCheckState(Qt::Checked);
        // Only the press slot toggles: were the view to toggle the box as well, a click on
        // it would toggle twice and the mask would disagree with what the list shows.
        item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
    }
    for (const LogEntry &size : kSizes)
        ui->cboxSize->addItem(QString::fromUtf8(size.text), size.value);
    for (const LogEntry &row : kRows)
        ui->cboxRow->addItem(QString::fromUtf8(row.text), row.value);

    SaveLog::Instance()->SetUseContext(false);
    SaveLog::Instance()->SetPath(g_logFileDir);
    // Through on_ckSave_stateChanged this starts the logger.
    ui->ckSave->setChecked(true);
    ui->txtMain->setReadOnly(true);
}

void frmMain::initSignalSlot()
{
    connect(SaveLog::Instance(), &SaveLog::flushLogUI, this, &frmMain::on_flushLogUI);
    connect(JsonOpration::Instance(), &JsonOpration::setCurrentUserInfo, this,
            &frmMain::on_setCurrentUserInfo);
    connect(FrmConfigBasic::Instance(), &FrmConfigBasic::showhideLog, this,
            &frmMain::on_showhideLog);
    connect(JsonOpration::Instance(), &JsonOpration::flashGUI, this, &frmMain::on_flashGUI);
}

// The settings and the logo were read before the log panel and the logger existed: a
// refusal went to stderr alone. Said again for the panel and the log file while the logger
// runs, which does not pass it on to stderr a second time.
void frmMain::reportRefusals()
{
    if (!ui->ckSave->isChecked())
        return;
    for (const QString &refusal : {EasyIni::Instance()->refusal(), m_logoRefusal})
        if (!refusal.isEmpty())
            qCritical().noquote() << refusal;
}

void frmMain::buttonClicked()
{
    auto *button = qobject_cast<QPushButton *>(sender());
    const int index = m_navButtons.indexOf(button);
    if (!g_allowLeave || index < 0) {
        qWarning().noquote() << QStringLiteral("请先保存当前页面，执行保存和提交");
        return;
    }
    NavButtons::showPage(ui->stackedWidget, m_navButtons, button);
}

void frmMain::on_flashGUI()
{
    if (currentUserHolds(QStringLiteral("business:technology:list")))
        ui->btn_craft->show();
    if (currentUserHolds(QStringLiteral("business:template:list")))
        ui->btn_template->show();
}

void frmMain::on_setCurrentUserInfo(const ModelUserInfoItem &userInfo)
{
    ui->bottomWidget->setCurrentUserName(userInfo.userName);
    ui->bottomWidget->setCurrentUserType(userInfo.nickName);
}

void frmMain::on_btn_login_clicked()
{
    if (g_isLoggedIn) {
        qWarning().noquote() << QStringLiteral("已经登录过了，可以访问远程了");
        return;
    }
    LoginDialog::Instance()->exec();
}

void frmMain::initMenu()
{
    auto *action = qobject_cast<QAction *>(sender());
    if (!action)
        return;
    if (action->text() == QStringLiteral("切换账号")) {
        LoginDialog::Instance()->exec();
    } else if (action->text() == QStringLiteral("退出登录")) {
        // Only the flag and the two list buttons: token and user stay until the next login.
        g_isLoggedIn = false;
        ui->btn_craft->hide();
        ui->btn_template->hide();
        ui->btn_setparams->click();
    }
}

void frmMain::initStyle()
{
    auto *action = qobject_cast<QAction *>(sender());
    const QString caption = action ? action->text() : QString();
    AppInit::Instance()->initStyle(skinResource(caption));
    emit changeStyle();
}

QRect frmMain::checkScreenID(QPoint point) const
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (QScreen *screen : screens) {
        if (screen->geometry().contains(point))
            return screen->geometry();
    }
    return screens.isEmpty() ? QRect() : screens.first()->geometry();
}

void frmMain::on_btnMenu_Max_clicked()
{
    const QRect screenRect = checkScreenID(QCursor::pos());
    if (!m_maximised) {
        m_normalGeometry = geometry();
        setGeometry(screenRect);
    } else {
        setGeometry(m_normalGeometry);
    }
    IconHelper::Instance()->setButtonGlyph(ui->btnMenu_Max,
                                           QChar(m_maximised ? g_iconNormal : g_iconMax), 12);
    setProperty("canMove", m_maximised);
    m_maximised = !m_maximised;
    // Covering a screen: neither dragged nor resized until restored.
    m_framelessHelper->setMovable(!m_maximised);
    m_framelessHelper->setResizable(!m_maximised);
}

void frmMain::on_btnMenu_Min_clicked()
{
    showMinimized();
}

void frmMain::on_btnMenu_Close_clicked()
{
    // Out of the event loop, not the process: the single instances are destroyed while
    // the application still lives.
    if (QUIHelper::askQuestion(QStringLiteral("确认退出Kestrane？")) == QMessageBox::Yes)
        QCoreApplication::exit(0);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // The program's own close() passes; the window system's (Alt+F4, a taskbar) asks first.
    if (!event->spontaneous()) {
        QWidget::closeEvent(event);
        return;
    }
    // Open either way: on Yes the close button's path leaves the event loop.
    event->ignore();
    on_btnMenu_Close_clicked();
}

void frmMain::on_flushLogUI(const QString &msg)
{
    if (m_logLineCount >= kMaxLogLines) {
        m_logLineCount = 0;
        ui->txtMain->clear();
    }
    ui->txtMain->append(msg);
    ++m_logLineCount;
}

void frmMain::on_btnLogClear_clicked()
{
    ui->txtMain->clear();
}

void frmMain::on_listType_itemPressed(QListWidgetItem *item)
{
    item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    int mask = 0;
    for (int i = 0; i < ui->listType->count(); ++i) {
        const QListWidgetItem *level = ui->listType->item(i);
        if (level->checkState() == Qt::Checked)
            mask += level->data(Qt::UserRole).toInt();
    }
    SaveLog::Instance()->SetMsgType(SaveLog::MsgType(mask));
}

void frmMain::on_cboxSize_currentIndexChanged(int index)
{
    SaveLog::Instance()->SetMaxSize(ui->cboxSize->itemData(index).toInt());
}

void frmMain::on_cboxRow_currentIndexChanged(int index)
{
    SaveLog::Instance()->SetMaxRow(ui->cboxRow->itemData(index).toInt());
}

void frmMain::on_ckSave_stateChanged(int arg1)
{
    if (arg1 != 0)
        SaveLog::Instance()->Start();
    else
        SaveLog::Instance()->Stop();
}

void frmMain::on_showhideLog(int arg1)
{
    ui->frame_log->setVisible(arg1 != 0);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->widgetTop && event->type() == QEvent::MouseButtonDblClick)
        on_btnMenu_Max_clicked();
    return QWidget::eventFilter(watched, event);
}
