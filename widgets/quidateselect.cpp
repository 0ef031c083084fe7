#include "quidateselect.h"

#include <QCalendarWidget>
#include <QCloseEvent>
#include <QDateTimeEdit>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "common/singleinstance.h"
#include "widgets/quihelper.h"
#include "widgets/quimessagebox.h"

QUIDateSelect *QUIDateSelect::Instance()
{
    return KitInstance<QUIDateSelect, InstanceRegistry::RankDateSelect>::get();
}

QUIDateSelect::QUIDateSelect(QWidget *parent) : QUIDialogBase(parent)
{
    initControl();
    initForm();
    QUIHelper::centerOnScreen(this);
}

void QUIDateSelect::setFormat(const QString &format)
{
    this->format = format;
    dateStart->setDisplayFormat(format);
    dateEnd->setDisplayFormat(format);
}

void QUIDateSelect::closeEvent(QCloseEvent *event)
{
    QDialog::closeEvent(event);
}

void QUIDateSelect::initControl()
{
    setObjectName(QStringLiteral("QUIDateSelect"));
    buildFrame(WithoutCountDown);
    labTitle->setText(QStringLiteral("日期时间选择"));
    frame = addContentFrame(6);
    gridLayout = new QGridLayout(frame);
    gridLayout->setObjectName(QStringLiteral("gridLayout"));

    labStart = addLabel(QStringLiteral("labStart"), QStringLiteral("开始时间"), 0);
    dateStart = addEditor(QStringLiteral("dateStart"), 0);
    btnOk = addButton(QStringLiteral("btnOk"), QStringLiteral(":/image/btn_ok.png"),
                      QStringLiteral("确定"), 0);

    labEnd = addLabel(QStringLiteral("labEnd"), QStringLiteral("结束时间"), 1);
    dateEnd = addEditor(QStringLiteral("dateEnd"), 1);
    btnClose = addButton(QStringLiteral("btnClose"), QStringLiteral(":/image/btn_close.png"),
                         QStringLiteral("关闭"), 1);

    const QDateTime today(QDate::currentDate(), QTime(0, 0));
    dateStart->setDateTime(today);
    dateEnd->setDateTime(today.addDays(1));
    setFormat(QStringLiteral("yyyy-MM-dd"));

    setTabOrder(labStart, labEnd);
    setTabOrder(labEnd, dateStart);
    setTabOrder(dateStart, dateEnd);
    setTabOrder(dateEnd, btnOk);
    setTabOrder(btnOk, btnClose);

    connect(btnOk, &QPushButton::clicked, this, &QUIDateSelect::on_btnOk_clicked);
    connect(btnClose, &QPushButton::clicked, this, &QUIDateSelect::on_btnMenu_Close_clicked);
    connect(btnMenu_Close, &QPushButton::clicked, this, &QUIDateSelect::on_btnMenu_Close_clicked);
}

QLabel *QUIDateSelect::addLabel(const QString &name, const QString &text, int row)
{
    auto *label = new QLabel(text, frame);
    label->setObjectName(name);
    label->setFocusPolicy(Qt::TabFocus);
    gridLayout->addWidget(label, row, 0);
    return label;
}

QDateTimeEdit *QUIDateSelect::addEditor(const QString &name, int row)
{
    auto *editor = new QDateTimeEdit(frame);
    editor->setObjectName(name);
    editor->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    editor->setCalendarPopup(true);
    editor->calendarWidget()->setGridVisible(true);
    editor->calendarWidget()->setLocale(QLocale(QLocale::Chinese));
    gridLayout->addWidget(editor, row, 1);
    return editor;
}

QPushButton *QUIDateSelect::addButton(const QString &name, const QString &icon, const QString &text,
                                      int row)
{
    auto *button = new QPushButton(QIcon(icon), text, frame);
    button->setObjectName(name);
    button->setMinimumWidth(85);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::StrongFocus);
    gridLayout->addWidget(button, row, 2);
    return button;
}

void QUIDateSelect::initForm()
{
    applyFrameSettings(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint, frame);
    setFixedSize(320, 130);
}

void QUIDateSelect::on_btnOk_clicked()
{
    const QDateTime start = dateStart->dateTime();
    const QDateTime end = dateEnd->dateTime();
    if (end < start) {
        QUIMessageBox *box = QUIMessageBox::Instance();
        box->setMessage(QStringLiteral("开始时间不能大于结束时间!"), 2, 3);
        box->show();
        return;
    }

    startDateTime = start.toString(format);
    endDateTime = end.toString(format);
    done(QMessageBox::Ok);
    close();
}

void QUIDateSelect::on_btnMenu_Close_clicked()
{
    done(QMessageBox::Cancel);
    close();
}
