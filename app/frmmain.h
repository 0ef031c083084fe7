#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>

#include "common/recordtypes.h"

class FramelessHelper;
class QCloseEvent;
class QListWidgetItem;
class QPushButton;

namespace Ui {
class frmMain;
}

// The program's one top-level window: frameless title bar with navigation, the stack
// of section pages, the log panel and the status bar.
class frmMain : public QWidget
{
    Q_OBJECT

public:
    static frmMain *Instance();
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The style sheet of a skin menu caption; an unknown caption gives light blue.
    static QString skinResource(const QString &caption);
    static QStringList skinCaptions();

    // The geometry of the first screen holding point, else of the first screen.
    QRect checkScreenID(QPoint point) const;

signals:
    void setIndex(int index);
    void changeStyle();

public slots:
    void initText();
    void initMenu();
    void initStyle();
    void buttonClicked();

    void on_flushLogUI(const QString &msg);
    void on_setCurrentUserInfo(const ModelUserInfoItem &userInfo);
    void on_flashGUI();
    void on_showhideLog(int arg1);

private slots:
    void on_btnMenu_Min_clicked();
    void on_btnMenu_Max_clicked();
    void on_btnMenu_Close_clicked();
    void on_btn_login_clicked();
    void on_ckSave_stateChanged(int arg1);
    void on_cboxSize_currentIndexChanged(int index);
    void on_cboxRow_currentIndexChanged(int index);
    void on_listType_itemPressed(QListWidgetItem *item);
    void on_btnLogClear_clicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // A close from the window system asks as the close button does.
    void closeEvent(QCloseEvent *event) override;

private:
    void initForm();
    void initStatusBar();
    void initSkinMenu();
    void initNav();
    void initIcon();
    void initLogForm();
    void initSignalSlot();
    void reportRefusals();

    Ui::frmMain *ui;
    FramelessHelper *m_framelessHelper = nullptr;
    QList<QPushButton *> m_navButtons;
    int m_logLineCount = 0;
    bool m_maximised = false;
    QRect m_normalGeometry;
    QString m_logoRefusal; // why a present icon.png is not shown
};
