#include "frmtemplate.h"
#include "ui_frmtemplate.h"

#include <QDebug>

#include "app/navbuttons.h"
#include "common/appstate.h"
#include "common/singleinstance.h"
#include "common/userrights.h"
#include "net/jsonopration.h"
#include "paint/frmtemplatepropaint.h"
#include "records/frmtemplateproremote.h"

namespace {
const QString RecordCaption = QStringLiteral("模 板 记 录");
const QString PaintCaption = QStringLiteral("绘 制 模 板");
} // namespace

Frmtemplate *Frmtemplate::Instance()
{
    return PageInstance<Frmtemplate>::get();
}

Frmtemplate::Frmtemplate(QWidget *parent) : QWidget(parent), ui(new Ui::Frmtemplate)
{
    ui->setupUi(this);
    initForm();
    initNav();
    initIcon();
    initSignalSlot();
}

Frmtemplate::~Frmtemplate()
{
    delete ui;
}

QWidget *Frmtemplate::currentPage() const
{
    return ui->stackedWidget->currentWidget();
}

void Frmtemplate::initForm()
{
    ui->widgetLeft->setProperty("flag", "btn");
    ui->widgetLeft->setFixedWidth(150);
    insertPages();
    ui->btn_project_remote->hide();
    ui->btn_paint->hide();
}

void Frmtemplate::insertPages()
{
    if (ui->stackedWidget->count() > 0)
        return;
    ui->stackedWidget->insertWidget(0, FrmTemplateProRemote::Instance());
    ui->stackedWidget->insertWidget(1, FrmTemplateProPaint::Instance());
}

void Frmtemplate::initNav()
{
    navButtons = {ui->btn_project_remote, ui->btn_paint};
    NavButtons::setUp(navButtons, {RecordCaption, PaintCaption}, QSize(30, 20), this,
                      &Frmtemplate::buttonClicked);
}

void Frmtemplate::initIcon()
{
    NavButtons::setSectionGlyphs(navButtons, {0xea44, 0xea5b});
}

void Frmtemplate::initSignalSlot()
{
    // Unique: invoking this slot again must not open the painting page twice per request.
    connect(FrmTemplateProRemote::Instance(), &FrmTemplateProRemote::changeStackWidget, this,
            &Frmtemplate::on_changeStackWidget, Qt::UniqueConnection);
    connect(JsonOpration::Instance(), &JsonOpration::flashGUI, this, &Frmtemplate::on_flashGUI,
            Qt::UniqueConnection);
}

void Frmtemplate::buttonClicked()
{
    auto *button = qobject_cast<QPushButton *>(sender());
    const QString caption = button ? button->text() : QString();
    // Only the record button needs a login: the painting page opens after a record did.
    if (caption == RecordCaption && !g_isLoggedIn) {
        qCritical().noquote() << "请先登录，才能访问远程";
        return;
    }
    const bool allow = FrmTemplateProPaint::Instance()->GetAllowLeave();
    const bool toPaint = caption == PaintCaption;
    if ((!toPaint && allow) || forceSwitch) {
        NavButtons::showPage(ui->stackedWidget, navButtons, button);
        forceSwitch = false;
        return;
    }
    if (!toPaint)
        qWarning().noquote() << "绘制的模板文件还未上传，请先提交。。。";
    else if (allow)
        qWarning().noquote() << "请从模板记录里打开绘制界面";
}

void Frmtemplate::on_changeStackWidget()
{
    if (!FrmTemplateProPaint::Instance()->GetTechnology())
        return;
    forceSwitch = true;
    ui->btn_paint->click();
    FrmTemplateProPaint::Instance()->ActiveUI();
}

void Frmtemplate::on_flashGUI()
{
    if (currentUserHolds(QStringLiteral("business:template:list")))
        ui->btn_project_remote->show();
}
