#pragma once

#include <QList>
#include <QWidget>

class QLineEdit;

namespace Ui {
class FrmConfigBasic;
}

// The settings page: shows and saves the eight values of the settings file. Building it
// reads the file once and derives the program's endpoints and folders; saved values take
// effect at the next start.
class FrmConfigBasic : public QWidget
{
    Q_OBJECT

public:
    static FrmConfigBasic *Instance();
    explicit FrmConfigBasic(QWidget *parent = nullptr);
    ~FrmConfigBasic() override;

signals:
    // The log check box's state (0 or 2) for the main window's log panel.
    void showhideLog(int arg);

public slots:
    void loadIniFile();
    void saveIniFile();
    void on_pb_set_clicked();
    void on_ck_log_stateChanged(int arg1);

private:
    // In the order of the settings keys.
    QList<QLineEdit *> lineEdits() const;

    Ui::FrmConfigBasic *ui;
};
