#include "frmconfig.h"
#include "ui_frmconfig.h"

#include <QColor>

#include "app/frmconfigbasic.h"
#include "common/singleinstance.h"
#include "config/frmexcelshow.h"
#include "widgets/appearance.h"
#include "widgets/iconfont.h"

namespace {
const char *const Captions[] = {"基 本 设 置", "八 级 编 码"};
const ushort Glyphs[] = {0xe6de, 0xea43};
} // namespace

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
    for (int i = 0; i < navButtons.size(); ++i) {
        QPushButton *button = navButtons.at(i);
        button->setIconSize(QSize(30, 20));
        button->setCheckable(true);
        button->setText(QString::fromUtf8(Captions[i]) + QStringLiteral("  "));
        connect(button, &QPushButton::clicked, this, &frmConfig::buttonClicked);
    }
    ui->btnConfigSystem->click();
}

void frmConfig::initIcon()
{
    for (int i = 0; i < navButtons.size(); ++i) {
        const QPixmap pixmap = IconFont::Instance()->glyphPixmap(
            QColor(g_textColor), QChar(Glyphs[i]), 20, 30, 20, Qt::AlignCenter);
        navButtons.at(i)->setIcon(QIcon(pixmap));
    }
}

void frmConfig::buttonClicked()
{
    auto *button = qobject_cast<QPushButton *>(sender());
    ui->stackedWidget->setCurrentIndex(navButtons.indexOf(button));
    for (QPushButton *each : qAsConst(navButtons))
        each->setChecked(each == button);
}
