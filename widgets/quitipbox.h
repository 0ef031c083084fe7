#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include "widgets/quidialogbase.h"

class QLabel;
class QPropertyAnimation;

// A corner notification: slides up into the bottom-right corner of the screen with a
// title and a bold tip, may close itself after a count-down, and slides down on hide().
class QUITipBox : public QUIDialogBase
{
    Q_OBJECT

public:
    explicit QUITipBox(QWidget *parent = nullptr);

    // Where a box of `box` size sits in the bottom-right corner of `area`.
    static QPoint cornerOf(const QRect &area, const QSize &box);

    QPropertyAnimation *slideAnimation() const { return animation; }

public slots:
    // Fills and places the box and slides it in over 500 ms; the caller shows it.
    // fullScreen: the corner of the whole desktop instead of the available area.
    void setTip(const QString &title, const QString &tip, bool fullScreen = false,
                bool center = true, int closeSec = 0);
    // Slides the box down out of view; the window itself stays shown.
    void hide();

private slots:
    void initControl();
    void initForm();
    void on_btnMenu_Close_clicked();

private:
    QRect screenArea() const;
    void slide(const QPoint &from, const QPoint &to);

    QLabel *labInfo = nullptr;
    QPropertyAnimation *animation = nullptr;
    bool fullScreen = false;
};
