#pragma once

#include <QList>
#include <QWidget>

class QPushButton;

namespace Ui {
class frmConfig;
}

// The settings section: the settings page and the part-code workbook page. No login and
// no allow-leave guard: every click switches.
class frmConfig : public QWidget
{
    Q_OBJECT

public:
    static frmConfig *Instance();
    explicit frmConfig(QWidget *parent = nullptr);
    ~frmConfig() override;

    QList<QPushButton *> buttons() const { return navButtons; }
    QWidget *currentPage() const;

public slots:
    void initForm();
    void initNav();
    void initIcon();
    void buttonClicked();

private:
    Ui::frmConfig *ui;
    QList<QPushButton *> navButtons;
};
