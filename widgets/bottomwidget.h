#pragma once

#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

class QLabel;
class QTimer;

// Status bar: welcome line, company, user, running time and clock, separated by
// vertical lines. Items are chosen before start(); the texts can change at any time.
class BottomWidget : public QWidget
{
    Q_OBJECT

public:
    explicit BottomWidget(QWidget *parent = nullptr);
    ~BottomWidget() override;

protected:
    void paintEvent(QPaintEvent *event) override;

public slots:
    // Counts one second per call, whatever the timer interval.
    void showTime();

    void setLabTitleVisible(bool labTitleVisible);
    void setLabAuthorVisible(bool labAuthorVisible);
    void setLabUserVisible(bool labUserVisible);
    void setLabLiveVisible(bool labLiveVisible);
    void setLabDateTimeVisible(bool labDateTimeVisible);

    void setTitle(QString title);
    void setVersion(QString version);
    void setAuthor(QString author);
    void setCurrentUserName(QString currentUserName);
    void setCurrentUserType(QString currentUserType);

    // Font and separator options take effect at start() only.
    void setFontName(QString fontName);
    void setFontSize(int fontSize);
    void setLineFixedWidth(bool lineFixedWidth);

    // Builds the bar from the visible items and starts the clock.
    void start(int interval = 1000);

private:
    void refreshTitle();
    void refreshAuthor();
    void refreshUser();
    void addItem(QLabel *label, bool visible, bool withLine);

    QString m_title = QStringLiteral("管理平台");
    QString m_version = QStringLiteral("V1.0");
    QString m_author = QStringLiteral("某某科技有限公司");
    QString m_currentUserName = QStringLiteral("admin");
    QString m_currentUserType = QStringLiteral("管理员");
    QString m_fontName = QStringLiteral("Microsoft Yahei");
    int m_fontSize = 9;
    bool m_lineFixedWidth = false;

    int m_day = 0;
    int m_hour = 0;
    int m_minute = 0;
    int m_second = 0;
    QTimer *m_timer = nullptr;

    QLabel *m_labTitle = nullptr;
    QLabel *m_labAuthor = nullptr;
    QLabel *m_labUser = nullptr;
    QLabel *m_labLive = nullptr;
    QLabel *m_labDateTime = nullptr;

    bool m_labTitleVisible = true;
    bool m_labAuthorVisible = true;
    bool m_labUserVisible = true;
    bool m_labLiveVisible = true;
    bool m_labDateTimeVisible = true;

    // Labels of hidden items: kept for their texts, never parented, never shown.
    std::vector<std::unique_ptr<QLabel>> m_unplacedLabels;
};
