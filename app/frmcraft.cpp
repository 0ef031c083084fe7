#include "frmcraft.h"
#include "ui_frmcraft.h"

#include <QDebug>

#include "app/navbuttons.h"
#include "common/appstate.h"
#include "common/singleinstance.h"
#include "common/userrights.h"
#include "config/femcraftitem.h"
#include "net/jsonopration.h"
#include "records/frmcraftalgorithm.h"
#include "records/frmcraftremotedata.h"

namespace {
const QString EditorCaption = QStringLiteral("项 点 编 辑");
const QStringList Captions{QStringLiteral("工 艺 记 录"), QStringLiteral("算 法 编 码"),
                           EditorCaption, QStringLiteral("构 型 列 表")};
} // namespace

frmCraft *frmCraft::Instance()
{
    return PageInstance<frmCraft>::get();
}

frmCraft::frmCraft(QWidget *parent) : QWidget(parent), ui(new Ui::frmCraft)
{
    ui->setupUi(this);
    initForm();
    initNav();
    initIcon();
    initSignalSlot();
}

frmCraft::~frmCraft()
{
    delete ui;
}

QWidget *frmCraft::currentPage() const
{
    return ui->stackedWidget->currentWidget();
}

void frmCraft::initForm()
{
    ui->widgetLeft->setProperty("flag", "btn");
    ui->widgetLeft->setFixedWidth(150);
    insertPages();
    for (QPushButton *button :
         {ui->btn_data_remote, ui->btn_algorithm, ui->btn_itemPoints, ui->btn_configuration})
        button->hide();
}

void frmCraft::insertPages()
{
    // Inserting again would only move the same pages; they belong here once.
    if (ui->stackedWidget->count() > 0)
        return;
    ui->stackedWidget->insertWidget(0, FrmCraftRemoteData::Instance());
    ui->stackedWidget->insertWidget(1, FrmCraftAlgorithm::Instance());
    ui->stackedWidget->insertWidget(2, FemCraftItem::Instance());
}

void frmCraft::initNav()
{
    navButtons = {ui->btn_data_remote, ui->btn_algorithm, ui->btn_itemPoints,
                  ui->btn_configuration};
    NavButtons::setUp(navButtons, Captions, QSize(30, 20), this, &frmCraft::buttonClicked);
}

void frmCraft::initIcon()
{
    NavButtons::setSectionGlyphs(navButtons, {0xea44, 0xea5b, 0xea5b, 0xea59});
}

void frmCraft::initSignalSlot()
{
    // Unique: invoking this slot again must not run the editor twice per request.
    connect(FrmCraftRemoteData::Instance(), &FrmCraftRemoteData::setDataChangeView, this,
            &frmCraft::on_setDataChangeView, Qt::UniqueConnection);
    connect(JsonOpration::Instance(), &JsonOpration::flashGUI, this, &frmCraft::on_flashGUI,
            Qt::UniqueConnection);
}

void frmCraft::buttonClicked()
{
    auto *button = qobject_cast<QPushButton *>(sender());
    if (!g_isLoggedIn) {
        qCritical().noquote() << "请先登录，才能访问远程";
        return;
    }
    const bool allow = FemCraftItem::Instance()->GetAllowLeave();
    const bool toEditor = button && button->text() == EditorCaption;
    if ((!toEditor && allow) || forceSwitch) {
        NavButtons::showPage(ui->stackedWidget, navButtons, button);
        forceSwitch = false;
        return;
    }
    if (!toEditor)
        qWarning().noquote() << "还未将配置的工艺文件上传，请先提交。。。";
    else if (allow)
        qWarning().noquote() << "请从工艺记录里打开项点";
}

void frmCraft::on_setDataChangeView()
{
    FemCraftItem::Instance()->InitItemGUI();
    forceSwitch = true;
    ui->btn_itemPoints->click();
}

void frmCraft::on_flashGUI()
{
    if (currentUserHolds(QStringLiteral("business:technology:list")))
        ui->btn_data_remote->show();
    if (currentUserHolds(QStringLiteral("business:algorithm:list")))
        ui->btn_algorithm->show();
}
