#include "frmtemplatepropaint.h"

#include <QDebug>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/appstate.h"
#include "common/shareddefs.h"
#include "common/singleinstance.h"
#include "widgets/quihelper.h"

namespace {
QString askChoice(const QString &title, const QString &choices)
{
    // A combo box of the choices; empty when the operator does not confirm.
    return QUIHelper::askInput(title, 1, 0, QString(), false, choices);
}

FrmTemplateProPaint::Chooser &chooser()
{
    static FrmTemplateProPaint::Chooser current = askChoice;
    return current;
}

QString cameraCodes()
{
    QStringList codes;
    for (const auto &camera : g_cameraList)
        codes << camera.second;
    return codes.join('|');
}

QString carriageNumbers(int count)
{
    QStringList numbers;
    for (int i = 1; i <= count; ++i)
        numbers << QString::number(i);
    return numbers.join('|');
}
} // namespace

FrmTemplateProPaint *FrmTemplateProPaint::Instance()
{
    return PageInstance<FrmTemplateProPaint>::get();
}

FrmTemplateProPaint::FrmTemplateProPaint(QWidget *parent)
    : QWidget(parent), m_submit(new QPushButton("提交", this))
{
    m_submit->setObjectName("btn_submit");
    auto *layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(m_submit, 0, Qt::AlignRight);
    connect(m_submit, &QPushButton::clicked, this, &FrmTemplateProPaint::submit);
}

bool FrmTemplateProPaint::GetAllowLeave() const
{
    return g_allowLeave;
}

bool FrmTemplateProPaint::GetTechnology()
{
    if (g_currentTemplate.carriageCount <= 0) {
        qCritical().noquote() << "车厢没有，请先上传图片以至于写入车厢 ";
        return false;
    }
    g_carriageChoices = carriageNumbers(g_currentTemplate.carriageCount);
    const QString camera = chooser()("选择相机编码", cameraCodes());
    if (camera.isEmpty())
        return false;
    const int carriage = chooser()("选择车厢", g_carriageChoices).toInt();
    if (carriage <= 0)
        return false;
    g_paintContext.cameraCode = camera;
    g_paintContext.carriage = carriage;
    g_allowLeave = false;
    return true;
}

void FrmTemplateProPaint::ActiveUI()
{
    // The canvas comes with the painting tools; nothing is drawn yet.
}

void FrmTemplateProPaint::setChooser(Chooser chooser_)
{
    chooser() = chooser_ ? std::move(chooser_) : Chooser(askChoice);
}

void FrmTemplateProPaint::submit()
{
    // Reporting the drawing belongs to the server requests; here submitting ends the edit.
    g_allowLeave = true;
}
