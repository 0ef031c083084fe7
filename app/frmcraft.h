#pragma once

#include <QList>
#include <QWidget>

class QPushButton;

namespace Ui {
class frmCraft;
}

// The craft section: craft records, algorithm records and the item-point editor, behind
// the login, the list rights and the allow-leave flag.
class frmCraft : public QWidget
{
    Q_OBJECT

public:
    static frmCraft *Instance();
    explicit frmCraft(QWidget *parent = nullptr);
    ~frmCraft() override;

    QList<QPushButton *> buttons() const { return navButtons; }
    QWidget *currentPage() const;
    bool switchForced() const { return forceSwitch; }

public slots:
    void initForm();
    void initNav();
    void initIcon();
    void initSignalSlot();
    void buttonClicked();
    // The craft table asks to edit its record: the editor loads it and is switched to.
    void on_setDataChangeView();
    // Shows the buttons that the logged-in user's list rights allow; never hides one.
    void on_flashGUI();

private:
    void insertPages();

    Ui::frmCraft *ui;
    QList<QPushButton *> navButtons;
    bool forceSwitch = false; // one-shot permission for the next page change
};
