#include "bottomwidget.h"

#include <QDateTime>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QStyleOption>
#include <QTimer>

BottomWidget::BottomWidget(QWidget *parent) : QWidget(parent), m_timer(new QTimer(this))
{
    connect(m_timer, &QTimer::timeout, this, &BottomWidget::showTime);
}

BottomWidget::~BottomWidget() = default;

void BottomWidget::paintEvent(QPaintEvent *)
{
    // Lets the application style sheet paint the bar's background.
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

void BottomWidget::showTime()
{
    m_second++;
    if (m_second == 60) {
        m_minute++;
        m_second = 0;
    }
    if (m_minute == 60) {
        m_hour++;
        m_minute = 0;
    }
    if (m_hour == 24) {
        m_day++;
        m_hour = 0;
    }

    // Before start() there are no labels to refresh.
    if (m_labLive) {
        m_labLive->setText(QStringLiteral("已运行: %1天%2时%3分%4秒")
                               .arg(m_day)
                               .arg(m_hour)
                               .arg(m_minute)
                               .arg(m_second));
    }
    if (m_labDateTime) {
        m_labDateTime->setText(QDateTime::currentDateTime().toString(
            QStringLiteral("当前时间: yyyy年MM月dd日 HH:mm:ss")));
    }
}

void BottomWidget::setLabTitleVisible(bool labTitleVisible)
{
    m_labTitleVisible = labTitleVisible;
}

void BottomWidget::setLabAuthorVisible(bool labAuthorVisible)
{
    m_labAuthorVisible = labAuthorVisible;
}

void BottomWidget::setLabUserVisible(bool labUserVisible)
{
    m_labUserVisible = labUserVisible;
}

void BottomWidget::setLabLiveVisible(bool labLiveVisible)
{
    m_labLiveVisible = labLiveVisible;
}

void BottomWidget::setLabDateTimeVisible(bool labDateTimeVisible)
{
    m_labDateTimeVisible = labDateTimeVisible;
}

void BottomWidget::setTitle(QString title)
{
    if (m_title == title)
        return;
    m_title = title;
    refreshTitle();
}

void BottomWidget::setVersion(QString version)
{
    if (m_version == version)
        return;
    m_version = version;
    refreshTitle();
}

void BottomWidget::setAuthor(QString author)
{
    if (m_author == author)
        return;
    m_author = author;
    refreshAuthor();
}

void BottomWidget::setCurrentUserName(QString currentUserName)
{
    if (m_currentUserName == currentUserName)
        return;
    m_currentUserName = currentUserName;
    refreshUser();
}

void BottomWidget::setCurrentUserType(QString currentUserType)
{
    if (m_currentUserType == currentUserType)
        return;
    m_currentUserType = currentUserType;
    refreshUser();
}

void BottomWidget::setFontName(QString fontName)
{
    m_fontName = fontName;
}

void BottomWidget::setFontSize(int fontSize)
{
    m_fontSize = fontSize;
}

void BottomWidget::setLineFixedWidth(bool lineFixedWidth)
{
    m_lineFixedWidth = lineFixedWidth;
}

// Multi-argument substitution: a "%1" inside a text is never filled in again.
void BottomWidget::refreshTitle()
{
    if (m_labTitle)
        m_labTitle->setText(QStringLiteral("欢迎使用%1 %2").arg(m_title, m_version));
}

void BottomWidget::refreshAuthor()
{
    if (m_labAuthor)
        m_labAuthor->setText(QStringLiteral("公司: %1").arg(m_author));
}

void BottomWidget::refreshUser()
{
    if (m_labUser)
        m_labUser->setText(
            QStringLiteral("当前用户: %1【%2】").arg(m_currentUserName, m_currentUserType));
}

void BottomWidget::start(int interval)
{
    // The bar is built once; a later call only restarts the clock.
    if (layout()) {
        m_timer->start(interval);
        return;
    }

    m_labTitle = new QLabel;
    refreshTitle();
    m_labAuthor = new QLabel;
    refreshAuthor();
    m_labUser = new QLabel;
    refreshUser();
    m_labLive = new QLabel;
    m_labDateTime = new QLabel;
    m_labDateTime->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    showTime();

    auto *box = new QHBoxLayout(this);
    box->setSpacing(6);
    box->setContentsMargins(6, 6, 6, 6);
    addItem(m_labTitle, m_labTitleVisible, true);
    addItem(m_labAuthor, m_labAuthorVisible, true);
    addItem(m_labUser, m_labUserVisible, true);
    addItem(m_labLive, m_labLiveVisible, true);
    addItem(m_labDateTime, m_labDateTimeVisible, false);

    QFont font;
    font.setFamily(m_fontName);
    font.setPixelSize(m_fontSize);
    const QList<QLabel *> labels = findChildren<QLabel *>();
    for (QLabel *label : labels)
        label->setFont(font);

    m_timer->start(interval);
}

void BottomWidget::addItem(QLabel *label, bool visible, bool withLine)
{
    if (!visible) {
        m_unplacedLabels.emplace_back(label);
        return;
    }
    layout()->addWidget(label);
    if (!withLine)
        return;
    auto *line = new QFrame;
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    if (m_lineFixedWidth)
        line->setFixedWidth(1);
    layout()->addWidget(line);
}
