#include "frmconfig.h"
#include "ui_frmconfig.h"

#include "app/frmconfigbasic.h"
#include "app/navbuttons.h"
#include "common/singleinstance.h"
#include "config/frmexcelshow.h"

frmConfig *frmConfig::Instance()
{
    return PageInstance<frmConfig>::get();
}

frmConfig::frmConfig(QWidget *parent) : QWidget(parent), ui(new Ui::frmConfig)
{
    ui->setupUi(this);
    initForm();
    initNav();
    initIcon();
}

frmConfig::~frmConfig()
{
    delete ui;
}

QWidget *frmConfig::currentPage() const
{
    return ui->stackedWidget->currentWidget();
}

void frmConfig::initForm()
{
    ui->widgetLeft->setProperty("flag", "btn");
    ui->widgetLeft->setFixedWidth(150);
}

void frmConfig::initNav()
{
    // The pages and the connections belong here once, however often this runs.
    if (!navButtons.isEmpty())
        return;
    navButtons = {ui->btnConfigSystem, ui->btnConfig8LevelCode};
    // Building the settings page reads the settings file.
    ui->stackedWidget->insertWidget(0, FrmConfigBasic::Instance());
    ui->stackedWidget->insertWidget(1, FrmExcelShow::Instance());
    const QStringList captions{QStringLiteral("基 本 设 置  "), QStringLiteral("八 级 编 码  ")};
    NavButtons::setUp(navButtons, captions, QSize(30, 20), this, &frmConfig::buttonClicked);
    ui->btnConfigSystem->click();
}

void frmConfig::initIcon()
{
    NavButtons::setSectionGlyphs(navButtons, {0xe6de, 0xea43});
}

void frmConfig::buttonClicked()
{
    NavButtons::showPage(ui->stackedWidget, navButtons, qobject_cast<QPushButton *>(sender()));
}
