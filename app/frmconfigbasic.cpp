#include "frmconfigbasic.h"
#include "ui_frmconfigbasic.h"

#include <QDebug>
#include <QLineEdit>

#include "common/appstate.h"
#include "common/easyini.h"
#include "common/singleinstance.h"
#include "net/httpaddress.h"
#include "widgets/quihelper.h"

namespace {

struct Key
{
    const char *section;
    const char *key;
};

// In the order both loading and saving handle them.
const Key Keys[] = {{"Http", "ip"},     {"Http", "port"},       {"Path", "craftDataDir"},
                    {"Path", "tmpDir"}, {"Path", "logFileDir"}, {"Minio", "ip"},
                    {"Minio", "port"},  {"Minio", "bukeName"}};

} // namespace

FrmConfigBasic *FrmConfigBasic::Instance()
{
    return PageInstance<FrmConfigBasic>::get();
}

FrmConfigBasic::FrmConfigBasic(QWidget *parent) : QWidget(parent), ui(new Ui::FrmConfigBasic)
{
    ui->setupUi(this);
    loadIniFile();
}

FrmConfigBasic::~FrmConfigBasic()
{
    delete ui;
}

QList<QLineEdit *> FrmConfigBasic::lineEdits() const
{
    return {ui->le_http_ip, ui->le_http_port, ui->le_craftdata_dir, ui->le_tmp_dir,
            ui->le_log_dir, ui->le_minio_ip,  ui->le_minio_port,    ui->le_minio_bukeName};
}

void FrmConfigBasic::loadIniFile()
{
    EasyIni *ini = EasyIni::Instance();
    ini->load(g_iniFilePath, EasyIni::ReadOnly);
    const QList<QLineEdit *> edits = lineEdits();
    for (int i = 0; i < edits.size(); ++i) {
        const QVariant value =
            ini->value(QLatin1String(Keys[i].section), QLatin1String(Keys[i].key));
        edits.at(i)->setText(value.toString());
    }

    g_httpBaseUrl = HttpAddress::baseUrl(ui->le_http_ip->text(), ui->le_http_port->text());
    g_httpAddressFault = HttpAddress::fault(ui->le_http_ip->text(), ui->le_http_port->text());
    g_minioEndpoint =
        QStringLiteral("%1:%2").arg(ui->le_minio_ip->text(), ui->le_minio_port->text());
    const QString logFileDir = ui->le_log_dir->text();
    const QString craftDataDir = ui->le_craftdata_dir->text();
    // Not only when missing from the working folder: the logger writes under the program's
    // folder, and a "logs" that happens to exist where the program was started from must
    // not leave that folder uncreated.
    QUIHelper::ensureDir(logFileDir);
    if (!QUIHelper::dirExists(craftDataDir))
        QUIHelper::ensureDir(craftDataDir);
    // As read: a relative folder stays relative here; the logger resolves it the same way.
    g_logFileDir = logFileDir;
    g_tmpDir = ui->le_tmp_dir->text();
}

void FrmConfigBasic::saveIniFile()
{
    EasyIni *ini = EasyIni::Instance();
    ini->load(g_iniFilePath, EasyIni::WriteOnly);
    const QList<QLineEdit *> edits = lineEdits();
    for (int i = 0; i < edits.size(); ++i)
        ini->setValue(QLatin1String(Keys[i].section), QLatin1String(Keys[i].key),
                      edits.at(i)->text());
    // The page keeps what was typed; the log says it did not reach the file.
    if (!ini->save())
        qCritical().noquote()
            << QStringLiteral("设置文件保存失败：%1：%2").arg(g_iniFilePath, ini->errorString());
}

void FrmConfigBasic::on_pb_set_clicked()
{
    saveIniFile();
}

void FrmConfigBasic::on_ck_log_stateChanged(int arg1)
{
    emit showhideLog(arg1);
}
