#pragma once

#include <QWidget>

#include <functional>

class QPushButton;

// The painting page: opens the current template for one camera and carriage.
class FrmTemplateProPaint : public QWidget
{
    Q_OBJECT

public:
    // Asks the operator to pick one of the "|"-joined choices; empty when declined.
    using Chooser = std::function<QString(const QString &title, const QString &choices)>;

    static FrmTemplateProPaint *Instance();
    explicit FrmTemplateProPaint(QWidget *parent = nullptr);

    // The program-wide allow-leave flag, unchanged.
    bool GetAllowLeave() const;
    // Opens the current template: true once a camera and a carriage are chosen, and then
    // leaving is refused until the drawing is submitted.
    bool GetTechnology();
    // Draws what the last opening fetched.
    void ActiveUI();

    // Replaces the input box that asks for the camera and the carriage (tests).
    static void setChooser(Chooser chooser);
    QPushButton *submitButton() const { return m_submit; }

private:
    void submit();

    QPushButton *m_submit = nullptr;
};
