#pragma once

#include <QList>
#include <QWidget>

class QPushButton;

namespace Ui {
class Frmtemplate;
}

// The template section: template records and the painting page, which is reached only
// through a template record that opened successfully.
class Frmtemplate : public QWidget
{
    Q_OBJECT

public:
    static Frmtemplate *Instance();
    explicit Frmtemplate(QWidget *parent = nullptr);
    ~Frmtemplate() override;

    QList<QPushButton *> buttons() const { return navButtons; }
    QWidget *currentPage() const;
    bool switchForced() const { return forceSwitch; }

public slots:
    void initForm();
    void initNav();
    void initIcon();
    void initSignalSlot();
    void buttonClicked();
    // The template table asks to paint its record: switches only when it opened.
    void on_changeStackWidget();
    // Shows the record button when the user may list templates; never hides it.
    void on_flashGUI();

private:
    void insertPages();

    Ui::Frmtemplate *ui;
    QList<QPushButton *> navButtons;
    bool forceSwitch = false; // one-shot permission for the next page change
};
